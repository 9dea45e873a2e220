// insim_tap when a side resets its connection while a fault holds records
// for it. POSIX only: Wine reports a reset as the end of the stream, after
// which the tap cannot tell that the side is gone (it may only have ended
// its sending).
#include <chrono>
#include <thread>

#include "tests/support/tap_session.h"

namespace test_support {
namespace {

// The simulator resets its connection while a fault holds the program's
// records for it: they cannot go, the capture counts them, and the status
// says so.
TapEnding simulator_resets_while_a_fault_holds() {
    return {"simulator_resets_while_latency_holds",
            {.tap_args = {"--fault", "to-simulator:latency=1000"}},
            [](TapSession& s) {
                const sim::Bytes button = {12, insim::ISP_BTN, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};
                ASSERT_TRUE(s.program_sends(sim::concat({button, button, button, button, button})));
                s.program->shut_down_sending();
                // The tap reads them within the hold, long before it lets
                // any go.
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                s.simulator.reset_client();
                EXPECT_TRUE(s.program->wait_closed(kWait));
                s.program->close();
            },
            1,
            "",
            {"# 60 bytes from the program were not delivered to the simulator, 60 of them held "
             "by a fault when the simulator's connection ended",
             "insim_tap: 60 bytes from the program were not delivered to the simulator"}};
}

// The program closes its connection while a fault holds the simulator's
// records for it; the tap sees only the end of its stream, and finds it gone
// when they go (regression: they were counted as plain undelivered, with
// status 0 and no line).
TapEnding program_closes_while_a_fault_holds() {
    return {"program_closes_while_latency_holds",
            {.tap_args = {"--fault", "to-program:latency=500"}},
            [](TapSession& s) {
                const sim::Bytes report = sim::car_report({{1, 2}});
                ASSERT_TRUE(s.simulator_sends(sim::concat({report, report, report, report})));
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                s.program->close();
                EXPECT_TRUE(s.simulator.wait_closed(kWait)) << "the end is passed on";
                s.simulator.close_client();
            },
            1,
            "the program closed the connection",
            {" of them held by a fault when the program's connection ended", "insim_tap: "}};
}

INSTANTIATE_TEST_SUITE_P(Resets, TapEndings,
                         ::testing::Values(simulator_resets_while_a_fault_holds(),
                                           program_closes_while_a_fault_holds()),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace test_support
