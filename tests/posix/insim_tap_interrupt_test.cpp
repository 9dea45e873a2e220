// Ctrl+C ends insim_tap's session cleanly: both sides are closed and the
// capture is complete (POSIX: the test sends SIGINT).
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"
#include "tools/capture_file.h"

namespace {

using namespace test_support;

TEST(TapInterrupted, ClosesBothSidesAndCompletesTheFile) {
    const std::string file =
        ::testing::TempDir() + "tap_interrupted_" + std::to_string(current_process_id()) + ".txt";
    sim::SimPeer simulator;
    uint16_t port = 0;
    auto tap = start_listening(
        INSIM_TAP_PROGRAM,
        {"--listen", "0", "--to", std::to_string(simulator.port()), "--out", file}, &port);
    sim::SimClient client(port);
    ASSERT_TRUE(simulator.accept(kWait));
    ASSERT_TRUE(simulator.send(sim::tiny_record(insim::TINY_NONE)));
    ASSERT_TRUE(client.read_record(kWait));

    ASSERT_EQ(::kill(static_cast<pid_t>(tap->pid()), SIGINT), 0);
    EXPECT_TRUE(client.wait_closed(kWait));
    EXPECT_TRUE(simulator.wait_closed(kWait));
    EXPECT_EQ(tap->wait(kWait), 0);
    std::string error;
    const auto capture = capture::read_capture(file, error);
    ASSERT_TRUE(capture) << error;
    ASSERT_EQ(capture->entries.size(), 1u);
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::filesystem::remove(file);
    EXPECT_NE(text.str().find(" ms: interrupted\n"), std::string::npos) << text.str();
}

}  // namespace
