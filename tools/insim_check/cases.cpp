// The cases: each judges one rule on a session of its own. The rules are
// the protocol's facts as the simulator documents them; the sessions run
// with short clocks, which each case's line says.
#include <algorithm>
#include <cstring>
#include <functional>
#include <thread>

#include "tools/insim_check/check.h"
#include "tools/insim_check/stage.h"
#include "tools/protocol/counted.h"
#include "tools/protocol/record_text.h"
#include "tools/simulator/client_records.h"
#include "tools/simulator/lap_route.h"

namespace insim_check {
namespace {

using Result = Outcome::Result;

constexpr char kIntroRule[] = "a program's first record is the 44-byte introduction";
constexpr char kSizeRule[] =
    "records are sized in bytes up to protocol 8, so every size is a multiple of 4";
constexpr char kKeepAliveRule[] =
    "a keep-alive comes every 30 s, and 70 s without any record from the program closes it";
constexpr char kButtonRule[] =
    "a button needs ReqI not 0, ClickID 0-239, L/T/W/H 0-200, and text of at most 240 bytes, "
    "or it is not shown";
constexpr char kCarsRule[] =
    "with more than 8 cars a report interval has several reports, the first car flagged 64 and "
    "the last 128";
constexpr char kStreamRule[] =
    "records follow one another on the stream, each sized by its first byte, in whatever pieces "
    "the network makes of them";
constexpr char kCloseRule[] =
    "once the simulator closes the connection, nothing more comes; a program ends, or waits "
    "without using the processor";

Outcome pass(std::string note = "") {
    return {Result::kPass, "", "", std::move(note)};
}
Outcome skip(std::string why) {
    return {Result::kSkip, "", "", std::move(why)};
}
Outcome fail(std::string expected, std::string came, double at_ms = -1) {
    return {Result::kFail, std::move(expected), std::move(came), "", at_ms};
}

// The record read out, long texts cut (the name is older than the form).
std::string hex(const sim::Bytes& record) {
    return records::shown(record);
}

std::string ms_text(double ms) {
    return std::to_string(static_cast<long long>(ms)) + " ms";
}

// --- the introduction ---------------------------------------------------

Outcome first_is_introduction(Stage& stage) {
    if (stage.introduced()) {
        return pass();
    }
    if (stage.first() == sim::Bytes{0}) {
        return fail("a 44-byte record of type 1 first",
                    "a size of 0, after which nothing is a record", 0);
    }
    return fail("a 44-byte record of type 1 first",
                sim::counted(stage.first().size(), "byte") + " of type " +
                    (stage.first().size() > 1 ? std::to_string(stage.first()[1]) : "none") + ": " +
                    hex(stage.first()),
                0);
}

Outcome names_end_within_fields(Stage& stage) {
    if (!stage.introduced()) {
        return fail("an introduction whose names end within their fields", "no introduction", 0);
    }
    const insim::IS_ISI& isi = stage.introduction();
    if (isi.IName[sizeof isi.IName - 1] != 0) {
        return fail("IName ending with 0 within its 16 bytes",
                    "16 bytes without a 0: " + std::string(isi.IName, sizeof isi.IName), 0);
    }
    if (isi.Admin[sizeof isi.Admin - 1] != 0) {
        return fail("Admin ending with 0 within its 16 bytes", "16 bytes without a 0", 0);
    }
    return pass();
}

// --- sizes and keep-alives ---------------------------------------------

Outcome sizes_are_multiples_of_4(Stage& stage) {
    stage.answer_introduction();
    stage.play(milliseconds(2000), 1);
    for (const Exchanged& heard : stage.exchange()) {
        if (heard.from != 'C') {
            continue;
        }
        if (heard.record[0] == 0) {
            return fail("a size that is a multiple of 4",
                        "a size of 0, after which nothing is a record", heard.ms);
        }
        if (heard.record.size() % 4 != 0) {
            return fail("a size that is a multiple of 4",
                        "a record of " + sim::counted(heard.record.size(), "byte") + ": " +
                            hex(heard.record),
                        heard.ms);
        }
    }
    return pass();
}

Outcome keepalives_answered(Stage& stage) {
    stage.answer_introduction();
    const Played played = stage.play(milliseconds(3000), 1);
    if (played.keepalives_answered < played.keepalives_sent) {
        return fail("an answer to each of " + sim::counted(played.keepalives_sent, "keep-alive") +
                        " within a second",
                    std::to_string(played.keepalives_answered) + " answered" +
                        (played.connection_lost ? ", and the program closed the connection" : ""),
                    played.first_unanswered_ms);
    }
    return pass();
}

Outcome never_silent(Stage& stage) {
    stage.answer_introduction();
    const double limit_ms = 2000;
    const Played played = stage.play(milliseconds(3000), 1, false);
    if (played.connection_lost) {
        return fail("the connection kept", "the program closed it", stage.ms());
    }
    if (played.longest_silence_ms >= limit_ms) {
        return fail("a record at least every 2 s (the idle limit)",
                    "silence of " + ms_text(played.longest_silence_ms), played.silence_from_ms);
    }
    return pass();
}

// --- buttons -------------------------------------------------------------

// Plays a session with reports and judges the buttons that came by the
// limits whose texts start with one of `fields` (as sim::broken_limits says
// them).
Outcome buttons_within(Stage& stage, std::initializer_list<const char*> fields,
                       const std::string& expected) {
    stage.answer_introduction();
    stage.play(milliseconds(700), 1);
    int buttons = 0;
    for (const Exchanged& heard : stage.exchange()) {
        if (heard.from != 'C' || heard.record.size() < 2 || heard.record[1] != insim::ISP_BTN) {
            continue;
        }
        ++buttons;
        for (const std::string& broken : sim::broken_limits(heard.record)) {
            for (const char* field : fields) {
                if (broken.rfind(field, 0) == 0) {
                    return fail(expected, broken + ", in " + hex(heard.record), heard.ms);
                }
            }
        }
    }
    if (buttons == 0) {
        return skip("the program sent no buttons");
    }
    return pass(sim::counted(buttons, "button"));
}

Outcome button_reqi(Stage& stage) {
    return buttons_within(stage, {"ReqI"}, "ReqI other than 0");
}
Outcome button_click_id(Stage& stage) {
    return buttons_within(stage, {"ClickID"}, "ClickID from 0 to 239");
}
Outcome button_place(Stage& stage) {
    return buttons_within(stage, {"L ", "T ", "W ", "H "}, "L, T, W and H from 0 to 200");
}
Outcome button_text(Stage& stage) {
    return buttons_within(stage, {"text of"}, "a text of at most 240 bytes");
}

// --- framing: a keep-alive after records delivered one way is answered ---

// Reports from step `from_step` on, for a program that asks for them.
sim::Bytes some_reports(Stage& stage, int reports, std::size_t from_step) {
    sim::Bytes stream;
    for (int i = 0; stage.wants_reports() && i < reports; ++i) {
        const sim::Bytes report =
            sim::car_report({sim::car_position(0, 1, from_step + static_cast<std::size_t>(i))});
        stream.insert(stream.end(), report.begin(), report.end());
    }
    return stream;
}

// A program that answers a keep-alive sent alone must also answer one that
// ends `records`, sent in pieces of `chunk` bytes (0: in one send): what it
// answers to the records themselves may rightly differ from time to time.
Outcome keepalive_after(Stage& stage, const sim::Bytes& records, std::size_t chunk,
                        const std::string& way) {
    stage.answer_introduction();
    stage.during(milliseconds(300));
    if (!stage.answers_keepalive()) {
        return skip("the program answered no keep-alive sent alone");
    }
    const double at = stage.ms();
    if (!stage.answers_keepalive(records, chunk)) {
        return fail("an answer within a second to a keep-alive after " + way,
                    "none, as if the records before it were lost", at);
    }
    return pass();
}

Outcome split_at_every_byte(Stage& stage) {
    return keepalive_after(stage, some_reports(stage, 3, 0), 1,
                           "3 reports, all sent a byte at a time");
}

Outcome many_in_one_read(Stage& stage) {
    return keepalive_after(stage, some_reports(stage, 20, 3), 0, "20 reports, all in one send");
}

Outcome unknown_largest_record(Stage& stage) {
    sim::Bytes unknown(255, 0x5A);
    unknown[0] = 255;
    unknown[1] = 250;  // a type no one uses
    return keepalive_after(stage, sim::concat({unknown, some_reports(stage, 1, 5)}), 0,
                           "a 255-byte record of type 250 and a report, in one send");
}

// --- cars ------------------------------------------------------------------

// The program keeps its connection through reports of `cars` cars and, if
// it answered a keep-alive before them, answers one after them too: a
// program that reads past the first 8 cars, or takes each report for a new
// interval, tends to crash or stall here.
Outcome takes_cars(Stage& stage, std::size_t cars) {
    stage.answer_introduction();
    const bool answers = stage.answers_keepalive();
    const Played played = stage.play(milliseconds(1200), cars);
    const std::string reports = "reports of " + sim::counted(cars, "car");
    if (played.connection_lost) {
        return fail("the connection kept through " + reports, "the program closed it", stage.ms());
    }
    if (stage.program() != nullptr && !stage.program()->running()) {
        return fail("the program running through " + reports, "it ended", stage.ms());
    }
    const double at = stage.ms();
    if (answers && !stage.answers_keepalive()) {
        return fail("an answer to a keep-alive after " + reports + ", as before them",
                    "none within a second", at);
    }
    return pass(sim::counted(played.records.size(), "record") + " in answer to the reports");
}

Outcome one_car(Stage& stage) {
    return takes_cars(stage, 1);
}
Outcome eight_cars(Stage& stage) {
    return takes_cars(stage, 8);
}
Outcome nine_cars(Stage& stage) {
    return takes_cars(stage, 9);
}
Outcome forty_eight_cars(Stage& stage) {
    return takes_cars(stage, 48);
}

// --- the end ---------------------------------------------------------------

Outcome ends_or_waits_quietly(Stage& stage) {
    stage.answer_introduction();
    stage.play(milliseconds(500), 1);
    stage.close();
    const double closed = stage.ms();
    engine::ProgramProcess& program = *stage.program();
    const auto before = program.cpu_time();
    for (int i = 0; i < 500 && program.running(); ++i) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    if (!program.running()) {
        return pass("ended " + ms_text(stage.ms() - closed) + " after the close");
    }
    const auto used = (program.cpu_time() - before).count();
    if (used * 100 >= 5 * 5000) {
        return fail("an end, or under 5% of a core for 5 s",
                    std::to_string(used) + " ms of processor time in 5 s", closed);
    }
    return pass("waited, with " + std::to_string(used) + " ms of processor time in 5 s");
}

// --- figures ---------------------------------------------------------------

constexpr int kLatencyReports = 12;

Outcome report_to_answer(Stage& stage) {
    stage.answer_introduction();
    stage.during(milliseconds(300));
    std::vector<double> times;
    for (int i = 0; i < kLatencyReports; ++i) {
        const double sent = stage.ms();
        stage.send(sim::car_report({sim::car_position(0, 1, static_cast<std::size_t>(i))}));
        if (const auto answer = stage.next(milliseconds(100))) {
            times.push_back(answer->ms - sent);
        }
        stage.during(milliseconds(40));
    }
    if (times.empty()) {
        return skip("the program answered no report within 100 ms");
    }
    std::sort(times.begin(), times.end());
    const auto text = [](double ms) {
        return std::to_string(static_cast<long long>(ms * 1000)) + " us";
    };
    return pass("median " + text(times[times.size() / 2]) + ", worst " + text(times.back()) + ", " +
                std::to_string(times.size()) + " of " + std::to_string(kLatencyReports) +
                " answered");
}

// The sessions that several cases share, as their lines say them.
constexpr char kButtonSession[] = "0.7 s, reports every 100 ms";
constexpr char kCarsSession[] = "a keep-alive, 1.2 s of reports every 100 ms, a keep-alive";

}  // namespace

const char* level_name(Level level) {
    switch (level) {
        case Level::kMust:
            return "MUST";
        case Level::kShould:
            return "SHOULD";
        default:
            return "INFO";
    }
}

const std::vector<Case>& all_cases() {
    static const std::vector<Case> cases = {
        {"intro/1", Level::kMust, "The first record is the 44-byte introduction", kIntroRule, "",
         false, false, first_is_introduction},
        {"intro/2", Level::kMust, "The introduction's names end within their fields", kIntroRule,
         "", false, false, names_end_within_fields},
        {"size/1", Level::kMust, "Every record's size is a multiple of 4", kSizeRule,
         "2 s, a keep-alive every second, reports every 100 ms", false, false,
         sizes_are_multiples_of_4},
        {"keepalive/1", Level::kShould, "Every keep-alive is answered within a second",
         kKeepAliveRule, "3 s, a keep-alive every second", false, false, keepalives_answered},
        {"keepalive/2", Level::kMust, "The program is never silent as long as the idle limit",
         kKeepAliveRule, "3 s, a keep-alive every second, an idle limit of 2 s, no reports", false,
         false, never_silent},
        {"button/1", Level::kMust, "Every button has a ReqI other than 0", kButtonRule,
         kButtonSession, false, false, button_reqi},
        {"button/2", Level::kMust, "Every button's ClickID is from 0 to 239", kButtonRule,
         kButtonSession, false, false, button_click_id},
        {"button/3", Level::kMust, "Every button's L, T, W and H are from 0 to 200", kButtonRule,
         kButtonSession, false, false, button_place},
        {"button/4", Level::kMust, "Every button's text is at most 240 bytes", kButtonRule,
         kButtonSession, false, false, button_text},
        {"framing/1", Level::kShould, "Records split at every byte boundary are read whole",
         kStreamRule, "a keep-alive alone, then 3 reports and one, a byte every 2 ms", false, false,
         split_at_every_byte},
        {"framing/2", Level::kShould, "Many records in one read are each taken", kStreamRule,
         "a keep-alive alone, then 20 reports and one in one send", false, false, many_in_one_read},
        {"framing/3", Level::kShould,
         "A 255-byte record of a type the program does not know is passed over", kStreamRule,
         "a keep-alive alone, then such a record, a report and one in one send", false, false,
         unknown_largest_record},
        {"cars/1", Level::kShould, "Reports of 1 car are taken", kCarsRule, kCarsSession, true,
         false, one_car},
        {"cars/2", Level::kShould, "Reports of 8 cars are taken", kCarsRule, kCarsSession, true,
         false, eight_cars},
        {"cars/3", Level::kShould, "9 cars, two reports an interval, flagged 64 and 128, are taken",
         kCarsRule, kCarsSession, true, false, nine_cars},
        {"cars/4", Level::kShould,
         "48 cars, six reports an interval, flagged 64 and 128, are taken", kCarsRule, kCarsSession,
         true, false, forty_eight_cars},
        {"close/1", Level::kShould,
         "After the simulator closes, the program ends or waits without using the processor",
         kCloseRule, "5 s, under 5% of a core", false, true, ends_or_waits_quietly},
        {"latency/1", Level::kInfo, "Time from a report to the program's answer", kCarsRule,
         "12 reports, about 60 ms apart", true, false, report_to_answer},
    };
    return cases;
}

}  // namespace insim_check
