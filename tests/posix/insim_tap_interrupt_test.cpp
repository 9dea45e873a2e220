// A signal ends insim_tap's session as the end of both sides would: each side
// sees the end of its stream, and the capture is complete (POSIX: the test
// sends the signals; on Windows the same path serves Ctrl+C, Ctrl+Break and
// the console window closing).
#include <signal.h>

#include "tests/support/tap_session.h"

namespace test_support {
namespace {

TapEnding signalled(const std::string& label, int signal) {
    return {label,
            {},
            [signal](TapSession& s) {
                ASSERT_TRUE(s.simulator_sends(sim::tiny_record(insim::TINY_NONE)));
                ASSERT_TRUE(s.program->read_record(kWait));
                ASSERT_EQ(::kill(static_cast<pid_t>(s.tap->pid()), signal), 0);
                EXPECT_TRUE(s.program->wait_closed(kWait));
                EXPECT_TRUE(s.simulator.wait_closed(kWait));
                s.program->close();
                s.simulator.close_client();
            },
            0,
            "interrupted",
            {}};
}

INSTANTIATE_TEST_SUITE_P(Signals, TapEndings,
                         ::testing::Values(signalled("sigint", SIGINT),
                                           signalled("sigterm", SIGTERM),
                                           signalled("sighup", SIGHUP)),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace test_support

namespace test_support {
namespace {

// Ctrl+C before any client came: each tool says it was interrupted and ends
// with status 0, and the tap leaves an existing capture as it was.
TEST(InterruptedBeforeAClient, EachToolSaysSo) {
    const std::string file =
        ::testing::TempDir() + "kept_" + std::to_string(current_process_id()) + ".txt";
    const std::string earlier = "# insim capture 1\n";
    std::ofstream(file, std::ios::binary) << earlier;
    const std::pair<std::string, std::vector<std::string>> tools[] = {
        {FAKE_LFS_PROGRAM, {"--port", "0"}},
        {INSIM_TAP_PROGRAM, {"--listen", "0", "--out", file}},
    };
    for (const auto& [tool, args] : tools) {
        auto started = start_listening(tool, args);
        ASSERT_EQ(::kill(static_cast<pid_t>(started->pid()), SIGINT), 0);
        EXPECT_EQ(started->wait(kWait), 0) << tool;
        EXPECT_NE(started->out().find("interrupted"), std::string::npos) << started->out();
        EXPECT_EQ(started->err(), "") << tool;
    }
    EXPECT_EQ(read_file(file), earlier);
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace test_support
