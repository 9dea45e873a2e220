// A program that insim_check started ends with it, however the checker ends:
// one that outlived it would keep the port and spoil the next run.
#include <gtest/gtest.h>
#include <signal.h>

#include <regex>
#include <thread>

#include "tests/support/child_process.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildProcess;

struct Ending {
    std::string label;
    int signal;
};

class CheckEnding : public ::testing::TestWithParam<Ending> {};

TEST_P(CheckEnding, EndsTheProgramItStarted) {
    // The subject says its process identifier, and waits on after the close
    // (as close/1 allows), so that only the checker's end can end it.
    ChildProcess check(INSIM_CHECK_PROGRAM,
                       {"--port", "0", "--exec", std::string(CHECK_SUBJECT_PROGRAM) + " lingers",
                        "--cases", "close/1"});
    ASSERT_TRUE(check.wait_for_output(" lingers\n", 20s)) << check.err();
    std::smatch said;
    const std::string err = check.err();
    ASSERT_TRUE(std::regex_search(err, said, std::regex(R"(check_subject (\d+) lingers)"))) << err;
    const auto program = static_cast<pid_t>(std::stol(said[1]));
    ASSERT_EQ(::kill(static_cast<pid_t>(check.pid()), GetParam().signal), 0);
    check.wait(20s);
    bool gone = false;
    for (int i = 0; i < 200 && !gone; ++i) {
        gone = ::kill(program, 0) != 0;
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(gone) << "the program " << program << " outlived the checker";
    if (!gone) {
        ::kill(program, SIGKILL);
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, CheckEnding,
                         ::testing::Values(Ending{"sigint", SIGINT}, Ending{"sigterm", SIGTERM},
                                           Ending{"sigkill", SIGKILL}),
                         [](const auto& info) { return info.param.label; });

}  // namespace
