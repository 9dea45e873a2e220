// The built program against a simulator that floods it or sends garbage: it
// never crashes, prints nothing after the version line, answers every report
// with one button in order, and ends with 255 when the stream ends.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"
#include "tests/support/program_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

using ProgramUnderLoad = ProgramTest;

TEST_F(ProgramUnderLoad, EveryReportOfABurstGetsOneButtonInOrder) {
    constexpr int kReports = 100000;
    // Positions cycle through the three areas and none.
    const sim::CarPosition cycle[] = {{330 * kMetre, -300 * kMetre},
                                      {50 * kMetre, 550 * kMetre},
                                      {160 * kMetre, -700 * kMetre},
                                      {0, 0}};
    const uint8_t sizes[] = {24, 20, 20, 12};
    auto sent = std::async(std::launch::async, [&] {
        Bytes burst;
        for (int i = 0; i < kReports; ++i) {
            const Bytes report = sim::car_report({cycle[i % 4]});
            burst.insert(burst.end(), report.begin(), report.end());
        }
        return peer.send(burst);
    });
    int answered = 0;
    for (; answered < kReports; ++answered) {
        auto button = peer.read_record(std::chrono::seconds(30));
        ASSERT_TRUE(button) << "after " << answered << " buttons";
        ASSERT_EQ((*button)[0], sizes[answered % 4]) << "button " << answered;
    }
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(answered, kReports);
    EXPECT_FALSE(peer.readable(std::chrono::milliseconds(50)));
    expect_clean_end();
}

TEST_F(ProgramUnderLoad, SizeByteZeroEndsTheProgramQuietly) {
    ASSERT_TRUE(peer.send(Bytes{0, 38, 0, 1}));
    EXPECT_EQ(program.wait(kWait), kStatusOfMinusOne);
    EXPECT_EQ(program.out(), kVersionLine);
    EXPECT_EQ(program.err(), "");
}

TEST(ProgramAgainstHostileSimulator, SurvivesGarbageForSeveralSeeds) {
    for (const char* seed : {"1", "2", "3", "4"}) {
        auto simulator = start_fake_lfs({"--hostile", "20000", "--seed", seed});
        ChildProcess program(STREET_NAMES_PROGRAM);
        EXPECT_EQ(program.wait(std::chrono::seconds(30)), kStatusOfMinusOne) << "seed " << seed;
        EXPECT_EQ(simulator->wait(std::chrono::seconds(30)), 0) << "seed " << seed;
        EXPECT_EQ(program.out(), kStandInVersionLine) << "seed " << seed;
        EXPECT_EQ(program.err(), "") << "seed " << seed;
        EXPECT_NE(simulator->out().find("hostile: sent 20000 records"), std::string::npos)
            << simulator->out() << simulator->err();
    }
}

}  // namespace

namespace {

TEST(ProgramUnderValgrind, LapHasNoMemoryErrors) {
#ifndef VALGRIND_PROGRAM
    GTEST_SKIP()
        << "valgrind is not available to this build (not installed, a sanitizer build, or Windows)";
#else
    auto simulator = start_fake_lfs({"--interval", "50", "--keepalive", "300"});
    ChildProcess program(VALGRIND_PROGRAM,
                         {"--quiet", "--error-exitcode=99", STREET_NAMES_PROGRAM});
    EXPECT_EQ(program.wait(std::chrono::seconds(60)), kStatusOfMinusOne) << program.err();
    EXPECT_EQ(simulator->wait(std::chrono::seconds(10)), 0);
    EXPECT_EQ(program.out(), kStandInVersionLine);
    EXPECT_EQ(program.err(), "") << "memcheck reports";
#endif
}

}  // namespace
