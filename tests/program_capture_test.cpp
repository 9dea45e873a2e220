// A lap of the built program recorded through insim_tap, then replayed to the
// program by fake_lfs: the capture holds the session in order, by name,
// replays with --expect, also in the format of older captures (hex), and an
// edited capture names the line and the field where the program differs. A
// capture written by hand, records by name and fields that are 0 left out,
// replays with --expect too.
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

// Replays `capture` with --expect to a new run of the program; fake_lfs's
// status, and fake_lfs in `replayed`.
std::optional<long> replay_to_program(const std::string& capture,
                                      std::unique_ptr<ChildProcess>& replayed,
                                      const std::string& version_line = kStandInVersionLine) {
    replayed = start_fake_lfs({"--replay", capture, "--expect"});
    ChildProcess program(STREET_NAMES_PROGRAM);
    EXPECT_EQ(program.wait(10s), kStatusOfMinusOne);
    EXPECT_EQ(program.out(), version_line);
    return replayed->wait(kWait);
}

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

    std::optional<long> replay(const std::string& capture) {
        return replay_to_program(capture, replayed);
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
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The introduction comes in the first milliseconds, whichever.
    EXPECT_NE(text.find(" C IS_ISI ReqI=1 Flags=ISF_MCI Prefix='!' Interval=1000 "
                        "IName=\"Sample InSim ap\"\n"),
              std::string::npos)
        << "records by name\n"
        << text;

    EXPECT_EQ(replay(file), 0) << replayed->err();
    EXPECT_NE(replayed->out().find("replay done"), std::string::npos) << replayed->out();
}

// The same session in the format captures had before records had names
// replays as it always did.
TEST_F(ProgramCapture, ReplaysInTheFormatOfOlderCaptures) {
    std::string error;
    const auto capture = capture::read_capture(file, error);
    ASSERT_TRUE(capture) << error;
    const std::string old_file = file + ".format1";
    {
        std::ofstream old(old_file, std::ios::binary);
        old << capture::kFormat1Line << "\n";
        for (const capture::Entry& entry : capture->entries) {
            old << entry.ms << " " << static_cast<char>(entry.from) << " "
                << capture::hex_of(entry.record) << "\n";
        }
    }
    EXPECT_EQ(replay(old_file), 0) << replayed->err();
    std::filesystem::remove(old_file);
}

TEST_F(ProgramCapture, AnEditedButtonTextFailsAtItsLineNamingTheField) {
    // "Chicane" becomes "Chicano" in the first button that names it.
    std::ifstream in(file, std::ios::binary);
    std::ostringstream edited;
    std::string changed;
    std::size_t number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::size_t at = line.find("Text=\"Chicane\"");
        if (changed.empty() && line.find(" C IS_BTN ") != std::string::npos &&
            at != std::string::npos) {
            changed = std::to_string(number);
            line.replace(at, 15, "Text=\"Chicano\"");
        }
        edited << line << "\n";
    }
    ASSERT_FALSE(changed.empty());
    const std::string edited_file = file + ".edited";
    std::ofstream(edited_file, std::ios::binary) << edited.str();

    EXPECT_EQ(replay(edited_file), 1);
    std::filesystem::remove(edited_file);
    EXPECT_EQ(replayed->err(), edited_file + ":" + changed +
                                   ": expected IS_BTN with Text=\"Chicano\", came "
                                   "Text=\"Chicane\"" +
                                   kLineEnd);
}

// A session written by hand: the program's introduction and the version
// answer, then two reports of one car, in the back straight and in the
// chicane, each answered by a button naming the area. Fields that are 0
// are left out, and so is each report's count of cars.
TEST(ProgramCaptureByHand, ReplaysWithExpect) {
    const std::string file =
        ::testing::TempDir() + "by_hand_" + std::to_string(current_process_id()) + ".txt";
    std::ofstream(file, std::ios::binary)
        << "# insim capture 2\n"
           "# written by hand\n"
           "0 C IS_ISI ReqI=1 Flags=ISF_MCI Prefix='!' Interval=1000 IName=\"Sample InSim ap\"\n"
           "0 S IS_VER ReqI=1 Version=\"0.7F\" Product=\"S3\" InSimVer=9\n"
           "100 S IS_MCI Info=[{PLID=1 Position=1 Info=CCI_FIRST|CCI_LAST X=21626880 "
           "Y=-19660800}]\n"
           "100 C IS_BTN ReqI=1 ClickID=237 BStyle=ISB_DARK L=1 T=70 W=60 H=10 "
           "Text=\"Backstraight\"\n"
           "200 S IS_MCI Info=[{PLID=1 Position=1 X=3276800 Y=36044800}]\n"
           "200 C IS_BTN ReqI=1 ClickID=237 BStyle=ISB_DARK L=1 T=70 W=60 H=10 Text=\"Chicane\"\n";
    std::unique_ptr<ChildProcess> replayed;
    EXPECT_EQ(replay_to_program(file, replayed, kVersionLine), 0) << replayed->err();
    EXPECT_NE(replayed->out().find("button 237 \"Chicane\""), std::string::npos) << replayed->out();
    std::filesystem::remove(file);
}

}  // namespace
