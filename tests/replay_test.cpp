// fake_lfs --replay refuses a malformed capture before it listens, naming the
// line, and refuses options that do not fit a replay; with --expect it names
// the record and the fields where the client differs, catches a record the
// client sends after the capture's last, and it plays captures sized in
// 4-byte units, such as a session of version 9 recorded through insim_tap,
// captures of format 1 (hex) as before, and records by name.
// fake_lfs --print reads any capture out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"
#include "tests/support/tap_session.h"
#include "tools/capture/capture_file.h"

namespace {

using namespace test_support;

struct MalformedCase {
    std::string label;
    std::string text;   // the file
    std::string error;  // after "FILE:"
};

class ReplayRefuses : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(ReplayRefuses, AMalformedCaptureWithItsLineAndStatusTwo) {
    const MalformedCase& c = GetParam();
    const std::string file = ::testing::TempDir() + "malformed_" + c.label + "_" +
                             std::to_string(current_process_id()) + ".txt";
    std::ofstream(file, std::ios::binary) << c.text;
    ChildProcess replay(FAKE_LFS_PROGRAM, {"--replay", file, "--port", "0"});
    EXPECT_EQ(replay.wait(kWait), 2);
    std::filesystem::remove(file);
    EXPECT_EQ(replay.err(), file + ":" + c.error + kLineEnd);
    EXPECT_EQ(replay.out(), "") << "it never listens";
}

// Each case starts with a header, a comment and a blank line that count as
// lines 1 to 3, ended by CR LF as an editor on Windows may leave them.
const std::string kHead = "# insim capture 1\r\n# recorded by hand\r\n\r\n";
const std::string kHead2 = "# insim capture 2\r\n# written by hand\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, ReplayRefuses,
    ::testing::Values(
        MalformedCase{"later_format", "# insim capture 3\n0 S 04030000\n",
                      "1: not a capture of this format: the first line must be '# insim "
                      "capture 2' (or '# insim capture 1')"},
        MalformedCase{"empty", "", "1: empty: the first line must be '# insim capture 2'"},
        // Format 1 holds hex alone, as it always did.
        MalformedCase{"name_in_format_1", kHead + "0 S IS_TINY\n", "4: bad hex digit 'I'"},
        MalformedCase{"fields_of_format_2", kHead2 + "0 S\n",
                      "4: expected '<ms> <S|C> <record>', got 2 fields"},
        MalformedCase{"unknown_name", kHead2 + "0 S IS_TINY SubT=TINY_NOPE\n",
                      "4: SubT takes a name of TINY_ sub-types (IS_TINY.SubT) or a number from 0 "
                      "to 255, not 'TINY_NOPE'"},
        MalformedCase{"hex_of_format_2", kHead2 + "0 S 04030000  # a keep-alive\n0 S 05030000\n",
                      "5: the size byte says 5 bytes, the line holds 4"},
        MalformedCase{"bad_hex", kHead + "0 S 04030000\n5 C 04030g00\n", "5: bad hex digit 'g'"},
        MalformedCase{"odd_digits", kHead + "0 S 0403000\n", "4: odd number of hex digits (7)"},
        MalformedCase{"size_byte", kHead + "0 S 0503000000\n0 S 05030000\n",
                      "5: the size byte says 5 bytes, the line holds 4"},
        MalformedCase{"size_zero", kHead + "0 S 00\n",
                      "4: the size byte says 0 bytes, the line holds 1"},
        MalformedCase{"direction", kHead + "0 X 04030000\n",
                      "4: unknown direction 'X': S or C expected"},
        MalformedCase{"time_back", kHead + "20 S 04030000\n# later\n10 C 04030000\n",
                      "6: time 10 ms goes back from 20 ms"},
        MalformedCase{"bad_time", kHead + "-5 S 04030000\n",
                      "4: bad time '-5': whole milliseconds expected"},
        MalformedCase{"fields", kHead + "0 S\n", "4: expected '<ms> <S|C> <hex>', got 2 fields"},
        // Regression: one of a thing read "1 fields", "1 bytes".
        MalformedCase{"one_field", kHead + "0\n", "4: expected '<ms> <S|C> <hex>', got 1 field"},
        MalformedCase{"size_one", kHead + "0 S 0103\n",
                      "4: the size byte says 1 byte, the line holds 2"},
        MalformedCase{"time_beyond_waiting", kHead + "3153600000001 S 04030000\n",
                      "4: time 3153600000001 ms is beyond the latest a replay can wait for "
                      "(3153600000000 ms)"},
        // Regression: a time past what a long long holds said "whole milliseconds expected".
        MalformedCase{"time_beyond_any_number", kHead + "99999999999999999999 S 04030000\n",
                      "4: time 99999999999999999999 ms is beyond the latest a replay can wait "
                      "for (3153600000000 ms)"},
        MalformedCase{"word_size_byte", kHead + "# record sizes count 4-byte units\n0 S 02030000\n",
                      "5: the size byte says 8 bytes, the line holds 4"},
        MalformedCase{"units_after_a_record",
                      kHead + "0 S 04030000\n# record sizes count 4-byte units\n",
                      "5: '# record sizes count 4-byte units' must come before the first "
                      "record"}),
    [](const auto& info) { return info.param.label; });

TEST(ReplayOptions, LapOptionsDoNotFitAReplay) {
    const std::vector<std::vector<std::string>> cases = {
        {"--replay", "x.txt", "--hostile", "5"}, {"--cars", "3", "--replay", "x.txt"},
        {"--replay", "x.txt", "--strict"},       {"--expect"},
        {"--replay", "x.txt", "--speed", "0"},   {"--print", "x.txt", "--expect"},
        {"--print", "x.txt", "--port", "0"},
    };
    for (const auto& args : cases) {
        ChildProcess replay(FAKE_LFS_PROGRAM, args);
        EXPECT_EQ(replay.wait(kWait), 2) << args[0] << " " << args.back();
        EXPECT_NE(replay.err().find("Try 'fake_lfs --help'."), std::string::npos) << replay.err();
    }
}

// Regression: --expect alone named --speed too, which was not given.
TEST(ReplayOptions, AReplayOptionAloneNamesOnlyItself) {
    for (const std::string option : {"--expect", "--speed"}) {
        std::vector<std::string> args = {option};
        if (option == "--speed") {
            args.push_back("2");
        }
        ChildProcess replay(FAKE_LFS_PROGRAM, args);
        EXPECT_EQ(replay.wait(kWait), 2);
        EXPECT_EQ(replay.err(), "fake_lfs: " + option + " goes only with --replay FILE" + kLineEnd +
                                    "Try 'fake_lfs --help'." + kLineEnd);
    }
}

// A capture whose times --speed would stretch beyond any wait is refused
// before listening, as a usage error.
TEST(ReplayOptions, ASpeedThatStretchesTimesTooFarIsRefused) {
    const std::string file =
        ::testing::TempDir() + "slow_" + std::to_string(current_process_id()) + ".txt";
    std::ofstream(file, std::ios::binary) << kHead << "1000 S 04030000\n";
    ChildProcess replay(FAKE_LFS_PROGRAM, {"--replay", file, "--speed", "1e-300", "--port", "0"});
    EXPECT_EQ(replay.wait(kWait), 2);
    std::filesystem::remove(file);
    EXPECT_NE(replay.err().find("makes the capture's last time, 1000 ms, longer than a replay "
                                "can wait for"),
              std::string::npos)
        << replay.err();
    EXPECT_EQ(replay.out(), "") << "it never listens";
}

struct ExpectCase {
    std::string label;
    std::string units;        // the units line, or nothing
    sim::Bytes introduction;  // the capture's first client record
    sim::Bytes button;        // its second
    sim::Bytes sends;         // what the client sends after the version; nothing: it closes
    long status;
    std::string error;  // fake_lfs's standard error, after "FILE:"
};

class ReplayExpects : public ::testing::TestWithParam<ExpectCase> {};

TEST_P(ReplayExpects, TheCapturedRecordsAndNothingAfterThem) {
    const ExpectCase& c = GetParam();
    sim::Bytes version = sim::version_record("0.7F", 9);
    if (!c.units.empty()) {
        version[0] /= 4;
    }
    const std::string file = ::testing::TempDir() + "expect_" + c.label + "_" +
                             std::to_string(current_process_id()) + ".txt";
    std::ofstream(file, std::ios::binary)
        << "# insim capture 1\n"
        << c.units << "0 C " << capture::hex_of(c.introduction) << "\n5 S "
        << capture::hex_of(version) << "\n9 C " << capture::hex_of(c.button) << "\n";
    uint16_t port = 0;
    auto replay = start_fake_lfs({"--replay", file, "--expect", "--port", "0"}, &port);
    sim::SimClient client(port);
    ASSERT_TRUE(client.send(c.introduction));
    sim::Bytes got(version.size());
    ASSERT_TRUE(client.read_exact(got.data(), got.size(), kWait));
    if (c.sends.empty()) {
        client.close();
    } else {
        ASSERT_TRUE(client.send(c.sends));
    }
    EXPECT_EQ(replay->wait(kWait), c.status) << replay->err();
    std::filesystem::remove(file);
    EXPECT_EQ(replay->err(), c.error.empty() ? "" : file + ":" + c.error + kLineEnd);
}

sim::Bytes introduction(uint8_t size, uint8_t protocol) {
    insim::IS_ISI isi{};
    isi.Size = size;
    isi.Type = insim::ISP_ISI;
    isi.Sp0 = protocol;
    return sim::bytes_of(isi);
}

const sim::Bytes kButton = {12, insim::ISP_BTN, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};
const sim::Bytes kWordButton = {3, insim::ISP_BTN, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};
const std::string kButtonLine = "IS_BTN ReqI=1 ClickID=237 BStyle=ISB_DARK L=1 T=70 W=60 H=10";

sim::Bytes button(const std::string& text, uint8_t click_id = 237) {
    sim::Bytes bytes = kButton;
    bytes[4] = click_id;
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.resize(12 + (text.size() + 4) / 4 * 4);
    bytes[0] = static_cast<uint8_t>(bytes.size());
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Captures, ReplayExpects,
    ::testing::Values(
        ExpectCase{"as_captured", "", introduction(44, 8), kButton, kButton, 0, ""},
        ExpectCase{"one_more", "", introduction(44, 8), kButton, sim::concat({kButton, kButton}), 1,
                   "4: expected the end of the capture, came " + kButtonLine},
        // A close request, and a record after it in the same piece.
        ExpectCase{
            "one_more_after_closing", "", introduction(44, 8), sim::tiny_record(insim::TINY_CLOSE),
            sim::concat({sim::tiny_record(insim::TINY_CLOSE), sim::tiny_record(insim::TINY_CLOSE)}),
            1, "4: expected the end of the capture, came IS_TINY SubT=TINY_CLOSE"},
        ExpectCase{"in_word_units", "# record sizes count 4-byte units\n", introduction(11, 9),
                   kWordButton, kWordButton, 0, ""},
        // Its size byte may count bytes, whatever version it declares.
        ExpectCase{"introduction_sized_in_bytes", "# record sizes count 4-byte units\n",
                   introduction(44, 9), kWordButton, kWordButton, 0, ""},
        ExpectCase{"one_more_in_word_units", "# record sizes count 4-byte units\n",
                   introduction(11, 9), kWordButton, sim::concat({kWordButton, kWordButton}), 1,
                   "5: expected the end of the capture, came " + kButtonLine},
        // What differs, in words: another record, a field, a text.
        ExpectCase{"another_record", "", introduction(44, 8), kButton, sim::tiny_record(0), 1,
                   "4: expected " + kButtonLine + ", came IS_TINY SubT=TINY_NONE"},
        ExpectCase{"another_field", "", introduction(44, 8), button("250,0"), button("250,0", 238),
                   1, "4: expected IS_BTN with ClickID=237, came ClickID=238"},
        ExpectCase{"another_text", "", introduction(44, 8), button("Chicane"), button("Chicano"), 1,
                   "4: expected IS_BTN with Text=\"Chicane\", came Text=\"Chicano\""},
        ExpectCase{"a_record_of_no_type", "", introduction(44, 8), kButton,
                   sim::Bytes{8, 70, 0, 0, 1, 2, 3, 4}, 1,
                   "4: expected " + kButtonLine +
                       ", came 0846000001020304  # type 70 is not a record type of the protocol"},
        ExpectCase{"nothing",
                   "",
                   introduction(44, 8),
                   kButton,
                   {},
                   1,
                   "4: expected " + kButtonLine + ", came nothing"}),
    [](const auto& info) { return info.param.label; });

// A replay ends once what it queued has reached the client, however late
// the client starts reading.
TEST(ReplayEnd, ComesAfterEverythingQueuedHasGone) {
    const std::string file =
        ::testing::TempDir() + "large_" + std::to_string(current_process_id()) + ".txt";
    sim::Bytes record(252, 7);
    record[0] = 252;
    {
        std::ofstream out(file, std::ios::binary);
        out << kHead;
        for (int i = 0; i < 4000; ++i) {
            out << "0 S " << capture::hex_of(record) << "\n";
        }
    }
    uint16_t port = 0;
    auto replay = start_fake_lfs({"--replay", file, "--port", "0"}, &port);
    sim::SimClient client(port, 4096);
    std::this_thread::sleep_for(1s);
    sim::Bytes got(4000 * record.size());
    EXPECT_TRUE(client.read_exact(got.data(), got.size(), 30s));
    EXPECT_TRUE(client.wait_closed(kWait));
    client.close();
    EXPECT_EQ(replay->wait(kWait), 0) << replay->err();
    std::filesystem::remove(file);
}

// A program of protocol 9, as a test plays it on `port`: its introduction
// (its size byte in 4-byte units), then a button for every car report,
// holding the report's first car's place, until it has answered `reports`;
// then a close request, and the end of the connection once the other side
// has closed. The reports it got.
std::vector<sim::Bytes> play_version_9(uint16_t port, int reports) {
    constexpr std::size_t kUnit = 4;
    sim::SimClient program(port);
    insim::IS_ISI isi = sim::introduction("nine", insim::ISF_MCI, 50, 9);
    isi.Size = sizeof isi / kUnit;
    EXPECT_TRUE(program.send(sim::bytes_of(isi)));
    std::vector<sim::Bytes> got;
    while (static_cast<int>(got.size()) < reports) {
        sim::Bytes record(1);
        if (!program.read_exact(record.data(), 1, kWait)) {
            ADD_FAILURE() << "the simulator's side closed or went silent";
            break;
        }
        record.resize(record[0] * kUnit);
        if (!program.read_exact(record.data() + 1, record.size() - 1, kWait)) {
            ADD_FAILURE() << "a record cut short";
            break;
        }
        if (record[1] != insim::ISP_MCI) {
            continue;
        }
        got.push_back(record);
        sim::Bytes button = {16 / kUnit, insim::ISP_BTN, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};
        button.insert(button.end(), record.begin() + 4 + 8, record.begin() + 4 + 12);
        EXPECT_TRUE(program.send(button));
    }
    EXPECT_TRUE(program.send({4 / kUnit, insim::ISP_TINY, 0, insim::TINY_CLOSE}));
    EXPECT_TRUE(program.wait_closed(kWait));
    return got;
}

// A session of protocol 9 recorded through the tap: 16-car reports in
// 4-byte units, and a replay to the same program that passes --expect.
TEST(ReplayOfATap, ASessionOfVersion9ReplaysWithExpect) {
    const std::string file =
        ::testing::TempDir() + "nine_" + std::to_string(current_process_id()) + ".txt";
    uint16_t simulator_port = 0;
    auto simulator = start_fake_lfs(
        {"--port", "0", "--cars", "17", "--interval", "50", "--laps", "100"}, &simulator_port);
    uint16_t tap_port = 0;
    auto tap = start_listening(
        INSIM_TAP_PROGRAM, {"--listen", "0", "--to", std::to_string(simulator_port), "--out", file},
        &tap_port);
    const std::vector<sim::Bytes> reports = play_version_9(tap_port, 6);
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();
    EXPECT_EQ(tap->wait(kWait), 0) << tap->err();
    ASSERT_EQ(reports.size(), 6u);
    for (std::size_t i = 0; i < reports.size(); i += 2) {
        EXPECT_EQ(reports[i][0], (4 + 16 * 28) / 4) << "16 cars, sized in 4-byte units";
        EXPECT_EQ(reports[i][3], 16);
    }
    EXPECT_NE(read_file(file).find(capture::kWordUnitsLine), std::string::npos);

    uint16_t replay_port = 0;
    auto replay = start_fake_lfs({"--replay", file, "--expect", "--port", "0"}, &replay_port);
    EXPECT_TRUE(play_version_9(replay_port, 6) == reports) << "the replay sends what was captured";
    EXPECT_EQ(replay->wait(kWait), 0) << replay->err();
    EXPECT_NE(replay->out().find("replay done"), std::string::npos) << replay->out();
    std::filesystem::remove(file);
}

// fake_lfs --print reads a capture of either format out, record by record,
// as a capture of today's format, which reads back into the same records.
TEST(Print, ReadsAnyCaptureOutAsOneThatReadsBackTheSame) {
    const std::string file =
        ::testing::TempDir() + "print_" + std::to_string(current_process_id()) + ".txt";
    insim::IS_ISI isi = sim::introduction("Sample", insim::ISF_MCI, 1000, 9);
    isi.Size = 11;
    sim::Bytes report = sim::car_report({{330 * 65536, -300 * 65536}}, 9);
    std::ofstream(file, std::ios::binary)
        << kHead << "# record sizes count 4-byte units\n0 C " << capture::hex_of(sim::bytes_of(isi))
        << "\n1000 S " << capture::hex_of(report) << "\n1001 C 0246000001020304\n";
    ChildProcess print(FAKE_LFS_PROGRAM, {"--print", file});
    EXPECT_EQ(print.wait(kWait), 0) << print.err();
    const std::string printed =
        "# insim capture 2" + kLineEnd + "# record sizes count 4-byte units" + kLineEnd +
        "0 C IS_ISI ReqI=1 Flags=ISF_MCI InSimVer=9 Interval=1000 IName=\"Sample\"" + kLineEnd +
        "1000 S IS_MCI NumC=1 Info=[{PLID=1 Position=1 X=21626880 Y=-19660800}]" + kLineEnd +
        "1001 C 0246000001020304  # type 70 is not a record type of the protocol" + kLineEnd;
    EXPECT_EQ(print.out(), printed);

    const std::string again = file + ".printed";
    std::ofstream(again, std::ios::binary) << print.out();
    std::string error;
    const auto before = capture::read_capture(file, error);
    const auto after = capture::read_capture(again, error);
    ASSERT_TRUE(before && after) << error;
    ASSERT_EQ(after->entries.size(), before->entries.size());
    for (std::size_t i = 0; i < before->entries.size(); ++i) {
        EXPECT_EQ(after->entries[i].record, before->entries[i].record) << "record " << i;
        EXPECT_EQ(after->entries[i].ms, before->entries[i].ms);
    }
    std::filesystem::remove(file);
    std::filesystem::remove(again);
}

TEST(Print, RefusesAMalformedCaptureWithItsLine) {
    const std::string file =
        ::testing::TempDir() + "print_bad_" + std::to_string(current_process_id()) + ".txt";
    std::ofstream(file, std::ios::binary) << kHead2 << "0 S IS_TINY Sub=1\n";
    ChildProcess print(FAKE_LFS_PROGRAM, {"--print", file});
    EXPECT_EQ(print.wait(kWait), 2);
    std::filesystem::remove(file);
    EXPECT_EQ(print.err(), file + ":4: IS_TINY has no field 'Sub'" + kLineEnd);
    EXPECT_EQ(print.out(), "");
}

}  // namespace
