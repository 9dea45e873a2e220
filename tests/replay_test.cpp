// fake_lfs --replay refuses a malformed capture before it listens, naming the
// line, and refuses options that do not fit a replay.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/connection_fixture.h"

namespace {

using namespace test_support;

struct MalformedCase {
    std::string label;
    std::string text;   // the file
    std::string error;  // after "FILE:"
};

class ReplayRefuses : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(ReplayRefuses, AMalformedCaptureWithItsLineAndStatusTwo) {
    const MalformedCase& c = GetParam();
    const std::string file = ::testing::TempDir() + "malformed_" + c.label + "_" +
                             std::to_string(current_process_id()) + ".txt";
    std::ofstream(file, std::ios::binary) << c.text;
    ChildProcess replay(FAKE_LFS_PROGRAM, {"--replay", file, "--port", "0"});
    EXPECT_EQ(replay.wait(kWait), 2);
    std::filesystem::remove(file);
    EXPECT_EQ(replay.err(), file + ":" + c.error + kLineEnd);
    EXPECT_EQ(replay.out(), "") << "it never listens";
}

// Each case starts with a header, a comment and a blank line that count as
// lines 1 to 3, ended by CR LF as an editor on Windows may leave them.
const std::string kHead = "# insim capture 1\r\n# recorded by hand\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, ReplayRefuses,
    ::testing::Values(
        MalformedCase{"later_format", "# insim capture 2\n0 S 04030000\n",
                      "1: not a capture of this format: the first line must be '# insim "
                      "capture 1'"},
        MalformedCase{"empty", "", "1: empty: the first line must be '# insim capture 1'"},
        MalformedCase{"bad_hex", kHead + "0 S 04030000\n5 C 04030g00\n", "5: bad hex digit 'g'"},
        MalformedCase{"odd_digits", kHead + "0 S 0403000\n", "4: odd number of hex digits (7)"},
        MalformedCase{"size_byte", kHead + "0 S 0503000000\n0 S 05030000\n",
                      "5: the size byte says 5 bytes, the line holds 4"},
        MalformedCase{"size_zero", kHead + "0 S 00\n",
                      "4: the size byte says 0 bytes, the line holds 1"},
        MalformedCase{"direction", kHead + "0 X 04030000\n",
                      "4: unknown direction 'X': S or C expected"},
        MalformedCase{"time_back", kHead + "20 S 04030000\n# later\n10 C 04030000\n",
                      "6: time 10 ms goes back from 20 ms"},
        MalformedCase{"bad_time", kHead + "-5 S 04030000\n",
                      "4: bad time '-5': whole milliseconds expected"},
        MalformedCase{"fields", kHead + "0 S\n", "4: expected '<ms> <S|C> <hex>', got 2 fields"}),
    [](const auto& info) { return info.param.label; });

TEST(ReplayOptions, LapOptionsDoNotFitAReplay) {
    const std::vector<std::vector<std::string>> cases = {
        {"--replay", "x.txt", "--hostile", "5"},
        {"--cars", "3", "--replay", "x.txt"},
        {"--expect"},
        {"--replay", "x.txt", "--speed", "0"},
    };
    for (const auto& args : cases) {
        ChildProcess replay(FAKE_LFS_PROGRAM, args);
        EXPECT_EQ(replay.wait(kWait), 2) << args[0] << " " << args.back();
        EXPECT_NE(replay.err().find("Try 'fake_lfs --help'."), std::string::npos) << replay.err();
    }
}

}  // namespace
