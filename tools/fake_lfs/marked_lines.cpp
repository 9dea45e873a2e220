#include "tools/fake_lfs/marked_lines.h"

#include <string_view>

namespace fake_lfs {
namespace {

constexpr std::string_view kToolPrefix = "fake_lfs: ";

}  // namespace

MarkedLines::MarkedLines(std::ostream& target, std::function<std::string()> mark)
    : std::ostream(nullptr), lines_(target, std::move(mark)) {
    rdbuf(&lines_);
}

MarkedLines::~MarkedLines() {
    lines_.write_rest();
}

MarkedLines::Lines::int_type MarkedLines::Lines::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    line_.push_back(traits_type::to_char_type(c));
    if (line_.back() == '\n') {
        write_line();
    }
    return c;
}

std::streamsize MarkedLines::Lines::xsputn(const char* text, std::streamsize count) {
    for (std::streamsize i = 0; i < count; ++i) {
        overflow(traits_type::to_int_type(text[i]));
    }
    return count;
}

int MarkedLines::Lines::sync() {
    target_.flush();
    return target_ ? 0 : -1;
}

void MarkedLines::Lines::write_rest() {
    if (!line_.empty()) {
        write_line();
        target_.flush();
    }
}

void MarkedLines::Lines::write_line() {
    const std::string mark = mark_();
    if (mark.empty()) {
        target_ << line_;
    } else if (std::string_view(line_).substr(0, kToolPrefix.size()) == kToolPrefix) {
        target_ << kToolPrefix << mark << ": "
                << std::string_view(line_).substr(kToolPrefix.size());
    } else {
        target_ << mark << ": " << line_;
    }
    line_.clear();
}

}  // namespace fake_lfs
