// A program's output cut into lines, whatever pieces it comes in: whole, in
// chunks and a byte at a time, each way the same lines.
#include "tools/engine/output_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LinesCase {
    std::string label;
    std::string output;
    std::vector<std::string> lines;
};

void PrintTo(const LinesCase& c, std::ostream* out) {
    *out << c.label;
}

class OutputLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(OutputLinesTest, SameLinesInAnyPieces) {
    const LinesCase& c = GetParam();
    for (const std::size_t piece : {c.output.size(), std::size_t{3}, std::size_t{1}}) {
        std::vector<std::string> lines;
        engine::OutputLines cutter([&](const std::string& line) { lines.push_back(line); });
        for (std::size_t at = 0; at < c.output.size(); at += piece) {
            cutter.feed(c.output.data() + at, std::min(piece, c.output.size() - at));
        }
        cutter.finish();
        EXPECT_EQ(lines, c.lines) << "pieces of " << piece;
    }
}

const std::string kLong(engine::OutputLines::kLongestLine, 'x');

INSTANTIATE_TEST_SUITE_P(Outputs, OutputLinesTest,
                         ::testing::Values(LinesCase{"lines", "one\ntwo\n", {"one", "two"}},
                                           LinesCase{"crlf", "one\r\ntwo\r\n", {"one", "two"}},
                                           LinesCase{
                                               "empty_line", "one\n\ntwo\n", {"one", "", "two"}},
                                           // The last line counts although it has no end.
                                           LinesCase{"unended", "one\ntwo", {"one", "two"}},
                                           // A line that never ends cannot fill memory.
                                           LinesCase{"long", kLong + "yz\n", {kLong, "yz"}}),
                         [](const auto& info) { return info.param.label; });

}  // namespace
