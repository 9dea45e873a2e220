// fake_lfs plays a session as the simulator reports it: requests answered
// with their ReqI in each answer, a two-lap race of three cars reported in
// order with times that add up, and the things people do at the times a
// script gives, each as the program would see it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"
#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_fields.h"
#include "tools/protocol/record_text.h"

namespace {

using namespace test_support;
using sim::Bytes;

constexpr uint16_t kCarReports = 32;   // ISF_MCI
constexpr uint16_t kNodeReports = 16;  // ISF_NLP

// Laps that outlast any test: fake_lfs ends once its program has left.
const std::string kEndless = "1000000";

// Whether `record` is of type `name` ("IS_NLP").
bool is(const Bytes& record, std::string_view name) {
    return record.size() > 1 && record[1] == catalogue::find(name)->type;
}

// A program in fake_lfs's session: introduced with `flags` and an interval
// of `interval` ms at protocol version `protocol`, and answered; it answers
// the keep-alives it reads.
class Program {
  public:
    Program(uint16_t port, uint16_t flags, uint16_t interval, uint8_t protocol)
        : client_(port), unit_(sim::size_unit(sim::served_version(protocol))) {
        insim::IS_ISI isi = sim::introduction("session test", flags, interval, protocol);
        isi.Prefix = '!';
        EXPECT_TRUE(client_.send(sim::bytes_of(isi)));
        client_.set_record_unit(unit_);
        const auto version = next();
        EXPECT_TRUE(version && (*version)[1] == insim::ISP_VER);
    }

    // Sends the record of `line`, in the program's unit.
    void send(const std::string& line) {
        std::string error;
        const auto record = records::record_of(line, unit_, error);
        ASSERT_TRUE(record) << line << ": " << error;
        ASSERT_TRUE(client_.send(*record));
    }

    // The next record other than a keep-alive; nothing once fake_lfs has
    // closed the connection or sent nothing else for `time`.
    std::optional<Bytes> next(std::chrono::milliseconds time = kWait) {
        const auto until = std::chrono::steady_clock::now() + time;
        while (auto record = client_.read_record(
                   std::max(std::chrono::duration_cast<std::chrono::milliseconds>(
                                until - std::chrono::steady_clock::now()),
                            std::chrono::milliseconds(1)))) {
            if ((*record)[1] != insim::ISP_TINY || (*record)[3] != insim::TINY_NONE) {
                return record;
            }
            EXPECT_TRUE(client_.send(*record));
        }
        return std::nullopt;
    }

    // The lines of the records, car reports, splits and laps passed over,
    // until one starts with `last` (included), or fake_lfs closes.
    std::vector<std::string> lines_until(const std::string& last) {
        std::vector<std::string> lines;
        while (const auto record = next()) {
            if (is(*record, "IS_MCI") || is(*record, "IS_NLP") || is(*record, "IS_SPX") ||
                is(*record, "IS_LAP")) {
                continue;
            }
            lines.push_back(line(*record));
            if (lines.back().rfind(last, 0) == 0) {
                break;
            }
        }
        return lines;
    }

    std::string line(const Bytes& record) const { return records::line_of(record, unit_); }
    void close() { send("IS_TINY SubT=TINY_CLOSE"); }
    std::size_t unit() const { return unit_; }

  private:
    sim::SimClient client_;
    std::size_t unit_;
};

std::string joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    return all;
}

// --- requests ---------------------------------------------------------------

struct RequestCase {
    std::string request;  // its line, without ReqI
    uint8_t reqi;
    std::vector<std::pair<std::string, std::size_t>> answers;  // record types and counts, in order
    std::string first = {};  // how the first answer's line starts, after its type and ReqI
    std::string said = {};   // on standard error
};

// Every request of a table, each answered in turn in a session of three
// cars, to a program of protocol 9: the answers, by type and count, each
// with the request's ReqI; a ping after each request fences its answers.
TEST(FakeLfsRequests, AreAnsweredAsDocumentedWithTheirReqI) {
    const RequestCase cases[] = {
        {"IS_TINY SubT=TINY_VER",
         11,
         {{"IS_VER", 1}},
         "Version=\"0.7F\" Product=\"S3\" InSimVer=9"},
        {"IS_TINY SubT=TINY_PING", 12, {{"IS_TINY", 1}}, "SubT=TINY_REPLY"},
        {"IS_TINY SubT=TINY_SST", 13, {{"IS_STA", 1}}, "ReplaySpeed=1 Flags=ISS_GAME|ISS_MULTI"},
        {"IS_TINY SubT=TINY_GTH", 14, {{"IS_SMALL", 1}}, "SubT=SMALL_RTP"},
        {"IS_TINY SubT=TINY_ISM", 15, {{"IS_ISM", 1}}, "Host=1 HName=\"fake_lfs race\""},
        {"IS_TINY SubT=TINY_NCN",
         16,
         {{"IS_NCN", 4}},
         "UName=\"host\" PName=\"Host\" Admin=1 Total=4"},
        {"IS_TINY SubT=TINY_NPL", 17, {{"IS_NPL", 3}}, "PLID=1 UCID=1 PType=4"},
        {"IS_TINY SubT=TINY_RST", 18, {{"IS_RST", 1}}, "RaceLaps=190 NumP=3 Timing=67"},
        {"IS_TINY SubT=TINY_REO", 19, {{"IS_REO", 1}}, "NumP=3 PLID=[1 2 3]"},
        {"IS_TINY SubT=TINY_MCI", 20, {{"IS_MCI", 1}}, "NumC=3 Info=[{"},
        {"IS_TINY SubT=TINY_NLP", 21, {{"IS_NLP", 1}}, "NumP=3 Info=[{"},
        {"IS_TINY SubT=TINY_RES", 22, {}},  // no results before the finish
        {"IS_TINY SubT=TINY_SLC", 23, {{"IS_SLC", 4}}, ""},
        {"IS_TINY SubT=TINY_ALC", 24, {{"IS_SMALL", 1}}, "SubT=SMALL_ALC UVal=352"},
        {"IS_TINY SubT=TINY_SCP",
         25,
         {},
         "",
         "fake_lfs: TINY_SCP is a request the stand-in does not answer"},
        {"IS_TINY SubT=TINY_AXI",
         26,
         {},
         "",
         "fake_lfs: TINY_AXI is a request the stand-in does not answer"},
        {"IS_TTC SubT=TTC_SEL",
         27,
         {},
         "",
         "fake_lfs: TTC_SEL is a request the stand-in does not answer"},
        {"IS_TINY SubT=TINY_NCN",
         0,
         {{"IS_NCN", 4}},
         "UName=\"host\"",
         "fake_lfs: TINY_NCN with ReqI 0, where a request needs one other than 0"},
    };
    uint16_t port = 0;
    auto simulator = start_fake_lfs({"--port", "0", "--cars", "3", "--laps", kEndless, "--interval",
                                     "50", "--keepalive", "200"},
                                    &port);
    Program program(port, kCarReports, 50, 9);
    uint8_t fence = 100;
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.request + " ReqI " + std::to_string(c.reqi));
        const std::string name = c.request.substr(0, c.request.find(' '));
        program.send(name + " ReqI=" + std::to_string(c.reqi) + c.request.substr(name.size()));
        program.send("IS_TINY ReqI=" + std::to_string(++fence) + " SubT=TINY_PING");
        std::vector<std::pair<std::string, std::size_t>> answers;
        std::string first;
        for (auto record = program.next(); record; record = program.next()) {
            const std::string line = program.line(*record);
            if ((*record)[2] == fence) {
                break;
            }
            const std::string type = line.substr(0, line.find(' '));
            // With ReqI 0, the answers are told from what the race sends by type.
            const bool expected_type = std::any_of(c.answers.begin(), c.answers.end(),
                                                   [&](const auto& a) { return a.first == type; });
            if ((*record)[2] != c.reqi || (c.reqi == 0 && !expected_type)) {
                continue;
            }
            if (answers.empty() || answers.back().first != type) {
                answers.emplace_back(type, 0);
            }
            ++answers.back().second;
            if (first.empty()) {
                first = line;
            }
        }
        EXPECT_EQ(answers, c.answers);
        const std::string head =
            c.answers.empty()
                ? ""
                : c.answers.front().first + (c.reqi != 0 ? " ReqI=" + std::to_string(c.reqi) : "");
        EXPECT_EQ(first.rfind(head + (c.first.empty() ? "" : " " + c.first), 0), 0u) << first;
        if (!c.said.empty()) {
            EXPECT_TRUE(simulator->wait_for_output(c.said, kWait)) << simulator->err();
        }
    }
    program.close();
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();
}

// SMALL_NLI changes a program's report interval; 0 stops its reports.
TEST(FakeLfsRequests, ReportIntervalChangesAndStops) {
    uint16_t port = 0;
    auto simulator =
        start_fake_lfs({"--port", "0", "--laps", kEndless, "--keepalive", "100"}, &port);
    Program program(port, kNodeReports, 1000, 0);
    program.send("IS_SMALL SubT=SMALL_NLI UVal=20");
    const auto reports_in = [&program](std::chrono::milliseconds time) {
        int reports = 0;
        for (const auto until = std::chrono::steady_clock::now() + time;
             std::chrono::steady_clock::now() < until;) {
            const auto record = program.next(std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now()));
            reports += record && is(*record, "IS_NLP") ? 1 : 0;
        }
        return reports;
    };
    EXPECT_GE(reports_in(500ms), 10) << "at 20 ms, not 1000";
    program.send("IS_SMALL SubT=SMALL_NLI UVal=0");
    reports_in(100ms);  // those on their way
    EXPECT_EQ(reports_in(600ms), 0) << "stopped";
    program.close();
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();
}

// --- the race -------------------------------------------------------------

// Two laps of three cars at 20 ms a step, the cars 16/3 steps apart: every
// record the race tells, in order (times in ms follow from the steps), to a
// program that asks for IS_NLP, which it gets instead of IS_MCI.
TEST(FakeLfsRace, TwoLapsOfThreeCarsAreReportedInOrder) {
    const std::string spx = " Penalty=PENALTY_NONE Fuel200=255";
    const std::string lap = " Flags=PIF_AUTOCLUTCH Penalty=PENALTY_NONE Fuel200=255";
    const auto split = [&](int plid, int split_ms, int elapsed, int number) {
        return "IS_SPX PLID=" + std::to_string(plid) + " STime=" + std::to_string(split_ms) +
               " ETime=" + std::to_string(elapsed) + " Split=" + std::to_string(number) + spx;
    };
    const auto lap_of = [&](int plid, int lap_ms, int elapsed, int laps) {
        return "IS_LAP PLID=" + std::to_string(plid) + " LTime=" + std::to_string(lap_ms) +
               " ETime=" + std::to_string(elapsed) + " LapsDone=" + std::to_string(laps) + lap;
    };
    const auto finish = [](int plid, int total) {
        return "IS_FIN PLID=" + std::to_string(plid) + " TTime=" + std::to_string(total) +
               " BTime=320 Confirm=CONF_MENTIONED LapsDone=2 Flags=PIF_AUTOCLUTCH";
    };
    const auto state = [](const std::string& flags, const std::string& finished) {
        return "IS_STA ReplaySpeed=1 Flags=" + flags + " InGameCam=VIEW_FOLLOW" +
               (flags == "ISS_MULTI" ? "" : " ViewPLID=1") + " NumP=3 NumConns=4" + finished +
               (flags == "ISS_MULTI" ? "" : " RaceInProg=1") +
               " RaceLaps=2 ServerStatus=1 Track=\"FE2R\"";
    };
    const auto player = [](int plid, const std::string& car) {
        const std::string n = std::to_string(plid);
        return "IS_NPL PLID=" + n + " UCID=" + n + " PType=4 Flags=PIF_AUTOCLUTCH PName=\"Driver " +
               n + "\" CName=\"" + car + "\" SName=\"default\" Tyres=[TYRE_R2 TYRE_R2 TYRE_R2 " +
               "TYRE_R2] NumP=" + n + " Fuel=255";
    };
    const auto result = [](int plid, const std::string& car, int total) {
        const std::string n = std::to_string(plid);
        return "IS_RES PLID=" + n + " UName=\"driver" + n + "\" PName=\"Driver " + n +
               "\" CName=\"" + car + "\" TTime=" + std::to_string(total) +
               " BTime=320 Confirm=CONF_MENTIONED|CONF_CONFIRMED LapsDone=2 " +
               "Flags=PIF_AUTOCLUTCH" + (plid > 1 ? " ResultNum=" + std::to_string(plid - 1) : "") +
               " NumRes=" + n;
    };
    const std::vector<std::string> expected = {
        player(1, "UF1"),
        player(2, "LX4"),
        player(3, "LX6"),
        "IS_RST RaceLaps=2 NumP=3 Timing=67 Track=\"FE2R\" Flags=HOSTF_CAN_VOTE|HOSTF_CAN_SELECT "
        "NumNodes=16 Finish=15 Split1=3 Split2=7 Split3=11",
        "IS_REO NumP=3 PLID=[1 2 3]",
        state("ISS_GAME|ISS_MULTI", ""),
        split(1, 80, 80, 1),
        split(1, 160, 160, 2),
        split(2, 186, 186, 1),
        split(1, 240, 240, 3),
        split(2, 266, 266, 2),
        split(3, 293, 293, 1),
        lap_of(1, 320, 320, 1),
        split(2, 346, 346, 3),
        split(3, 373, 373, 2),
        split(1, 80, 400, 1),
        lap_of(2, 426, 426, 1),
        split(3, 453, 453, 3),
        split(1, 160, 480, 2),
        split(2, 80, 506, 1),
        lap_of(3, 533, 533, 1),
        split(1, 240, 560, 3),
        split(2, 160, 586, 2),
        split(3, 80, 613, 1),
        lap_of(1, 320, 640, 2),
        finish(1, 640),
        state("ISS_GAME|ISS_MULTI", " NumFinished=1"),
        split(2, 240, 666, 3),
        split(3, 160, 693, 2),
        lap_of(2, 320, 746, 2),
        finish(2, 746),
        state("ISS_GAME|ISS_MULTI", " NumFinished=2"),
        split(3, 240, 773, 3),
        lap_of(3, 320, 853, 2),
        finish(3, 853),
        state("ISS_GAME|ISS_MULTI", " NumFinished=3"),
        result(1, "UF1", 640),
        result(2, "LX4", 746),
        result(3, "LX6", 853),
        "IS_TINY SubT=TINY_REN",
        state("ISS_MULTI", " NumFinished=3"),
    };
    uint16_t port = 0;
    auto simulator =
        start_fake_lfs({"--port", "0", "--cars", "3", "--laps", "2", "--interval", "20"}, &port);
    Program program(port, kNodeReports, 20, 9);
    std::vector<std::string> told;
    std::vector<Bytes> reports;
    std::vector<std::string> answer;  // to TINY_RES, asked after the first finish
    std::size_t finishes = 0;
    std::size_t finishes_before_answer = 0;
    while (const auto record = program.next()) {
        ASSERT_NE((*record)[1], insim::ISP_MCI) << "IS_NLP only";
        if (is(*record, "IS_NLP")) {
            reports.push_back(*record);
            continue;
        }
        if ((*record)[2] != 0) {
            finishes_before_answer = answer.empty() ? finishes : finishes_before_answer;
            answer.push_back(program.line(*record));
            continue;
        }
        told.push_back(program.line(*record));
        if (is(*record, "IS_FIN") && ++finishes == 1) {
            program.send("IS_TINY ReqI=77 SubT=TINY_RES");
        }
    }
    EXPECT_EQ(joined(told), joined(expected));
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();
    EXPECT_TRUE(simulator->wait_for_output("2 laps driven; closing", kWait));

    // Each car's laps add up to its elapsed time, and to its finish's.
    for (uint32_t plid = 1; plid <= 3; ++plid) {
        uint32_t laps = 0;
        uint32_t elapsed = 0;
        for (const std::string& line : told) {
            std::string error;
            const Bytes record = *records::record_of(line, program.unit(), error);
            if (line.rfind("IS_LAP PLID=" + std::to_string(plid) + " ", 0) == 0) {
                laps += records::value_at(record, "LTime");
                elapsed = records::value_at(record, "ETime");
                EXPECT_EQ(laps, elapsed) << line;
            }
            if (line.rfind("IS_FIN PLID=" + std::to_string(plid) + " ", 0) == 0) {
                EXPECT_EQ(records::value_at(record, "TTime"), elapsed) << line;
            }
        }
        EXPECT_GT(elapsed, 0u) << "PLID " << plid;
    }
    // A report every step until the last car's finish (128/3 steps in),
    // the laps done in each car's Lap.
    EXPECT_EQ(reports.size(), 43u);
    ASSERT_FALSE(reports.empty());
    for (int car = 0; car < 3; ++car) {
        const std::string at = "Info[" + std::to_string(car) + "].";
        EXPECT_EQ(records::value_at(reports.front(), at + "Lap"), 1u);
        EXPECT_EQ(records::value_at(reports.back(), at + "Lap"), 3u);
        EXPECT_EQ(records::value_at(reports.back(), at + "PLID"), car + 1u);
    }
    // TINY_RES asked mid-race: the results of the finishes told before it.
    ASSERT_FALSE(answer.empty());
    EXPECT_EQ(answer.size(), finishes_before_answer) << joined(answer);
    EXPECT_EQ(answer.front().rfind("IS_RES ReqI=77 PLID=1 ", 0), 0u) << answer.front();
}

// --- things people do -------------------------------------------------------

// The buttons a program makes: 5 clickable, 6 clickable for text of at
// most 4 characters, 7 not clickable, 8 clickable on every connection.
const std::vector<std::string> kButtons = {
    "IS_BTN ReqI=9 ClickID=5 BStyle=ISB_CLICK W=10 H=10 Text=\"five\"",
    "IS_BTN ReqI=9 ClickID=6 BStyle=ISB_CLICK TypeIn=4 W=10 H=10 Text=\"six\"",
    "IS_BTN ReqI=9 ClickID=7 W=10 H=10 Text=\"seven\"",
    "IS_BTN ReqI=9 UCID=255 ClickID=8 BStyle=ISB_CLICK W=10 H=10 Text=\"eight\"",
};

struct EventCase {
    std::string label;
    std::vector<std::string> events;  // TIME EVENT, for --at
    std::vector<std::string> sends;   // the program's records, after kButtons
    std::vector<std::string> told;    // the program is told, in order, from the first event on
    std::string said = {};            // on standard error
    uint8_t protocol = 0;
};

class FakeLfsEvents : public ::testing::TestWithParam<EventCase> {};

TEST_P(FakeLfsEvents, HappenAtTheirTimesAsTheProgramWouldBeTold) {
    const EventCase& c = GetParam();
    std::vector<std::string> args = {"--port", "0",      "--cars",     "2",
                                     "--laps", kEndless, "--interval", "50"};
    for (std::size_t i = 0; i < c.events.size(); ++i) {
        args.insert(args.end(), {"--at", std::to_string(300 + 50 * i) + "ms", c.events[i]});
    }
    uint16_t port = 0;
    auto simulator = start_fake_lfs(args, &port);
    Program program(port, kCarReports, 50, c.protocol);
    for (const std::string& line : kButtons) {
        program.send(line);
    }
    for (const std::string& line : c.sends) {
        program.send(line);
    }
    // The race's start, then the events: their records, each told whole.
    program.lines_until("IS_STA");
    std::vector<std::string> told;
    while (told.size() < c.told.size()) {
        const auto record = program.next();
        if (!record) {
            break;
        }
        const std::string line = program.line(*record);
        if (!is(*record, "IS_MCI") && !is(*record, "IS_SPX") && !is(*record, "IS_LAP")) {
            told.push_back(line);
        }
    }
    ASSERT_EQ(told.size(), c.told.size()) << joined(told) << simulator->err();
    for (std::size_t i = 0; i < told.size(); ++i) {
        EXPECT_EQ(told[i].rfind(c.told[i], 0), 0u)
            << "expected " << c.told[i] << "\ncame " << told[i];
    }
    EXPECT_TRUE(simulator->wait_for_output("ms: " + c.events.back(), kWait)) << simulator->out();
    if (!c.said.empty()) {
        EXPECT_TRUE(simulator->wait_for_output(c.said, kWait)) << simulator->err();
    }
    program.close();
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();
    if (c.said.empty()) {
        EXPECT_EQ(simulator->err(), "");
    }
}

const std::string kState = "IS_STA ReplaySpeed=1 Flags=ISS_GAME|ISS_MULTI";
const std::string kNowhere = "fake_lfs: at 350 ms, click 5: no program shows button 5 to Host";

INSTANTIATE_TEST_SUITE_P(
    People, FakeLfsEvents,
    ::testing::Values(
        EventCase{"join",
                  {"join Alice"},
                  {},
                  {"IS_NCN UCID=3 UName=\"Alice\" PName=\"Alice\" Total=4 Flags=4",
                   "IS_NPL PLID=3 UCID=3 PType=4 Flags=PIF_INPITS|PIF_AUTOCLUTCH PName=\"Alice\"",
                   kState + " InGameCam=VIEW_FOLLOW ViewPLID=1 NumP=3 NumConns=4"}},
        EventCase{"connect",
                  {"connect \"Bob Smith\""},
                  {},
                  {"IS_NCN UCID=3 UName=\"Bob Smith\" PName=\"Bob Smith\" Total=4", kState}},
        EventCase{"spectate",
                  {"spectate \"Driver 2\""},
                  {},
                  {"IS_PLL PLID=2", kState + " InGameCam=VIEW_FOLLOW ViewPLID=1 NumP=1 "}},
        EventCase{"leave",
                  {"leave driver1"},
                  {},
                  {"IS_PLL PLID=1", "IS_CNL UCID=1 Reason=LEAVR_DISCO Total=2",
                   kState + " InGameCam=VIEW_FOLLOW ViewPLID=2 NumP=1 NumConns=2"}},
        EventCase{"chat",
                  {"chat driver2 good race"},
                  {},
                  {"IS_MSO UCID=2 PLID=2 UserType=MSO_USER TextStart=11 Msg=\"Driver 2 : good "
                   "race\""}},
        EventCase{"chat_with_the_programs_prefix",
                  {"chat driver1 !laps"},
                  {},
                  {"IS_MSO UCID=1 PLID=1 UserType=MSO_PREFIX TextStart=11 Msg=\"Driver 1 : "
                   "!laps\""}},
        EventCase{"click", {"click 5"}, {}, {"IS_BTC ReqI=9 ClickID=5 CFlags=ISB_LMB"}},
        EventCase{"click_on_every_connections_button_by_a_guest",
                  {"click 8 by driver2"},
                  {},
                  {"IS_BTC ReqI=9 UCID=2 ClickID=8 CFlags=ISB_LMB"}},
        EventCase{"type_cut_to_its_button",
                  {"type 6 \"typed text\""},
                  {},
                  {"IS_BTT ReqI=9 ClickID=6 TypeIn=4 Text=\"type\""}},
        EventCase{"clear_then_click",
                  {"clear", "click 5", "click 8", "send IS_TINY SubT=TINY_VTC"},
                  {},
                  {"IS_BFN SubT=BFN_USER_CLEAR", "IS_TINY SubT=TINY_VTC"},
                  "fake_lfs: at 400 ms, click 8: no program shows button 8 to Host"},
        EventCase{"request", {"request by driver1"}, {}, {"IS_BFN SubT=BFN_REQUEST UCID=1"}},
        EventCase{"send",
                  {"send IS_CPR UCID=1 PName=\"Racer\" Plate=\"12345678\""},
                  {},
                  {"IS_CPR UCID=1 PName=\"Racer\" Plate=\"12345678\""},
                  "",
                  9},
        // What cannot happen sends nothing: a later event shows that the
        // program got nothing in between.
        EventCase{"click_on_a_deleted_button",
                  {"send IS_TINY SubT=TINY_CLR", "click 5", "send IS_TINY SubT=TINY_VTC"},
                  {"IS_BFN SubT=BFN_DEL_BTN ClickID=4 ClickMax=6"},
                  {"IS_TINY SubT=TINY_CLR", "IS_TINY SubT=TINY_VTC"},
                  kNowhere},
        EventCase{"click_after_the_program_cleared_its_buttons",
                  {"send IS_TINY SubT=TINY_CLR", "click 5", "send IS_TINY SubT=TINY_VTC"},
                  {"IS_BFN SubT=BFN_CLEAR"},
                  {"IS_TINY SubT=TINY_CLR", "IS_TINY SubT=TINY_VTC"},
                  kNowhere},
        EventCase{"click_on_a_button_not_clickable",
                  {"click 7", "send IS_TINY SubT=TINY_VTC"},
                  {},
                  {"IS_TINY SubT=TINY_VTC"},
                  "program 1 \"session test\"'s button 7 is not clickable (no ISB_CLICK)"},
        EventCase{"click_on_a_button_for_text",
                  {"click 6", "send IS_TINY SubT=TINY_VTC"},
                  {},
                  {"IS_TINY SubT=TINY_VTC"},
                  "opens its text entry (TypeIn 4), which sends no IS_BTC"},
        EventCase{"type_into_a_button_without_text",
                  {"type 5 x", "send IS_TINY SubT=TINY_VTC"},
                  {},
                  {"IS_TINY SubT=TINY_VTC"},
                  "takes no text (TypeIn 0)"},
        EventCase{"someone_unknown",
                  {"chat Zed hello", "send IS_TINY SubT=TINY_VTC"},
                  {},
                  {"IS_TINY SubT=TINY_VTC"},
                  "fake_lfs: at 300 ms, chat Zed hello: no connection is called Zed"},
        EventCase{"a_record_longer_than_the_version_holds",
                  {"send IS_AXM Info=[" +
                       [] {
                           std::string objects;
                           for (int i = 0; i < 40; ++i) {
                               objects += "{X=" + std::to_string(i) + "} ";
                           }
                           return objects;
                       }() +
                       "]",
                   "send IS_TINY SubT=TINY_VTC"},
                  {},
                  {"IS_TINY SubT=TINY_VTC"},
                  "328 bytes are more than protocol version 6 holds: not sent to program 1"}),
    [](const auto& info) { return info.param.label; });

// A script file plays its events as --at does; one that is no script
// names the file and the line.
TEST(FakeLfsScript, PlaysItsEventsAndNamesTheLineOfAFault) {
    const std::string file =
        ::testing::TempDir() + "script_" + std::to_string(current_process_id()) + ".txt";
    std::ofstream(file, std::ios::binary) << "# fake_lfs script 1\n"
                                          << "# chat after the join\n\n"
                                          << "350ms chat Alice \"hi all\"\n"
                                          << "300ms join Alice\n";
    uint16_t port = 0;
    auto simulator = start_fake_lfs(
        {"--port", "0", "--laps", kEndless, "--interval", "50", "--script", file}, &port);
    Program program(port, kCarReports, 50, 0);
    program.lines_until("IS_STA");
    const std::vector<std::string> told = program.lines_until("IS_MSO");
    ASSERT_EQ(told.size(), 4u) << joined(told);
    EXPECT_EQ(told[0].rfind("IS_NCN UCID=2 UName=\"Alice\"", 0), 0u) << told[0];
    EXPECT_EQ(told[3], "IS_MSO UCID=2 PLID=2 UserType=MSO_USER TextStart=8 Msg=\"Alice : hi all\"");
    program.close();
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();

    const std::pair<std::string, std::string> faults[] = {
        {"5s join Alice\n", ":1: a script starts with the line '# fake_lfs script 1'"},
        {"# fake_lfs script 1\n5s\n", ":2: a line holds a time and an event"},
        {"# fake_lfs script 1\n\n5s wave Alice\n", ":3: 'wave Alice' is no event"},
        {"# fake_lfs script 1\n5s chat \"Alice hi\n", ":2: chat: a quote is not closed"},
        {"# fake_lfs script 1\n5s send IS_TINY SubT=TINY_NOTHING\n",
         ":2: send: no record in 'IS_TINY SubT=TINY_NOTHING': SubT takes a name"},
    };
    for (const auto& [text, says] : faults) {
        std::ofstream(file, std::ios::binary) << text;
        ChildProcess refused(FAKE_LFS_PROGRAM, {"--port", "0", "--script", file});
        EXPECT_EQ(refused.wait(kWait), 2) << text;
        EXPECT_EQ(refused.err().rfind(file + says, 0), 0u) << refused.err();
    }
    std::filesystem::remove(file);
}

}  // namespace
