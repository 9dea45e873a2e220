// The cases: each judges one rule on a session of its own, and the record
// rules also on every other case's session. The rules are the protocol's
// facts as the simulator documents them; the sessions run with short
// clocks, which each case's line says.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <iomanip>
#include <sstream>
#include <thread>

#include "tools/insim_check/check.h"
#include "tools/insim_check/stage.h"
#include "tools/protocol/counted.h"
#include "tools/protocol/record_text.h"
#include "tools/simulator/client_records.h"
#include "tools/simulator/lap_route.h"
#include "tools/simulator/sample_records.h"

namespace insim_check {
namespace {

using Result = Outcome::Result;

constexpr char kIntroRule[] =
    "a program's first record is the 44-byte introduction, whose protocol version decides how "
    "every size after it counts";
constexpr char kSizeRule[] =
    "a size byte counts bytes up to protocol 8 and 4-byte units from 9; every record is a "
    "multiple of 4 bytes, and one of fixed size has that size";
constexpr char kKeepAliveRule[] =
    "a keep-alive comes every 30 s, and 70 s without any record from the program closes it";
constexpr char kButtonRule[] =
    "a button needs ReqI not 0, ClickID 0-239, L/T/W/H 0-200, and text of at most 240 bytes, "
    "or it is not shown";
constexpr char kCarsRule[] =
    "a report holds 8 cars up to protocol 8 and 16 from 9; with more cars an interval has several "
    "reports, the first car flagged 64 and the last 128";
constexpr char kStreamRule[] =
    "records follow one another on the stream, each sized by its first byte, in whatever pieces "
    "the network makes of them";
constexpr char kSessionRule[] =
    "the simulator sends records of many types as a session goes, unasked (a change of state, a "
    "player joining, a lap, a chat line, a click): a program passes over those it does not use";
constexpr char kCloseRule[] =
    "once the simulator closes the connection, nothing more comes; a program ends, or waits "
    "without using the processor";

constexpr milliseconds kSizeSession(2000);
constexpr milliseconds kKeepAliveSession(3000);
constexpr milliseconds kButtonTime(700);
constexpr milliseconds kCarsReports(500);
constexpr milliseconds kBeforeClose(500);
constexpr int kManyCars = 48;

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
        const insim::IS_ISI& isi = stage.introduction();
        return pass("protocol version " + std::to_string(isi.Sp0) + ", served as " +
                    std::to_string(stage.version()) + ": sizes in " +
                    (stage.unit() == 1 ? "bytes" : "4-byte units") + ", its own size byte " +
                    std::to_string(isi.Size));
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

// --- the record rules: this session's records and every earlier one's ----

// What each record rule's case expects, by the rule's number.
constexpr const char* kRecordExpected[kRecordRules] = {
    "sizes as the protocol version counts them, each a multiple of 4 bytes",
    "ReqI other than 0",
    "ClickID from 0 to 239",
    "L, T, W and H from 0 to 200",
    "a text of at most 240 bytes",
};

// Plays a session with reports (longer for the size rule, whose case also
// sends keep-alives to answer), then judges `rule` on every record the
// program sent in it and in the run's sessions before it.
template <RecordRule rule>
Outcome records_keep(Stage& stage) {
    stage.answer_introduction();
    stage.play(rule == RecordRule::kSize ? kSizeSession : kButtonTime, 1);
    stage.end_session();
    RecordFindings all;
    if (stage.earlier() != nullptr) {
        all.merge(*stage.earlier());
    }
    all.merge(stage.findings());
    if (const std::optional<Breach>& breach = all.first(rule)) {
        Outcome broken = fail(kRecordExpected[static_cast<std::size_t>(rule)],
                              breach->what + ", in " + hex(breach->record) + " (" +
                                  breach->case_id + "'s session, " + ms_text(breach->ms) + " in)");
        broken.excerpt = breach->excerpt;
        return broken;
    }
    const std::string sessions = sim::counted(all.sessions(), "session");
    if (rule == RecordRule::kSize) {
        return pass(sim::counted(all.records(), "record") + " in " + sessions);
    }
    if (all.buttons() == 0) {
        return skip("the program sent no buttons in " + sessions);
    }
    return pass(sim::counted(all.buttons(), "button") + " in " + sessions);
}

// --- keep-alives ------------------------------------------------------------

// How a probe's keep-alives were answered, in words.
std::string answers_text(const Answers& answers) {
    const std::string sent = sim::counted(static_cast<std::size_t>(answers.sent), "keep-alive");
    if (answers.own) {
        std::ostringstream text;
        text << sent << ", about " << std::lround(std::max(answers.answered, 0.0))
             << " answered within " << ms_text(kIdleLimit.count())
             << " beyond the program's own keep-alives (" << std::fixed << std::setprecision(1)
             << answers.own_per_s << " a second, counted out)";
        return text.str();
    }
    return sent + ", " + (answers.heard >= 1 ? std::to_string(answers.heard) : "none") +
           " answered within " + ms_text(kIdleLimit.count());
}

std::string too_often(const Answers& answers) {
    std::ostringstream text;
    text << "the program's own keep-alives, " << std::fixed << std::setprecision(1)
         << answers.own_per_s << " a second, come too often to tell answers from them";
    return text.str();
}

// Why a case that judges answers to keep-alives has none to judge by.
std::string unanswered_alone(const Answers& alone) {
    return alone.told ? "the program did not answer keep-alives sent alone: " + answers_text(alone)
                      : too_often(alone);
}

// Each keep-alive of a session with reports is followed by one from the
// program within a second, and keep-alives sent alone before it are
// answered within a second beyond what the program's own keep-alives could
// make up: a program with keep-alives of its own that answers none fails.
Outcome keepalives_answered(Stage& stage) {
    stage.answer_introduction();
    stage.watch_quietly();
    const Answers alone = stage.probe_alone();
    const Played played = stage.play(kKeepAliveSession, 1);
    const std::string expected = "an answer to each keep-alive within a second";
    if (stage.cut_short()) {
        return fail(expected,
                    stage.cut_text() + ", with " + std::to_string(played.keepalives_answered) +
                        " of " + sim::counted(played.keepalives_sent, "keep-alive") + " answered",
                    stage.cut_ms());
    }
    if (!alone.told) {
        return skip(too_often(alone));
    }
    if (played.keepalives_answered < played.keepalives_sent) {
        return fail(expected + " (" + sim::counted(played.keepalives_sent, "keep-alive") + ")",
                    std::to_string(played.keepalives_answered) + " answered" +
                        (played.first_late_by_ms >= 0
                             ? "; the first answer that was late came " +
                                   ms_text(played.first_late_by_ms) + " after its keep-alive"
                             : ""),
                    played.first_unanswered_ms);
    }
    const std::string sent_alone = sim::counted(alone.sent, "keep-alive") + " sent alone";
    if (!alone.enough) {
        return fail(expected + ", " + sent_alone + " too", answers_text(alone), alone.at_ms);
    }
    if (alone.took_ms > static_cast<double>(kAnswerWithin.count())) {
        return fail(expected + ", " + sent_alone + " too",
                    "their answers came " + ms_text(alone.took_ms) + " after the last of them",
                    alone.at_ms);
    }
    return pass(std::to_string(played.keepalives_answered) + " of " +
                std::to_string(played.keepalives_sent) + " answered, and " + sent_alone +
                (alone.own ? " beyond the program's own keep-alives" : ""));
}

Outcome never_silent(Stage& stage) {
    stage.answer_introduction();
    const Played played = stage.play(kKeepAliveSession, 1, false);
    if (stage.cut_short()) {
        return fail("the connection kept", stage.cut_text(), stage.cut_ms());
    }
    if (played.longest_silence_ms >= kIdleLimit.count()) {
        return fail("a record at least every " + ms_text(kIdleLimit.count()) + " (the idle limit)",
                    "silence of " + ms_text(played.longest_silence_ms), played.silence_from_ms);
    }
    return pass("longest silence " + ms_text(played.longest_silence_ms) + "; " +
                sim::counted(played.records, "record") + ", " + sim::counted(played.bytes, "byte") +
                ", from the program");
}

// --- answers to keep-alives after records delivered one way ---------------

// A program that answers keep-alives sent alone must also answer those that
// end `records`, sent in pieces of `chunk` bytes (0: in one send): what it
// answers to the records themselves may rightly differ from time to time.
Outcome keepalive_after(Stage& stage, const std::function<sim::Bytes()>& records, std::size_t chunk,
                        const std::string& way) {
    stage.answer_introduction();
    stage.watch_quietly();
    if (const Answers alone = stage.probe_alone(); !alone.enough) {
        return skip(unanswered_alone(alone));
    }
    const Answers after = stage.probe(records, chunk);
    const std::string expected =
        "an answer to each keep-alive after " + way + ", as to those sent alone";
    if (stage.cut_short()) {
        return fail(expected, stage.cut_text(), stage.cut_ms());
    }
    if (!after.enough) {
        return fail(expected, answers_text(after) + ", as if the records before them were lost",
                    after.at_ms);
    }
    return pass();
}

// Reports of one car each, for a program that asks for them.
std::function<sim::Bytes()> reports_of_one_car(Stage& stage, int reports) {
    return [&stage, reports] {
        sim::Bytes stream;
        for (int i = 0; stage.wants_reports() && i < reports; ++i) {
            stream = sim::concat({stream, stage.one_car_report()});
        }
        return stream;
    };
}

Outcome split_at_every_byte(Stage& stage) {
    return keepalive_after(stage, reports_of_one_car(stage, 3), 1,
                           "3 reports, all sent a byte at a time");
}

Outcome many_in_one_read(Stage& stage) {
    return keepalive_after(stage, reports_of_one_car(stage, 20), 0, "20 reports, all in one send");
}

Outcome unknown_largest_record(Stage& stage) {
    // The largest size byte, of a type no one uses: 255 bytes up to
    // protocol 8, 1020 from 9.
    const auto records = [&stage, reports = reports_of_one_car(stage, 1)] {
        sim::Bytes unknown(0xFF * stage.unit(), 0x5A);
        unknown[0] = 0xFF;
        unknown[1] = 250;
        return sim::concat({unknown, reports()});
    };
    return keepalive_after(stage, records, 0,
                           "the largest record of an unknown type and a report, in one send");
}

// --- a session's records ----------------------------------------------------

// A record of every type the simulator sends, each followed by a report
// (to a program that asks for them) and a keep-alive, in one send: the
// program keeps its connection and answers each keep-alive. It answers
// them in order, so the first it leaves unanswered follows the record it
// stopped at.
Outcome takes_every_record(Stage& stage) {
    stage.answer_introduction();
    stage.watch_quietly();
    if (const Answers alone = stage.probe_alone(); !alone.enough) {
        return skip(unanswered_alone(alone));
    }
    const std::vector<sim::Bytes> records = sim::sample_records(stage.version());
    const bool reports = stage.wants_reports();
    const Answers after = stage.probe([&stage, &records, reports] {
        sim::Bytes stream;
        for (std::size_t i = 0; i < records.size(); ++i) {
            stream = sim::concat({stream, records[i]});
            if (reports) {
                stream = sim::concat({stream, stage.one_car_report()});
            }
            if (i + 1 < records.size()) {
                stream = sim::concat({stream, stage.keepalive()});  // the last comes with the probe
            }
        }
        return stream;
    });
    const std::string types = sim::counted(records.size(), "record type");
    if (!stage.cut_short() && after.enough) {
        return pass(types + (reports ? ", each with a report" : "") + " (protocol " +
                    std::to_string(stage.version()) + ")");
    }
    const std::string expected = "an answer to each keep-alive after a record of each of the " +
                                 types + " the simulator sends" +
                                 (reports ? ", each with a report" : "");
    // Those it answered, of the keep-alives after each record but the last.
    const auto answered =
        std::min(static_cast<std::size_t>(std::max(after.answered, 0.0)), records.size() - 1);
    const std::string stopped = "; it stopped answering after " +
                                records::shown(records[answered], stage.unit()) +
                                (reports ? " and the report after it" : "");
    if (stage.cut_short()) {
        return fail(expected, stage.cut_text() + stopped, stage.cut_ms());
    }
    return fail(expected, answers_text(after) + stopped, after.at_ms);
}

// --- cars ------------------------------------------------------------------

// The cars of a case, by the cars one report holds at the version served.
enum class Cars { kOne, kFull, kOneMore, kMany };

std::size_t count_of(Cars cars, int version) {
    const std::size_t per_report = sim::cars_per_report(version);
    switch (cars) {
        case Cars::kOne:
            return 1;
        case Cars::kFull:
            return per_report;
        case Cars::kOneMore:
            return per_report + 1;
        default:
            return kManyCars;
    }
}

// The program keeps its connection through reports of `cars` cars and, if
// it answers keep-alives before them, answers those that follow the
// reports too: a program that reads past the cars one report holds, or
// takes each report for a new interval, tends to crash or stall here.
Outcome takes_cars(Stage& stage, Cars which) {
    const std::size_t cars = count_of(which, stage.version());
    stage.answer_introduction();
    stage.watch_quietly();
    const Answers alone = stage.probe_alone();
    const Played played = stage.play(kCarsReports, cars, true, false);
    const std::string reports = "reports of " + sim::counted(cars, "car");
    if (stage.cut_short()) {
        return fail("the connection kept through " + reports, stage.cut_text(), stage.cut_ms());
    }
    const std::string taken = sim::counted(played.records, "record") + " in answer to " + reports +
                              " (protocol " + std::to_string(stage.version()) + ")";
    // Without answers nothing shows that the program still reads.
    if (!alone.enough) {
        return skip(unanswered_alone(alone) + "; so nothing showed whether it still reads after " +
                    reports);
    }
    const Answers after = stage.probe([&stage, cars] {
        sim::Bytes interval;
        for (const sim::Bytes& report : stage.interval_reports(cars)) {
            interval = sim::concat({interval, report});
        }
        return interval;
    });
    const std::string expected =
        "an answer to each keep-alive after " + reports + ", as before them";
    if (stage.cut_short()) {
        return fail(expected, stage.cut_text(), stage.cut_ms());
    }
    if (!after.enough) {
        return fail(expected, answers_text(after), after.at_ms);
    }
    return pass(taken);
}

Outcome one_car(Stage& stage) {
    return takes_cars(stage, Cars::kOne);
}
Outcome full_reports(Stage& stage) {
    return takes_cars(stage, Cars::kFull);
}
Outcome one_car_more(Stage& stage) {
    return takes_cars(stage, Cars::kOneMore);
}
Outcome many_cars(Stage& stage) {
    return takes_cars(stage, Cars::kMany);
}

// --- the end ---------------------------------------------------------------

Outcome ends_or_waits_quietly(Stage& stage) {
    stage.answer_introduction();
    stage.play(kBeforeClose, 1);
    if (stage.cut_short()) {
        return fail("the program in its session until the simulator closes", stage.cut_text(),
                    stage.cut_ms());
    }
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
    stage.watch(milliseconds(300));
    std::vector<double> times;
    for (int i = 0; i < kLatencyReports && !stage.cut_short(); ++i) {
        const double sent = stage.ms();
        stage.send(stage.one_car_report());
        if (const auto answer = stage.next(milliseconds(100))) {
            times.push_back(answer->ms - sent);
        }
        stage.watch(milliseconds(40));
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
constexpr char kButtonSession[] =
    "0.7 s, reports every 100 ms; and every record of the run's other sessions";
constexpr char kCarsSession[] =
    "1 s without keep-alives, keep-alives sent alone, 0.5 s of reports every 100 ms, reports and "
    "keep-alives";

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
         false, false, false, first_is_introduction},
        {"intro/2", Level::kMust, "The introduction's names end within their fields", kIntroRule,
         "", false, false, false, names_end_within_fields},
        {"size/1", Level::kMust, "Every record's size is one its protocol version allows",
         kSizeRule,
         "2 s, a keep-alive every second, reports every 100 ms; and every record of the run's "
         "other sessions",
         false, false, true, records_keep<RecordRule::kSize>},
        {"keepalive/1", Level::kShould, "Every keep-alive is answered within a second",
         kKeepAliveRule,
         "1 s without keep-alives, keep-alives sent alone; then 3 s, a keep-alive every second, "
         "reports every 100 ms",
         false, false, false, keepalives_answered},
        {"keepalive/2", Level::kMust, "The program is never silent as long as the idle limit",
         kKeepAliveRule,
         "3 s, a keep-alive every second, an idle limit of 2.33 s (the simulator's 30 s and 70 s, "
         "scaled alike), no reports",
         false, false, false, never_silent},
        {"button/1", Level::kMust, "Every button has a ReqI other than 0", kButtonRule,
         kButtonSession, false, false, true, records_keep<RecordRule::kButtonReqI>},
        {"button/2", Level::kMust, "Every button's ClickID is from 0 to 239", kButtonRule,
         kButtonSession, false, false, true, records_keep<RecordRule::kButtonClickId>},
        {"button/3", Level::kMust, "Every button's L, T, W and H are from 0 to 200", kButtonRule,
         kButtonSession, false, false, true, records_keep<RecordRule::kButtonPlace>},
        {"button/4", Level::kMust, "Every button's text is at most 240 bytes", kButtonRule,
         kButtonSession, false, false, true, records_keep<RecordRule::kButtonText>},
        {"framing/1", Level::kShould, "Records split at every byte boundary are read whole",
         kStreamRule,
         "1 s without keep-alives, keep-alives sent alone, then 3 reports and keep-alives, a byte "
         "every 2 ms",
         false, false, false, split_at_every_byte},
        {"framing/2", Level::kShould, "Many records in one read are each taken", kStreamRule,
         "1 s without keep-alives, keep-alives sent alone, then 20 reports and keep-alives in one "
         "send",
         false, false, false, many_in_one_read},
        {"framing/3", Level::kShould,
         "The largest record of a type the program does not know is passed over", kStreamRule,
         "1 s without keep-alives, keep-alives sent alone, then a record of size byte 255, a "
         "report and keep-alives in one send",
         false, false, false, unknown_largest_record},
        {"cars/1", Level::kShould, "Reports of 1 car are taken", kCarsRule, kCarsSession, true,
         false, false, one_car},
        {"cars/2", Level::kShould, "Full reports are taken (8 cars up to protocol 8, 16 from 9)",
         kCarsRule, kCarsSession, true, false, false, full_reports},
        {"cars/3", Level::kShould,
         "One car more than a report holds, two reports an interval flagged 64 and 128, is taken",
         kCarsRule, kCarsSession, true, false, false, one_car_more},
        {"cars/4", Level::kShould,
         "48 cars, several reports an interval, flagged 64 and 128, are taken", kCarsRule,
         kCarsSession, true, false, false, many_cars},
        {"session/1", Level::kShould,
         "Records of every type the simulator sends are passed over or taken", kSessionRule,
         "1 s without keep-alives, keep-alives sent alone, then one record of each type the "
         "simulator sends, each with a report and a keep-alive, and more keep-alives, in one send",
         false, false, false, takes_every_record},
        {"close/1", Level::kShould,
         "After the simulator closes, the program ends or waits without using the processor",
         kCloseRule, "5 s, under 5% of a core", false, true, false, ends_or_waits_quietly},
        {"latency/1", Level::kInfo, "Time from a report to the program's answer", kCarsRule,
         "12 reports, about 60 ms apart", true, false, false, report_to_answer},
    };
    return cases;
}

}  // namespace insim_check
