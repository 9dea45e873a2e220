// The tools' command lines: -h, --help and --version answer with status 0;
// a usage error names what is wrong, with status 2; a ready file that
// cannot be written ends the tool with status 1. fake_lfs --version TEXT
// still sets the version it reports as the simulator's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"

namespace {

using namespace test_support;

struct UsageCase {
    std::string label;
    std::string tool;
    std::vector<std::string> args;
    long status;
    std::string says;  // on standard output for status 0, else standard error
};

class ToolUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(ToolUsage, AnswersOrNamesWhatIsWrong) {
    const UsageCase& c = GetParam();
    ChildProcess tool(c.tool, c.args);
    EXPECT_EQ(tool.wait(kWait), c.status);
    const std::string& text = c.status == 0 ? tool.out() : tool.err();
    EXPECT_NE(text.find(c.says), std::string::npos) << text;
    if (c.status == 2) {
        EXPECT_NE(text.find("Try '"), std::string::npos) << text;
    }
}

const std::string kFakeLfs = FAKE_LFS_PROGRAM;
const std::string kTap = INSIM_TAP_PROGRAM;
const std::string kAreaMap = AREA_MAP_PROGRAM;
const std::string kCheck = INSIM_CHECK_PROGRAM;
const std::string kNoFolder = ::testing::TempDir() + "no_such_folder/ready";

INSTANTIATE_TEST_SUITE_P(
    Lines, ToolUsage,
    ::testing::Values(
        UsageCase{"fake_lfs_h", kFakeLfs, {"-h"}, 0, "Usage: fake_lfs"},
        UsageCase{"fake_lfs_help", kFakeLfs, {"--help"}, 0, "--replay FILE"},
        UsageCase{"fake_lfs_help_ninth",
                  kFakeLfs,
                  {"--help"},
                  0,
                  "A ninth program is turned away at once"},
        UsageCase{"fake_lfs_version", kFakeLfs, {"--version"}, 0, "fake_lfs " PROJECT_VERSION},
        UsageCase{"tap_h", kTap, {"-h"}, 0, "Usage: insim_tap"},
        UsageCase{"tap_version", kTap, {"--version"}, 0, "insim_tap " PROJECT_VERSION},
        UsageCase{"area_map_help", kAreaMap, {"--help"}, 0, "Usage: area_map"},
        UsageCase{"check_help", kCheck, {"--help"}, 0, "--exec CMD"},
        UsageCase{"check_version", kCheck, {"--version"}, 0, "insim_check " PROJECT_VERSION},
        UsageCase{"check_list",
                  kCheck,
                  {"--list"},
                  0,
                  "keepalive/1  SHOULD  Every keep-alive is answered within a second"},
        UsageCase{"check_unknown_case",
                  kCheck,
                  {"--cases", "intro,keepalive/9"},
                  2,
                  "insim_check: no case or topic is called 'keepalive/9'"},
        UsageCase{"area_map_version", kAreaMap, {"--version"}, 0, "area_map " PROJECT_VERSION},
        UsageCase{"records_page_help", RECORDS_PAGE_PROGRAM, {"--help"}, 0, "Usage: records_page"},
        UsageCase{"print_with_lap_options",
                  kFakeLfs,
                  {"--print", "x.txt", "--cars", "3"},
                  2,
                  "fake_lfs: --print goes alone"},
        UsageCase{
            "fake_lfs_help_requests", kFakeLfs, {"--help"}, 0, "  TINY_NCN    IS_NCN for each"},
        UsageCase{"event_of_no_verb",
                  kFakeLfs,
                  {"--at", "5s", "wave Alice"},
                  2,
                  "fake_lfs: --at 5s 'wave Alice': 'wave Alice' is no event"},
        UsageCase{"event_at_no_time",
                  kFakeLfs,
                  {"--at", "soon", "join Alice"},
                  2,
                  "fake_lfs: --at soon 'join Alice': 'soon' is not a time"},
        UsageCase{"event_with_a_word_missing",
                  kFakeLfs,
                  {"--at", "5s", "type 12"},
                  2,
                  "'type 12': type: takes CLICKID TEXT [by NAME]"},
        UsageCase{"click_beyond_the_buttons",
                  kFakeLfs,
                  {"--at", "1s", "click 240"},
                  2,
                  "click: a button's ClickID is 0 to 239, not '240'"},
        UsageCase{"events_with_garbage",
                  kFakeLfs,
                  {"--hostile", "10", "--at", "1s", "join Alice"},
                  2,
                  "fake_lfs: --at and --script do not fit --hostile"},
        UsageCase{"events_with_a_replay",
                  kFakeLfs,
                  {"--replay", "x.txt", "--script", "s.txt"},
                  2,
                  "fake_lfs: --script does not fit --replay"},
        UsageCase{"missing_value", kFakeLfs, {"--port"}, 2, "fake_lfs: missing value for --port"},
        UsageCase{"unknown_option", kFakeLfs, {"--fast"}, 2, "fake_lfs: unknown option: --fast"},
        UsageCase{
            "left_over", kAreaMap, {"a.svg", "b.svg"}, 2, "area_map: unexpected argument: b.svg"},
        UsageCase{"version_too_long",
                  kFakeLfs,
                  {"--version", "123456789"},
                  2,
                  "fake_lfs: --version takes at most 8 characters"},
        UsageCase{"no_out", kTap, {}, 2, "insim_tap: --out is required"},
        // Regression: these said only that --out is required.
        UsageCase{
            "unknown_before_missing", kTap, {"--bogus"}, 2, "insim_tap: unknown option: --bogus"},
        UsageCase{"unknown_with_value_before_missing",
                  kTap,
                  {"--port", "5"},
                  2,
                  "insim_tap: unknown option: --port"},
        UsageCase{"unknown_before_bad_value",
                  kFakeLfs,
                  {"--cars", "0", "--fast"},
                  2,
                  "fake_lfs: unknown option: --fast"},
        UsageCase{"to_zero",
                  kTap,
                  {"--out", "x", "--to", "0"},
                  2,
                  "insim_tap: --to needs a whole number from 1 to 65535, not '0'"},
        UsageCase{"same_port",
                  kTap,
                  {"--out", "x", "--listen", "5000", "--to", "5000"},
                  2,
                  "insim_tap: --listen and --to name the same port, 5000"},
        UsageCase{"repeated_option_last_counts",
                  kTap,
                  {"--out", "x", "--to", "5001", "--to", "5000", "--listen", "5000"},
                  2,
                  "insim_tap: --listen and --to name the same port, 5000"},
        UsageCase{"tap_fault_kinds", kTap, {"--help"}, 0, "to-simulator:stall=5000@4"},
        UsageCase{"fault_direction",
                  kTap,
                  {"--out", "x", "--fault", "to-nowhere:drop@1"},
                  2,
                  "insim_tap: --fault to-nowhere:drop@1: unknown direction 'to-nowhere': "
                  "to-program or to-simulator"},
        UsageCase{"fault_record",
                  kTap,
                  {"--out", "x", "--fault", "to-program:drop"},
                  2,
                  "insim_tap: --fault to-program:drop: drop needs @RECORD"},
        UsageCase{"fault_value",
                  kTap,
                  {"--out", "x", "--fault", "to-program:latency=soon"},
                  2,
                  "insim_tap: --fault to-program:latency=soon: latency needs MS or MS~JITTER"},
        UsageCase{"fault_kind",
                  kTap,
                  {"--out", "x", "--fault", "to-program:lose@1"},
                  2,
                  "unknown kind 'lose': latency, slice, stall, drop, cut or reset"},
        UsageCase{"fake_lfs_ready_file",
                  kFakeLfs,
                  {"--port", "0", "--ready-file", kNoFolder},
                  1,
                  "fake_lfs: cannot write the ready file " + kNoFolder + ": "},
        UsageCase{"tap_ready_file",
                  kTap,
                  {"--listen", "0", "--out", ::testing::TempDir() + "unused.txt", "--ready-file",
                   kNoFolder},
                  1,
                  "insim_tap: cannot write the ready file " + kNoFolder + ": "}),
    [](const auto& info) { return info.param.label; });

// Every tool's help names values alike (PORT, S, N, FILE, MS; never CLI11's
// UINT or INT) and ends with its exit statuses.
TEST(ToolHelp, NamesValuesAlikeAndEndsWithTheExitStatuses) {
    for (const std::string& tool : {kFakeLfs, kTap, kCheck, kAreaMap}) {
        ChildProcess help(tool, {"--help"});
        ASSERT_EQ(help.wait(kWait), 0) << tool;
        const std::string& text = help.out();
        for (const char* name : {" UINT", " INT", " FLOAT", " TEXT:"}) {
            EXPECT_EQ(text.find(name), std::string::npos) << tool << " says" << name;
        }
        const std::size_t last_paragraph = text.rfind(kLineEnd + kLineEnd);
        ASSERT_NE(last_paragraph, std::string::npos) << text;
        EXPECT_EQ(text.substr(last_paragraph + 2 * kLineEnd.size(), 12), "Exit status:") << text;
    }
}

// The simulator's version text, given as --version TEXT, as scripts use it.
TEST(FakeLfsVersionText, IsTheVersionItReports) {
    uint16_t port = 0;
    auto simulator = start_fake_lfs({"--port", "0", "--version", "0.6X"}, &port);
    sim::SimClient client(port);
    insim::IS_ISI isi{};
    isi.Size = sizeof isi;
    isi.Type = insim::ISP_ISI;
    isi.ReqI = 1;
    ASSERT_TRUE(client.send(sim::bytes_of(isi)));
    const auto version = client.read_record(kWait);
    ASSERT_TRUE(version);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(version->data()) + 4), "0.6X");
    ASSERT_TRUE(client.send(sim::tiny_record(insim::TINY_CLOSE)));
    EXPECT_EQ(simulator->wait(kWait), 0);
}

}  // namespace
