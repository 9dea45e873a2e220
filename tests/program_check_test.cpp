// insim_check's first user: the program itself, started afresh for each case
// on its fixed port 29999, keeps every rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "tests/support/child_process.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildProcess;

TEST(ProgramCheck, PassesEveryCase) {
    const std::string program =
        std::filesystem::path(STREET_NAMES_PROGRAM).make_preferred().string();
    ChildProcess check(INSIM_CHECK_PROGRAM, {"--exec", "\"" + program + "\""});
    ASSERT_EQ(check.wait(180s), 0) << check.out() << check.err();
    EXPECT_TRUE(
        std::regex_search(check.out(), std::regex(R"(\n19 passed, 0 failed, 0 skipped\r?\n$)")))
        << check.out();
}

}  // namespace
