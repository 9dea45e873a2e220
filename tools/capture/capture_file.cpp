#include "tools/capture/capture_file.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tools/protocol/counted.h"
#include "tools/protocol/record_splitter.h"

namespace capture {
namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The fields of a record line, split at runs of spaces and tabs.
std::vector<std::string> fields_of(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(" \t", at)) != std::string::npos) {
        const std::size_t end = line.find_first_of(" \t", at);
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// Parses one record line into `entry`, whose sizes count `unit` bytes; the
// problem, or empty.
std::string parse_line(const std::string& line, std::size_t unit, Entry& entry) {
    const std::vector<std::string> fields = fields_of(line);
    if (fields.size() != 3) {
        return "expected '<ms> <S|C> <hex>', got " + sim::counted(fields.size(), "field");
    }
    const std::string& ms = fields[0];
    const char* end = ms.data() + ms.size();
    const auto [rest, error] = std::from_chars(ms.data(), end, entry.ms);
    const bool too_large = error == std::errc::result_out_of_range && ms[0] != '-';
    if ((error != std::errc() && !too_large) || rest != end || entry.ms < 0) {
        return "bad time '" + ms + "': whole milliseconds expected";
    }
    if (too_large || entry.ms > kLongestMs) {
        return "time " + ms + " ms is beyond the latest a replay can wait for (" +
               std::to_string(kLongestMs) + " ms)";
    }
    if (fields[1] != "S" && fields[1] != "C") {
        return "unknown direction '" + fields[1] + "': S or C expected";
    }
    entry.from = static_cast<From>(fields[1][0]);
    const std::string& hex = fields[2];
    for (const char c : hex) {
        if (hex_digit(c) < 0) {
            return std::string("bad hex digit '") + c + "'";
        }
    }
    if (hex.size() % 2 != 0) {
        return "odd number of hex digits (" + std::to_string(hex.size()) + ")";
    }
    entry.record.clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        entry.record.push_back(
            static_cast<uint8_t>(hex_digit(hex[i]) * 16 + hex_digit(hex[i + 1])));
    }
    // An introduction is taken with its size byte in either unit, as the
    // framing takes it.
    const bool introduction =
        framing::is_introduction(entry.record) && entry.record.size() == sizeof(insim::IS_ISI);
    if (!introduction && entry.record[0] * unit != entry.record.size()) {
        return "the size byte says " + sim::counted(entry.record[0] * unit, "byte") +
               ", the line holds " + std::to_string(entry.record.size());
    }
    return "";
}

}  // namespace

std::optional<Capture> read_capture(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read it: " + std::strerror(errno);
        return std::nullopt;
    }
    Capture capture;
    capture.path = path;
    long long last_ms = 0;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        capture.last_line = number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto fail = [&](const std::string& what) {
            error = path + ":" + std::to_string(number) + ": " + what;
            return std::nullopt;
        };
        if (number == 1) {
            if (line != kFirstLine) {
                return fail(std::string("not a capture of this format: the first line must be '") +
                            kFirstLine + "'");
            }
            continue;
        }
        if (line.rfind(kWordUnitsLine, 0) == 0) {
            if (!capture.entries.empty()) {
                return fail(std::string("'") + kWordUnitsLine +
                            "' must come before the first record");
            }
            capture.unit = 4;
            continue;
        }
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') {
            continue;
        }
        Entry entry{};
        entry.line = number;
        if (const std::string problem = parse_line(line, capture.unit, entry); !problem.empty()) {
            return fail(problem);
        }
        if (entry.ms < last_ms) {
            return fail("time " + std::to_string(entry.ms) + " ms goes back from " +
                        std::to_string(last_ms) + " ms");
        }
        last_ms = entry.ms;
        capture.entries.push_back(std::move(entry));
    }
    if (capture.last_line == 0) {
        error = path + ":1: empty: the first line must be '" + kFirstLine + "'";
        return std::nullopt;
    }
    return capture;
}

std::string hex_of(const uint8_t* bytes, std::size_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
    }
    return hex;
}

}  // namespace capture
