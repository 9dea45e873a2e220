// The built program's start-up against a peer on its fixed port 29999.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/connection_fixture.h"
#include "tests/support/program_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

// The introduction the program must send, byte for byte.
Bytes expected_introduction() {
    Bytes isi = {44, 1, 1, 0, 0, 0, 32, 0, 0, '!', 0xE8, 0x03};
    isi.resize(28, 0);  // empty password
    const std::string name = "Sample InSim ap";
    isi.insert(isi.end(), name.begin(), name.end());
    isi.push_back(0);
    return isi;
}

TEST(ProgramStart, NoListenerGivesTheErrorLineAndStatusOfMinusOne) {
    // Arguments other than the help and the version are ignored.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"--port", "30001", "-v"}}) {
        ChildProcess program(STREET_NAMES_PROGRAM, args);
        EXPECT_EQ(program.wait(kWait), kStatusOfMinusOne);
        EXPECT_EQ(program.err(), "Error connecting to LFS!" + kLineEnd);
        EXPECT_EQ(program.out(), "");
    }
}

struct AnswerCase {
    std::string label;
    std::vector<std::string> args;
    std::string says;  // the start of standard output
};

class ProgramAnswers : public ::testing::TestWithParam<AnswerCase> {};

// Regression: these used to start a session, connecting to whatever listened.
TEST_P(ProgramAnswers, WithStatusZeroAndWithoutConnecting) {
    const AnswerCase& c = GetParam();
    sim::SimPeer peer(kProgramPort);
    ChildProcess program(STREET_NAMES_PROGRAM, c.args);
    EXPECT_EQ(program.wait(kWait), 0);
    EXPECT_EQ(program.out().substr(0, c.says.size()), c.says);
    EXPECT_EQ(program.err(), "");
    // The program has ended: a connection it made would be waiting already.
    EXPECT_FALSE(peer.accept(std::chrono::milliseconds(100)));
}

const std::string kUsage = "Usage: street_names [-h | --help | --version]" + kLineEnd;

INSTANTIATE_TEST_SUITE_P(Options, ProgramAnswers,
                         ::testing::Values(AnswerCase{"h", {"-h"}, kUsage},
                                           AnswerCase{"help", {"--help"}, kUsage},
                                           AnswerCase{"version",
                                                      {"--version"},
                                                      "street_names " PROJECT_VERSION + kLineEnd},
                                           AnswerCase{"first_of_two",
                                                      {"extra", "--version", "--help"},
                                                      "street_names " PROJECT_VERSION + kLineEnd}),
                         [](const auto& info) { return info.param.label; });

TEST(ProgramHelp, SaysWhereItConnectsHowToOpenThePortAndItsExitStatuses) {
    ChildProcess program(STREET_NAMES_PROGRAM, {"--help"});
    ASSERT_EQ(program.wait(kWait), 0);
    for (const char* part : {"127.0.0.1:29999", "/insim 29999", "Connected to LFS",
                             "Error connecting to LFS!", "Exit status: 0"}) {
        EXPECT_NE(program.out().find(part), std::string::npos) << part;
    }
}

TEST(ProgramStart, FirstRecordNotAVersionGivesTheErrorLine) {
    sim::SimPeer peer(kProgramPort);
    ChildProcess program(STREET_NAMES_PROGRAM);
    ASSERT_TRUE(peer.accept(kWait));
    ASSERT_TRUE(peer.read_introduction(kWait));
    ASSERT_TRUE(peer.send(sim::tiny_record(2)));
    EXPECT_TRUE(peer.wait_closed(kWait));
    EXPECT_EQ(program.wait(kWait), kStatusOfMinusOne);
    EXPECT_EQ(program.err(), "Error connecting to LFS!" + kLineEnd);
    EXPECT_EQ(program.out(), "");
}

struct VersionCase {
    std::string label;
    std::string version;
    uint16_t insim_version;
    std::string line;
};

class ProgramVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ProgramVersion, IntroducesItselfPrintsTheVersionAndEndsWhenThePeerCloses) {
    const VersionCase& c = GetParam();
    sim::SimPeer peer(kProgramPort);
    ChildProcess program(STREET_NAMES_PROGRAM);
    ASSERT_TRUE(peer.accept(kWait));
    ASSERT_TRUE(peer.read_introduction(kWait));
    EXPECT_EQ(peer.received(), expected_introduction());
    ASSERT_TRUE(peer.send(sim::version_record(c.version.c_str(), c.insim_version)));
    ASSERT_TRUE(peer.send(sim::tiny_record(0, 9)));
    auto answer = peer.read_record(kWait);
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, (Bytes{4, 3, 0, 0}));
    peer.close_client();
    EXPECT_EQ(program.wait(kWait), kStatusOfMinusOne);
    EXPECT_EQ(program.out(), c.line);
    EXPECT_EQ(program.err(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ProgramVersion,
    ::testing::Values(VersionCase{"short", "0.7F", 9,
                                  "Connected to LFS 0.7F, InSim ver. 9" + kLineEnd},
                      VersionCase{"eight_characters_no_terminator", "12345678", 65535,
                                  "Connected to LFS 12345678, InSim ver. 65535" + kLineEnd}),
    [](const auto& info) { return info.param.label; });

}  // namespace
