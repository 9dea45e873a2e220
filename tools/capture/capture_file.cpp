#include "tools/capture/capture_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tools/protocol/counted.h"
#include "tools/protocol/record_text.h"

namespace capture {
namespace {

// The fields of a record line, split at runs of spaces and tabs: the first
// `count` - 1 of them, then the rest of the line.
std::vector<std::string_view> fields_of(std::string_view line, std::size_t count) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(" \t", at)) != std::string::npos) {
        const std::size_t end =
            fields.size() + 1 == count ? line.size() : line.find_first_of(" \t", at);
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

// Parses one record line of format `format` into `entry`, whose sizes count
// `unit` bytes; the problem, or empty.
std::string parse_line(const std::string& line, int format, std::size_t unit, Entry& entry) {
    const std::vector<std::string_view> fields = fields_of(line, format == 1 ? 0 : 3);
    if (fields.size() < 3 || (format == 1 && fields.size() != 3)) {
        return std::string("expected '<ms> <S|C> ") + (format == 1 ? "<hex>" : "<record>") +
               "', got " + sim::counted(fields.size(), "field");
    }
    const std::string ms(fields[0]);
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
        return "unknown direction '" + std::string(fields[1]) + "': S or C expected";
    }
    entry.from = static_cast<From>(fields[1][0]);
    std::string problem;
    auto record = format == 1 ? records::record_of_hex(fields[2], unit, problem)
                              : records::record_of(fields[2], unit, problem);
    if (!record) {
        return problem;
    }
    entry.record = std::move(*record);
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
    int format = 0;
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
            if (line != kFirstLine && line != kFormat1Line) {
                return fail(std::string("not a capture of this format: the first line must be '") +
                            kFirstLine + "' (or '" + kFormat1Line + "')");
            }
            format = line == kFirstLine ? 2 : 1;
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
        if (const std::string problem = parse_line(line, format, capture.unit, entry);
            !problem.empty()) {
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

std::string record_line(long long ms, From from, std::span<const uint8_t> record,
                        std::size_t unit) {
    std::string line = records::line_of(record, unit);
    // What is replayed must be what was captured, whatever the text form
    // makes of a record: a line that does not read back exactly is hex.
    std::string ignored;
    const auto back = records::record_of(line, unit, ignored);
    if (!back || !std::equal(back->begin(), back->end(), record.begin(), record.end())) {
        line = sim::hex_of(record.data(), record.size()) +
               "  # its line by name does not read back exactly";
    }
    return std::to_string(ms) + " " + static_cast<char>(from) + " " + line;
}

void print(const Capture& capture, std::ostream& out) {
    out << kFirstLine << "\n";
    if (capture.unit == 4) {
        out << kWordUnitsLine << "\n";
    }
    for (const Entry& entry : capture.entries) {
        out << record_line(entry.ms, entry.from, entry.record, capture.unit) << "\n";
    }
}

}  // namespace capture
