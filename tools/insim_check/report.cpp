#include "tools/insim_check/report.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "tools/protocol/record_text.h"

namespace insim_check {
namespace {

constexpr std::ptrdiff_t kAround = 3;  // records shown before and after

const char* result_name(Outcome::Result result) {
    switch (result) {
        case Outcome::Result::kPass:
            return "PASS";
        case Outcome::Result::kFail:
            return "FAIL";
        default:
            return "SKIP";
    }
}

std::string xml_escaped(const std::string& text) {
    std::string escaped;
    for (const char c : printable(text)) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string seconds_text(double seconds) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(3) << seconds;
    return text.str();
}

// A record heard, as a capture line gives it: its time, its side and the
// record read out, long texts cut.
std::string capture_line(const Exchanged& heard) {
    return std::to_string(static_cast<long long>(heard.ms)) + " " + heard.from + " " +
           records::shown(heard.record);
}

std::size_t count_of(const std::vector<Judged>& all, Outcome::Result result) {
    return static_cast<std::size_t>(
        std::count_if(all.begin(), all.end(),
                      [&](const Judged& judged) { return judged.outcome.result == result; }));
}

}  // namespace

std::string printable(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        if ((c < ' ' && c != '\n') || static_cast<unsigned char>(c) > '~') {
            c = '?';
        }
    }
    return shown;
}

std::vector<Exchanged> excerpt_around(const std::vector<Exchanged>& exchange, double at_ms) {
    if (at_ms < 0 || exchange.empty()) {
        return {};
    }
    const auto at = std::find_if(exchange.begin(), exchange.end(),
                                 [&](const Exchanged& heard) { return heard.ms >= at_ms; });
    const auto first = at - std::min(kAround, at - exchange.begin());
    const auto last = at + std::min(kAround, exchange.end() - at);
    return {first, last};
}

void print_judged(std::ostream& out, const Judged& judged) {
    const Case& c = *judged.which;
    const Outcome& o = judged.outcome;
    out << result_name(o.result) << "  " << c.id << "  " << level_name(c.level) << "  " << c.title;
    if (c.clocks[0] != '\0') {
        out << "  (" << c.clocks << ")";
    }
    if (!o.note.empty()) {
        out << ": " << printable(o.note);
    }
    out << "\n";
    if (o.result != Outcome::Result::kFail) {
        return;
    }
    out << "      rule:     " << c.rule << "\n"
        << "      expected: " << printable(o.expected) << "\n"
        << "      came:     " << printable(o.came) << "\n";
    if (!judged.excerpt.empty()) {
        out << "      records around it (ms since the connection, S simulator, C program):\n";
        for (const Exchanged& heard : judged.excerpt) {
            out << "        " << capture_line(heard) << "\n";
        }
    }
}

std::string counts_line(const std::vector<Judged>& all) {
    return std::to_string(count_of(all, Outcome::Result::kPass)) + " passed, " +
           std::to_string(count_of(all, Outcome::Result::kFail)) + " failed, " +
           std::to_string(count_of(all, Outcome::Result::kSkip)) + " skipped";
}

bool write_junit(const std::string& path, const std::vector<Judged>& all) {
    const std::size_t failures = count_of(all, Outcome::Result::kFail);
    const std::size_t skipped = count_of(all, Outcome::Result::kSkip);
    double seconds = 0;
    for (const Judged& judged : all) {
        seconds += judged.seconds;
    }
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites name=\"insim_check\" tests=\"" << all.size() << "\" failures=\"" << failures
        << "\" errors=\"0\" skipped=\"" << skipped << "\" time=\"" << seconds_text(seconds)
        << "\">\n"
        << "  <testsuite name=\"insim_check\" tests=\"" << all.size() << "\" failures=\""
        << failures << "\" errors=\"0\" skipped=\"" << skipped << "\" time=\""
        << seconds_text(seconds) << "\">\n";
    for (const Judged& judged : all) {
        const Case& c = *judged.which;
        const Outcome& o = judged.outcome;
        const std::string id = c.id;
        xml << "    <testcase classname=\"insim_check." << xml_escaped(id.substr(0, id.find('/')))
            << "\" name=\"" << xml_escaped(id + " " + level_name(c.level) + " " + c.title)
            << "\" time=\"" << seconds_text(judged.seconds) << "\">\n";
        if (o.result == Outcome::Result::kFail) {
            xml << "      <failure type=\"" << level_name(c.level) << "\" message=\""
                << xml_escaped("expected " + o.expected + "; came " + o.came) << "\">"
                << xml_escaped(std::string("rule: ") + c.rule);
            for (const Exchanged& heard : judged.excerpt) {
                xml << "\n" << xml_escaped(capture_line(heard));
            }
            xml << "</failure>\n";
        } else if (o.result == Outcome::Result::kSkip) {
            xml << "      <skipped message=\"" << xml_escaped(o.note) << "\"/>\n";
        }
        xml << "      <system-out>"
            << xml_escaped(std::string(c.clocks) + "\n" + o.note + "\n" + judged.output)
            << "</system-out>\n"
            << "    </testcase>\n";
    }
    xml << "  </testsuite>\n</testsuites>\n";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << xml.str();
    file.flush();
    return static_cast<bool>(file);
}

}  // namespace insim_check
