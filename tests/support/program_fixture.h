// The built program, started against a peer on its fixed port that has
// answered its introduction with a version record.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/child_process.h"
#include "tests/support/connection_fixture.h"

namespace test_support {

constexpr uint16_t kProgramPort = 29999;
// Why a test of the program is skipped (port_29999.cpp).
inline const std::string kPortInUse =
    "port 29999 is in use, probably by the simulator; close its InSim port to run this test";
constexpr int32_t kMetre = 65536;  // positions count 1/65536 m
inline const std::string kVersionLine = "Connected to LFS 0.7F, InSim ver. 9" + kLineEnd;
// fake_lfs answers with the version in use: the program declares 0, served
// as 6.
inline const std::string kStandInVersionLine = "Connected to LFS 0.7F, InSim ver. 6" + kLineEnd;

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(peer.accept(kWait));
        ASSERT_TRUE(peer.read_introduction(kWait));
        ASSERT_TRUE(peer.send(sim::version_record("0.7F", 9)));
    }

    // Closes the connection and checks how the program ended: the status of -1 and
    // nothing printed after the version line.
    void expect_clean_end() {
        peer.close_client();
        EXPECT_EQ(program.wait(kWait), kStatusOfMinusOne);
        EXPECT_EQ(program.out(), kVersionLine) << "nothing is printed after the version line";
        EXPECT_EQ(program.err(), "");
    }

    sim::SimPeer peer{kProgramPort};
    ChildProcess program{STREET_NAMES_PROGRAM};
};

}  // namespace test_support
