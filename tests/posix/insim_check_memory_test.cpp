// insim_check stays within a bound of memory whatever a program sends: a
// program that floods it with records made it keep every byte, twice, and
// grow by hundreds of megabytes a case. The peak is the largest resident
// size among the test's children that have ended, which the system keeps
// (getrusage's RUSAGE_CHILDREN): the checker, and the program it started.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <regex>
#include <string>

#include "tests/support/child_process.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildProcess;

constexpr long kBoundKiB = 64 * 1024;

TEST(CheckMemory, StaysBoundedUnderAFlood) {
#ifdef TOOLS_UNDER_SANITIZER
    GTEST_SKIP() << "a sanitizer's own memory hides the checker's";
#endif
    ChildProcess check(INSIM_CHECK_PROGRAM,
                       {"--port", "0", "--exec", std::string(CHECK_SUBJECT_PROGRAM) + " flood",
                        "--cases", "keepalive/2"});
    ASSERT_EQ(check.wait(60s), 0) << check.out() << check.err();
    rusage children{};
    ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &children), 0);
    // It took more than the bound, so that keeping it would have broken it.
    std::smatch taken;
    const std::string out = check.out();
    ASSERT_TRUE(std::regex_search(out, taken, std::regex(R"((\d+) bytes, from the program)")))
        << out;
    EXPECT_GT(std::stoll(taken[1]), kBoundKiB * 1024LL) << out;
    EXPECT_LT(children.ru_maxrss, kBoundKiB) << "KiB at the peak\n" << out;
}

}  // namespace
