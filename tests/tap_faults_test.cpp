// insim_tap's faults, each kind in each direction, between the built program
// on its fixed port and fake_lfs: each fault that fires is noted in the
// capture, and where it leaves the protocol whole (latency, slices, stalls)
// the program still answers every report as it should.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/fake_lfs.h"
#include "tests/support/program_fixture.h"
#include "tests/support/tap_session.h"

namespace {

using namespace test_support;

struct FaultCase {
    std::string label;
    std::string fault;
    std::string note;  // the capture's comment, after "# fault: "
    bool whole;        // the protocol stays whole: the lap ends well
    // fake_lfs's report interval. Slices go 5 ms apart, so a sliced report
    // takes longer than 20 ms: at that interval the program falls ever
    // further behind, and the last answers come late under load.
    std::string interval_ms = "20";
};

class TapFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(TapFaults, FireAsNamedAndAreNotedInTheCapture) {
    const FaultCase& c = GetParam();
    const std::string file =
        ::testing::TempDir() + "faults_" + std::to_string(current_process_id()) + ".txt";
    uint16_t simulator_port = 0;
    auto simulator = start_fake_lfs(
        {"--port", "0", "--interval", c.interval_ms, "--keepalive", "100"}, &simulator_port);
    auto tap = start_listening(INSIM_TAP_PROGRAM, {"--to", std::to_string(simulator_port), "--out",
                                                   file, "--fault", c.fault});
    ChildProcess program(STREET_NAMES_PROGRAM);
    EXPECT_EQ(program.wait(std::chrono::seconds(10)), kStatusOfMinusOne) << program.err();
    const auto simulator_status = simulator->wait(kWait);
    EXPECT_EQ(tap->wait(kWait), 0) << tap->err();
    const std::string capture = read_file(file);
    std::filesystem::remove(file);
    EXPECT_NE(capture.find("\n# fault: " + c.note + "\n"), std::string::npos) << capture;
    if (c.whole) {
        EXPECT_EQ(simulator_status, 0) << simulator->err();
        EXPECT_EQ(program.out(), kStandInVersionLine);
        for (const char* area : {"Backstraight", "Chicane", "Sector 2"}) {
            EXPECT_NE(simulator->out().find("button 237 \"" + std::string(area) + "\""),
                      std::string::npos)
                << area << "\n"
                << simulator->out();
        }
    } else {
        EXPECT_TRUE(simulator_status.has_value()) << "fake_lfs ended";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TapFaults,
    ::testing::Values(
        FaultCase{"latency_to_program", "to-program:latency=30",
                  "to-program latency 30 ms from record 1 on", true},
        FaultCase{"latency_to_simulator", "to-simulator:latency=20~20",
                  "to-simulator latency 20~20 ms from record 1 on", true},
        FaultCase{"slice_to_program", "to-program:slice=3",
                  "to-program slice 3 bytes from record 1 on", true, "100"},
        FaultCase{"slice_to_simulator", "to-simulator:slice=5",
                  "to-simulator slice 5 bytes from record 1 on", true, "100"},
        FaultCase{"stall_to_program", "to-program:stall=300@4",
                  "to-program stall 300 ms before record 4", true},
        FaultCase{"stall_to_simulator", "to-simulator:stall=300@3",
                  "to-simulator stall 300 ms before record 3", true},
        FaultCase{"drop_to_program", "to-program:drop@5", "to-program drop record 5", false},
        FaultCase{"drop_to_simulator", "to-simulator:drop@4", "to-simulator drop record 4", false},
        FaultCase{"cut_to_program", "to-program:cut@6", "to-program cut before record 6", false},
        FaultCase{"cut_to_simulator", "to-simulator:cut@5", "to-simulator cut before record 5",
                  false},
        FaultCase{"reset_to_program", "to-program:reset@6", "to-program reset before record 6",
                  false},
        FaultCase{"reset_to_simulator", "to-simulator:reset@5",
                  "to-simulator reset before record 5", false}),
    [](const auto& info) { return info.param.label; });

}  // namespace
