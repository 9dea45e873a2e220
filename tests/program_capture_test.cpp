// A lap of the built program recorded through insim_tap, then replayed to the
// program by fake_lfs: the capture holds the session in order, replays with
// --expect, and an edited capture names the line where the program differs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"
#include "tests/support/program_fixture.h"
#include "tools/capture/capture_file.h"

namespace {

using namespace test_support;

class ProgramCapture : public ::testing::Test {
  protected:
    // Records the program's lap against fake_lfs, with the tap on the
    // program's port.
    void SetUp() override {
        uint16_t simulator_port = 0;
        auto simulator = start_fake_lfs({"--port", "0", "--interval", "20", "--keepalive", "100"},
                                        &simulator_port);
        auto tap = start_listening(INSIM_TAP_PROGRAM,
                                   {"--to", std::to_string(simulator_port), "--out", file});
        ChildProcess program(STREET_NAMES_PROGRAM);
        EXPECT_EQ(program.wait(10s), kStatusOfMinusOne);
        EXPECT_EQ(program.out(), kStandInVersionLine);
        EXPECT_EQ(simulator->wait(kWait), 0);
        EXPECT_EQ(tap->wait(kWait), 0) << tap->err();
    }
    void TearDown() override { std::filesystem::remove(file); }

    // Replays `capture` to a new run of the program; fake_lfs's status.
    std::optional<long> replay(const std::string& capture) {
        replayed = start_fake_lfs({"--replay", capture, "--expect"});
        ChildProcess program(STREET_NAMES_PROGRAM);
        EXPECT_EQ(program.wait(10s), kStatusOfMinusOne);
        EXPECT_EQ(program.out(), kStandInVersionLine);
        return replayed->wait(kWait);
    }

    const std::string file =
        ::testing::TempDir() + "lap_" + std::to_string(current_process_id()) + ".txt";
    std::unique_ptr<ChildProcess> replayed;
};

TEST_F(ProgramCapture, HoldsTheSessionInOrderAndReplaysWithExpect) {
    std::string error;
    const auto capture = capture::read_capture(file, error);
    ASSERT_TRUE(capture) << error;
    // Introduction, version, then each report before the button that answers it.
    ASSERT_GE(capture->entries.size(), 2u);
    EXPECT_EQ(capture->entries[0].from, capture::From::kClient);
    EXPECT_EQ(capture->entries[0].record[1], insim::ISP_ISI);
    EXPECT_EQ(capture->entries[1].from, capture::From::kSimulator);
    EXPECT_EQ(capture->entries[1].record[1], insim::ISP_VER);
    int reports = 0;
    int buttons = 0;
    for (const capture::Entry& entry : capture->entries) {
        reports += entry.record[1] == insim::ISP_MCI;
        if (entry.record[1] == insim::ISP_BTN) {
            ++buttons;
            // On a busy machine the next report may go before an answer.
            EXPECT_LE(buttons, reports) << "line " << entry.line << " comes after its report";
        }
    }
    EXPECT_EQ(reports, 16);
    EXPECT_EQ(buttons, 16);

    EXPECT_EQ(replay(file), 0) << replayed->err();
    EXPECT_NE(replayed->out().find("replay done"), std::string::npos) << replayed->out();
}

TEST_F(ProgramCapture, AnEditedButtonTextFailsAtItsLine) {
    // "Chicane" becomes "Chicano" in the first button that names it.
    std::ifstream in(file, std::ios::binary);
    std::ostringstream edited;
    std::string changed;
    std::size_t number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::size_t at =
            line.find(capture::hex_of(sim::Bytes{'C', 'h', 'i', 'c', 'a', 'n', 'e'}));
        if (changed.empty() && line.find(" C ") != std::string::npos && at != std::string::npos) {
            changed = std::to_string(number);
            line.replace(at + 12, 2, capture::hex_of(sim::Bytes{'o'}));
        }
        edited << line << "\n";
    }
    ASSERT_FALSE(changed.empty());
    const std::string edited_file = file + ".edited";
    std::ofstream(edited_file, std::ios::binary) << edited.str();

    EXPECT_EQ(replay(edited_file), 1);
    std::filesystem::remove(edited_file);
    EXPECT_EQ(replayed->err().rfind(edited_file + ":" + changed + ": expected ", 0), 0u)
        << replayed->err();
    EXPECT_NE(replayed->err().find("43686963616e6f"), std::string::npos) << "expected text";
}

}  // namespace
