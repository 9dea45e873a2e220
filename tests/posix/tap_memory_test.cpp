// insim_tap stays within a bound of memory whatever its faults hold: a stall
// kept all that came while it lasted, and a program that flooded the tap
// through one grew it by hundreds of megabytes. The peak is the tap's own,
// as Linux keeps it for a running process; the peak the system keeps for an
// ended child would count the test's own memory, which the child had before
// it started the tap.
#include <fstream>
#include <future>
#include <string>

#include "tests/support/tap_session.h"

namespace test_support {
namespace {

constexpr long kBoundKiB = 8 * 1024;
// Twice the bound: more than the tap reads while the stall lasts.
constexpr std::size_t kFloodBytes = 2 * kBoundKiB * 1024;

// The largest resident size process `pid` has had, in KiB; 0 when unknown.
long peak_kib(long pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    const std::string key = "VmHWM:";
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0) {
            return std::stol(line.substr(key.size()));
        }
    }
    return 0;
}

TEST(TapMemory, StaysBoundedWhileAStallHoldsAFlood) {
#ifdef TOOLS_UNDER_SANITIZER
    GTEST_SKIP() << "a sanitizer's own memory hides the tap's";
#endif
    TapSession session({.tap_args = {"--fault", "to-simulator:stall=3000@2"}});
    insim::IS_ISI introduction{};
    introduction.Size = sizeof introduction;
    introduction.Type = insim::ISP_ISI;
    const sim::Bytes button = sim::bytes_of(button_with_text(sizeof(insim::IS_BTN::Text)));
    sim::Bytes flood = sim::bytes_of(introduction);
    while (flood.size() < kFloodBytes) {
        flood.insert(flood.end(), button.begin(), button.end());
    }
    auto program_side =
        std::async(std::launch::async, [&] { return session.program_sends(flood); });
    session.simulator.forget_received();
    sim::Bytes got(flood.size());
    EXPECT_TRUE(session.simulator.read_exact(got.data(), got.size(), 60s));
    EXPECT_TRUE(program_side.get());
    EXPECT_TRUE(got == flood) << "all of it, in order, once the stall ended";
    const long peak = peak_kib(session.tap->pid());
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, kBoundKiB) << "KiB at the peak";
    session.program->close();
    EXPECT_TRUE(session.simulator.wait_closed(kWait));
    session.simulator.close_client();
    EXPECT_EQ(session.tap->wait(kWait), 0) << session.tap->err();
}

}  // namespace
}  // namespace test_support
