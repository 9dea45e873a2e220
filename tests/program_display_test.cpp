// The built program's display loop, against a peer on its fixed port, and the
// program driven round a lap by fake_lfs.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "app/street_areas.h"
#include "tests/support/child_process.h"
#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"
#include "tests/support/program_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

// The button the program must send for an area name, byte for byte.
Bytes button_for(const std::string& name) {
    const std::size_t size = 12 + (name.size() + 3) / 4 * 4;
    Bytes button = {static_cast<uint8_t>(size), 45, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};
    button.insert(button.end(), name.begin(), name.end());
    button.resize(size, 0);
    return button;
}

using ProgramDisplay = ProgramTest;

struct ButtonCase {
    std::string label;
    sim::CarPosition first_car;
    std::string name;
};

class ProgramButtons : public ProgramDisplay, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ProgramButtons, ReportBecomesTheAreaButton) {
    const ButtonCase& c = GetParam();
    ASSERT_TRUE(peer.send(sim::car_report({c.first_car, {0, 0}})));
    auto button = peer.read_record(kWait);
    ASSERT_TRUE(button);
    EXPECT_EQ(*button, button_for(c.name));
    expect_clean_end();
}

INSTANTIATE_TEST_SUITE_P(
    Areas, ProgramButtons,
    ::testing::Values(ButtonCase{"backstraight", {330 * kMetre, -300 * kMetre}, "Backstraight"},
                      ButtonCase{"chicane", {50 * kMetre, 550 * kMetre}, "Chicane"},
                      ButtonCase{"sector2", {160 * kMetre, -700 * kMetre}, "Sector 2"},
                      ButtonCase{"no_area", {0, 0}, ""},
                      // -729.5 m is -729 (truncated toward zero), inside the backstraight;
                      // rounding down would give -730, on its lowest edge, outside.
                      ButtonCase{"truncates_toward_zero",
                                 {420 * kMetre, -729 * kMetre - kMetre / 2},
                                 "Backstraight"},
                      // -1.5 m is -1: (-1, 0) and (-2, 0) are both in no area, so the name
                      // is empty either way; the button still goes out.
                      ButtonCase{"negative_fraction", {-98304, 0}, ""}),
    [](const auto& info) { return info.param.label; });

TEST_F(ProgramDisplay, OnlyReportsWithAFirstCarMakeButtons) {
    Bytes no_cars = sim::car_report({});
    Bytes cut = sim::car_report({{50 * kMetre, 550 * kMetre}});
    cut.resize(16);  // ends before the first car's Y
    cut[0] = 16;
    const Bytes other = {8, 60, 0, 0, 1, 2, 3, 4};
    ASSERT_TRUE(peer.send(sim::concat({no_cars, cut, other, sim::tiny_record(2), Bytes{1},
                                       sim::car_report({{160 * kMetre, -700 * kMetre}})})));
    auto button = peer.read_record(kWait);
    ASSERT_TRUE(button);
    EXPECT_EQ(*button, button_for("Sector 2")) << "the first button answers the last report";
    EXPECT_FALSE(peer.readable(100ms));
    expect_clean_end();
}

TEST_F(ProgramDisplay, EveryReportGetsItsButtonInOrder) {
    const sim::CarPosition chicane{50 * kMetre, 550 * kMetre};
    const sim::CarPosition nowhere{0, 0};
    const sim::CarPosition backstraight{250 * kMetre, 0};
    // Two alike, then several in one receive, then one byte at a time.
    ASSERT_TRUE(peer.send(sim::car_report({chicane})));
    ASSERT_TRUE(peer.send(sim::car_report({chicane})));
    ASSERT_TRUE(peer.send(sim::concat({sim::car_report({nowhere}), sim::car_report({backstraight}),
                                       sim::tiny_record(0), sim::car_report({chicane})})));
    ASSERT_TRUE(peer.send(sim::car_report({backstraight}), 1, 1ms));
    const std::vector<Bytes> expected = {
        button_for("Chicane"),      button_for("Chicane"), button_for(""),
        button_for("Backstraight"), Bytes{4, 3, 0, 0},     button_for("Chicane"),
        button_for("Backstraight")};
    for (const Bytes& record : expected) {
        auto got = peer.read_record(kWait);
        ASSERT_TRUE(got);
        EXPECT_EQ(*got, record);
    }
    expect_clean_end();
}

TEST(FakeLfsLap, DrivesTheProgramRoundALap) {
    auto simulator = start_fake_lfs({"--interval", "20", "--keepalive", "100"});
    ChildProcess program(STREET_NAMES_PROGRAM);
    EXPECT_EQ(program.wait(10s), kStatusOfMinusOne);
    EXPECT_EQ(simulator->wait(10s), 0);
    EXPECT_EQ(program.out(), kStandInVersionLine);
    const std::string& out = simulator->out();
    for (const char* text : {"button 237 \"Backstraight\"  car at (330, -300) m",
                             "button 237 \"Chicane\"  car at (50, 580) m",
                             "button 237 \"Sector 2\"  car at (160, -700) m",
                             "button 237 \"\"  car at (0, 0) m", "1 lap driven; closing"}) {
        const std::string line = text + kLineEnd;
        EXPECT_NE(out.find(line), std::string::npos) << line << "missing from:\n" << out;
    }
    EXPECT_EQ(simulator->err(), "");
}

// With more than 8 cars every interval brings several reports: the program
// answers each with the area of that report's first car, and keeps running.
TEST(FakeLfsLap, ManyCarsGetOneButtonPerReport) {
    auto simulator = start_fake_lfs({"--cars", "20", "--interval", "100"});
    ChildProcess program(STREET_NAMES_PROGRAM);
    EXPECT_EQ(program.wait(20s), kStatusOfMinusOne);
    EXPECT_EQ(simulator->wait(kWait), 0);
    EXPECT_EQ(program.out(), kStandInVersionLine);
    EXPECT_EQ(simulator->err(), "") << "no record the simulator would refuse";

    street_names::addAreaCorners();  // the program's own table, in this process
    std::vector<std::string> names;
    std::istringstream lines(simulator->out());
    for (std::string line; std::getline(lines, line);) {
        std::smatch button;
        if (!std::regex_search(
                line, button,
                std::regex(R"re(^button 237 "(.*)"  car at \((-?\d+), (-?\d+)\) m)re"))) {
            continue;
        }
        const geometry::Point at(std::stoi(button[2]), std::stoi(button[3]));
        EXPECT_EQ(button[1].str(), street_names::areaNameAt(at)) << line;
        names.push_back(button[1]);
    }
    // The lap of the first car, and then the 15.2 steps that the last of 20,
    // spread round the lap behind it, needs to cross the line too: 32
    // intervals.
    ASSERT_EQ(names.size(), 32u * 3) << "32 intervals of 3 reports:\n" << simulator->out();
    bool areas_differ = false;
    for (std::size_t at = 0; at < names.size(); at += 3) {
        areas_differ |= names[at] != names[at + 1] || names[at] != names[at + 2];
    }
    EXPECT_TRUE(areas_differ) << "the reports' first cars are spread round the lap";
}

TEST(FakeLfsOptions, RefusesBadOptionsAndABusyPort) {
    ChildProcess bad_number(FAKE_LFS_PROGRAM, {"--laps", "many"});
    EXPECT_EQ(bad_number.wait(kWait), 2);
    EXPECT_NE(bad_number.err().find("--laps needs a whole number"), std::string::npos);

    ChildProcess unknown(FAKE_LFS_PROGRAM, {"--fast"});
    EXPECT_EQ(unknown.wait(kWait), 2);
    EXPECT_NE(unknown.err().find("unknown option"), std::string::npos);

    sim::SimPeer busy(kProgramPort);
    ChildProcess second(FAKE_LFS_PROGRAM);
    EXPECT_EQ(second.wait(kWait), 1);
    // The cause is the system's own text, which differs by platform.
    EXPECT_EQ(second.err().rfind("fake_lfs: cannot listen on 127.0.0.1:29999: ", 0), 0u)
        << second.err();
}

}  // namespace

namespace {

// A client that names a UDP port gets its car reports by datagram, from the
// simulator's port; keep-alives and everything else stay on the stream.
TEST(FakeLfsDatagrams, ReportsGoToTheClientsUdpPort) {
    uint16_t port = 0;
    {
        sim::SimPeer probe;  // a free port for fake_lfs
        port = probe.port();
    }
    // Laps that outlast the test: fake_lfs ends as its one program leaves.
    auto simulator =
        start_fake_lfs({"--port", std::to_string(port), "--interval", "20", "--laps", "100"});
    insim::InsimConnection connection;
    insim::IS_VER version{};
    ASSERT_EQ(connection.open("127.0.0.1", port, "udp client", "", &version, '!', insim::ISF_MCI,
                              20, port + 1),
              0);
    for (int i = 0; i < 3; ++i) {
        auto read = std::async(std::launch::async, [&] { return connection.read_datagram(); });
        ASSERT_EQ(read.wait_for(kWait), std::future_status::ready);
        ASSERT_EQ(read.get(), 0);
        EXPECT_EQ(static_cast<uint8_t>(connection.datagram_type()), insim::ISP_MCI);
    }
    ASSERT_EQ(connection.close(), 0);
    EXPECT_EQ(simulator->wait(kWait), 0);
    EXPECT_NE(simulator->out().find("(car reports by datagram)"), std::string::npos);
    EXPECT_NE(simulator->out().find("close request; closing"), std::string::npos);
}

}  // namespace
