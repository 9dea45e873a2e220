#include "tools/capture/capture_writer.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace capture {

Writer::~Writer() {
    close();
}

bool Writer::open(const std::string& path) {
    path_ = path;
    std::error_code ignored;
    const auto status = std::filesystem::status(path, ignored);
    const bool in_place =
        std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
    writing_ = in_place ? path : path + ".partial";
    file_ = std::fopen(writing_.c_str(), "wb");
    if (file_ == nullptr) {
        failed();
        return false;
    }
    write(std::string(kFirstLine) + "\n");
    return good();
}

void Writer::units(std::size_t unit) {
    write_pending();
    unit_ = unit;
    if (unit == 4) {
        write(std::string(kWordUnitsLine) + " (the introduction declares protocol 9 or later)\n");
    }
}

void Writer::record(long long ms, From from, const uint8_t* bytes, std::size_t size) {
    pending_.push_back({ms, from, size});
    pending_bytes_.insert(pending_bytes_.end(), bytes, bytes + size);
    if (pending_bytes_.size() >= kMostPending) {
        write_pending();
    }
}

void Writer::write_pending() {
    std::size_t at = 0;
    for (const Pending& record : pending_) {
        write(record_line(record.ms, record.from,
                          std::span(pending_bytes_.data() + at, record.size), unit_) +
              "\n");
        at += record.size;
    }
    pending_.clear();
    pending_bytes_.clear();
}

void Writer::comment(const std::string& text) {
    write_pending();
    write("# " + text + "\n");
}

void Writer::write(const std::string& text) {
    if (file_ != nullptr && good() &&
        std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
        failed();
    }
}

bool Writer::flush() {
    write_pending();
    if (file_ != nullptr && good() && std::fflush(file_) != 0) {
        failed();
    }
    return good();
}

void Writer::failed() {
    if (good()) {
        error_ = "cannot write " + path_ + ": " + std::strerror(errno);
    }
}

void Writer::close() {
    write_pending();
    if (file_ != nullptr) {
        if (std::fclose(file_) != 0) {
            failed();
        }
        file_ = nullptr;
    }
}

bool Writer::finish() {
    flush();
    close();
    if (!writing_.empty() && writing_ != path_) {
        std::error_code error;
        std::filesystem::rename(writing_, path_, error);
        if (error && good()) {
            error_ = "cannot move " + writing_ + " to " + path_ + ": " + error.message();
        }
    }
    writing_.clear();
    return good();
}

void Writer::abandon() {
    pending_.clear();
    pending_bytes_.clear();
    close();
    if (!writing_.empty() && writing_ != path_) {
        std::error_code ignored;
        std::filesystem::remove(writing_, ignored);
    }
    writing_.clear();
}

}  // namespace capture
