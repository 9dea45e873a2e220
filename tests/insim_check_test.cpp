// insim_check against small programs of its own: a sound one passes every
// case, and each that breaks one rule fails in that rule's cases and in no
// other. The JUnit file says the same as the console.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tools/engine/peer.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildProcess;

const std::string kCheck = INSIM_CHECK_PROGRAM;

// The subject's command line for the shell that insim_check starts.
std::string subject_command(const std::string& mode) {
    return "\"" + std::filesystem::path(CHECK_SUBJECT_PROGRAM).make_preferred().string() + "\" " +
           mode;
}

struct Outcome {
    std::string result;  // PASS, FAIL or SKIP
    std::string level;   // MUST, SHOULD or INFO
};

// Each case's outcome from the console report, by identifier.
std::map<std::string, Outcome> outcomes(const std::string& report) {
    std::map<std::string, Outcome> found;
    const std::regex line(R"(^(PASS|FAIL|SKIP)  (\S+)  (\S+)  )");
    std::istringstream lines(report);
    for (std::string text; std::getline(lines, text);) {
        std::smatch match;
        if (std::regex_search(text, match, line)) {
            found[match[2]] = {match[1], match[3]};
        }
    }
    return found;
}

// `text` with CR LF line ends (Windows' console streams) made LF.
std::string lines_of(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) {
        text.erase(at, 1);
    }
    return text;
}

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

struct SubjectCase {
    std::string label;
    std::string mode;
    std::vector<std::string> fails;  // the cases that fail
    std::vector<std::string> options;
    long status;
    // Cases that the runs of a few cases run besides those that fail: those
    // whose sessions show the fault that a record rule's case fails on, or
    // whose report says what `says` holds.
    std::vector<std::string> shown_in = {};
    // What the report says of the fault, somewhere.
    std::vector<std::string> says = {};
};

void PrintTo(const SubjectCase& c, std::ostream* out) {
    *out << c.label;
}

class CheckSubjects : public ::testing::TestWithParam<SubjectCase> {};

// The case choices of one subject's check, each run by an insim_check of its
// own, all at once: the cases mostly wait, so a whole check takes as long as
// its longest part. Sanitized builds and Wine run the first case and those
// that fail; the normal build runs every case.
std::vector<std::vector<std::string>> parts_of(const SubjectCase& c) {
    for (const std::string& option : c.options) {
        if (option.rfind("--cases", 0) == 0 || option.rfind("--exclude", 0) == 0) {
            return {{}};
        }
    }
#ifdef QUICK_CHECK_RUNS
    std::string cases = "intro/1";
    for (const auto* ids : {&c.fails, &c.shown_in}) {
        for (const std::string& id : *ids) {
            cases += "," + id;
        }
    }
    return {{"--cases", cases}};
#else
    // The record rules judge the sessions of their own part: the buttons'
    // go with the cars', where many cars make many buttons. The parts take
    // about as long as one another.
    return {{"--cases", "intro,size,keepalive/1,session"},
            {"--cases", "cars,button"},
            {"--exclude", "intro,size,keepalive/1,session,cars,button"}};
#endif
}

TEST_P(CheckSubjects, FailOnlyInTheCasesOfTheirFault) {
    const SubjectCase& c = GetParam();
    const auto parts = parts_of(c);
    std::vector<std::unique_ptr<ChildProcess>> checks;
    std::vector<std::string> junits;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        junits.push_back(::testing::TempDir() + "check_" + c.label + "_" + std::to_string(i) +
                         ".xml");
        std::vector<std::string> args = {"--port",  "0",      "--exec", subject_command(c.mode),
                                         "--junit", junits[i]};
        args.insert(args.end(), parts[i].begin(), parts[i].end());
        args.insert(args.end(), c.options.begin(), c.options.end());
        checks.push_back(std::make_unique<ChildProcess>(kCheck, args));
    }
    const bool strict =
        std::find(c.options.begin(), c.options.end(), "--strict") != c.options.end();
    std::size_t all_failed = 0;
    long worst_status = 0;
    std::map<std::string, int> runs;  // how often each case ran
    std::string reports;              // every part's
    for (std::size_t i = 0; i < parts.size(); ++i) {
        SCOPED_TRACE("part " + std::to_string(i));
        ChildProcess& check = *checks[i];
        const auto status = check.wait(180s);
        const std::string out = lines_of(check.out());
        reports += out;
        const auto found = outcomes(out);
        std::size_t failed = 0;
        std::size_t skipped = 0;
        bool binding_failure = false;
        for (const auto& [id, outcome] : found) {
            const bool fails = std::find(c.fails.begin(), c.fails.end(), id) != c.fails.end();
            EXPECT_EQ(outcome.result == "FAIL", fails) << id << " " << outcome.result << "\n"
                                                       << out;
            failed += outcome.result == "FAIL" ? 1 : 0;
            skipped += outcome.result == "SKIP" ? 1 : 0;
            binding_failure = binding_failure ||
                              (outcome.result == "FAIL" &&
                               (outcome.level == "MUST" || (strict && outcome.level == "SHOULD")));
            ++runs[id];
        }
        all_failed += failed;
        // Each part's status follows the levels of its own failures.
        ASSERT_TRUE(status.has_value()) << out << check.err();
        EXPECT_EQ(*status, binding_failure ? 1 : 0) << out << check.err();
        worst_status = std::max(worst_status, *status);
        if (c.mode == "sound" || c.mode == "changes_only" || c.mode == "sound9") {
            EXPECT_EQ(skipped, 0u) << out;
        }
        const std::string counts = std::to_string(found.size() - failed - skipped) + " passed, " +
                                   std::to_string(failed) + " failed, " + std::to_string(skipped) +
                                   " skipped\n";
        EXPECT_TRUE(out.size() >= counts.size() &&
                    out.compare(out.size() - counts.size(), counts.size(), counts) == 0)
            << "last line " << counts << out;
        // A failure says what was expected, what came, and the records around
        // it, read out.
        EXPECT_EQ(occurrences(out, "\n      expected: "), failed) << out;
        EXPECT_EQ(occurrences(out, "\n      came:     "), failed) << out;
        if (failed > 0) {
            EXPECT_TRUE(std::regex_search(out, std::regex(R"(\n        \d+ [SC] IS_[A-Z]+ )")))
                << out;
        }

        // The program's output is marked with its case on standard error, is
        // in that case's system-out, and never in the report.
        const std::string said = "check_subject " + c.mode + " connected";
        for (const auto& [id, outcome] : found) {
            EXPECT_NE(check.err().find("[" + id + "] " + said), std::string::npos) << id << "\n"
                                                                                   << check.err();
        }
        EXPECT_EQ(out.find("check_subject"), std::string::npos) << out;

        std::ifstream file(junits[i], std::ios::binary);
        const std::string xml((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
        EXPECT_EQ(occurrences(xml, said), found.size()) << xml;
        EXPECT_EQ(occurrences(xml, "<testcase "), found.size()) << xml;
        EXPECT_EQ(occurrences(xml, "<failure "), failed) << xml;
        EXPECT_EQ(occurrences(xml, "<skipped "), skipped) << xml;
        EXPECT_NE(
            xml.find("<testsuite name=\"insim_check\" tests=\"" + std::to_string(found.size()) +
                     "\" failures=\"" + std::to_string(failed) + "\""),
            std::string::npos)
            << xml;
    }
    // Every case of the fault was run, and failed, saying why.
    EXPECT_EQ(all_failed, c.fails.size());
    for (const std::string& text : c.says) {
        EXPECT_NE(reports.find(text), std::string::npos) << text << "\n" << reports;
    }
    EXPECT_EQ(worst_status, c.status);
    if (parts.size() > 1) {
        // The parts together run every case once.
        ChildProcess list(kCheck, {"--list"});
        ASSERT_EQ(list.wait(20s), 0) << list.err();
        std::map<std::string, int> listed;
        std::istringstream lines(lines_of(list.out()));
        for (std::string line; std::getline(lines, line);) {
            listed[line.substr(0, line.find(' '))] = 1;
        }
        EXPECT_EQ(runs, listed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Programs, CheckSubjects,
    ::testing::Values(
        SubjectCase{"sound", "sound", {}, {}, 0},
        SubjectCase{"silent", "silent", {"keepalive/1", "keepalive/2"}, {}, 1},
        SubjectCase{"wide_button", "wide_button", {"button/3"}, {}, 1},
        SubjectCase{"odd_size", "odd_size", {"size/1"}, {}, 1},
        SubjectCase{"unterminated_name", "unterminated_name", {"intro/2"}, {}, 1},
        // Framing is a SHOULD: its failure sets the status only when strict.
        SubjectCase{"whole_reads", "whole_reads", {"framing/1"}, {}, 0},
        // Answers that differ between deliveries are no fault.
        SubjectCase{"changes_only", "changes_only", {}, {}, 0},
        SubjectCase{"size_zero", "size_zero", {"size/1"}, {"--cases", "size/1"}, 1},
        // Its only odd records answer keep-alives, which size/1 must send.
        SubjectCase{"odd_answer", "odd_answer", {"size/1"}, {"--cases", "size/1"}, 1},
        SubjectCase{"whole_reads_strict",
                    "whole_reads",
                    {"framing/1"},
                    {"--cases", "framing/1", "--strict"},
                    1},
        // A program that ends or closes before a case could judge fails that
        // case: nothing passes for want of evidence. Without reports
        // (keepalive/2) it lives on.
        SubjectCase{"crash_at_report",
                    "crash_at_report",
                    {"size/1", "keepalive/1", "button/1", "button/2", "button/3", "button/4",
                     "framing/1", "framing/2", "framing/3", "cars/1", "cars/2", "cars/3", "cars/4",
                     "session/1", "close/1"},
                    {},
                    1,
                    {},
                    {"the program ended (status 3) ", " before the first keep-alive"}},
        // A program that crashes on a record it does not expect: the
        // failure names the record it stopped at (after the version and an
        // IS_TINY, which it takes).
        SubjectCase{"crash_at_unexpected",
                    "crash_at_unexpected",
                    {"session/1"},
                    {},
                    0,
                    {},
                    {"the program ended (status 3) ",
                     "; it stopped answering after IS_SMALL SubT=SMALL_VTA UVal=2 and the report "
                     "after it"}},
        // framing/3 sends one report, which it lives through.
        SubjectCase{
            "close_after_3",
            "close_after_3",
            {"size/1", "keepalive/1", "button/1", "button/2", "button/3", "button/4", "framing/1",
             "framing/2", "cars/1", "cars/2", "cars/3", "cars/4", "session/1", "close/1"},
            {},
            1,
            {},
            {"after 3 reports and before the first keep-alive"}},
        // Its own keep-alives are no answers to the checker's.
        SubjectCase{"own_whole_reads",
                    "own_whole_reads",
                    {"framing/1"},
                    {},
                    0,
                    {},
                    {"beyond the program's own keep-alives"}},
        SubjectCase{"own_deaf_at_9",
                    "own_deaf_at_9",
                    {"cars/3", "cars/4"},
                    {},
                    0,
                    {},
                    {"beyond the program's own keep-alives"}},
        // Regression: keep-alives of its own passed for answers in
        // keepalive/1, and the car cases passed a program that answers none
        // with nothing to show that it still reads; they skip.
        SubjectCase{"own_no_answers_deaf_at_9",
                    "own_no_answers_deaf_at_9",
                    {"keepalive/1"},
                    {},
                    0,
                    {"cars/4"},
                    {"beyond the program's own keep-alives",
                     "so nothing showed whether it still reads after reports of 48 cars"}},
        // Regression: a keep-alive of its own slower than the watch before a
        // probe showed passed for the answer after the records.
        SubjectCase{"slow_own_whole_reads",
                    "slow_own_whole_reads",
                    {"framing/1"},
                    {},
                    0,
                    {},
                    {"as if the records before them were lost"}},
        SubjectCase{"slow_own_deaf_at_9", "slow_own_deaf_at_9", {"cars/3", "cars/4"}, {}, 0},
        // The MUST limits hold in every session, not only in a one-car one:
        // ClickIDs 240 to 248 come with 48 cars.
        SubjectCase{"button_per_car",
                    "button_per_car",
                    {"button/2"},
                    {},
                    1,
                    {"cars/4"},
                    {"ClickID 240, over 239", "(cars/4's session, "}},
        // 1.1 s late is 33 s late on the simulator's clocks: never dropped,
        // but not within the second keepalive/1 asks.
        SubjectCase{"late_answers",
                    "late_answers",
                    {"keepalive/1"},
                    {},
                    0,
                    {},
                    {"the first answer that was late came 1"}},
        // Today's protocol: sizes in 4-byte units, 16 cars a report.
        SubjectCase{"sound9", "sound9", {}, {}, 0},
        // Its answers, read in 4-byte units, are records of 16 bytes: the
        // simulator would find no answer, and drop it.
        SubjectCase{"bytes9",
                    "bytes9",
                    {"size/1", "keepalive/1", "keepalive/2"},
                    {},
                    1,
                    {},
                    {"counts bytes"}},
        // Regression: its buttons of 16 bytes, read in 4-byte units, take
        // the next three in as text, and the record so merged keeps every
        // limit of a button.
        SubjectCase{"button_bytes9",
                    "button_bytes9",
                    {"size/1"},
                    {"--cases", "size/1"},
                    1,
                    {},
                    {"its size byte probably counts bytes"}},
        // A flood of sound records is taken and judged sound.
        SubjectCase{"flood", "flood", {}, {"--cases", "keepalive/2,size/1"}, 0}),
    [](const auto& info) { return info.param.label; });

// The port a checker without --exec asks for the program on, in the line it
// says for its case `number` of `count`.
uint16_t asked_port(ChildProcess& check, int number, int count) {
    const std::string line = "case " + std::to_string(number) + " of " + std::to_string(count);
    EXPECT_TRUE(check.wait_for_output(line, 20s)) << check.err();
    std::smatch port;
    const std::string asked = check.err().substr(check.err().rfind("case "));
    EXPECT_TRUE(std::regex_search(asked, port, std::regex(R"(127\.0\.0\.1:(\d+))"))) << asked;
    return port.empty() ? 0 : static_cast<uint16_t>(std::stoi(port[1]));
}

// Without --exec the checker waits for a program started by hand, once for
// each case, and says where.
TEST(CheckByHand, WaitsForTheProgramEachCase) {
    ChildProcess check(kCheck, {"--port", "0", "--cases", "intro", "--timeout", "20"});
    for (int i = 0; i < 2; ++i) {
        sim::SimClient program(asked_port(check, i + 1, 2));
        ASSERT_TRUE(program.connected());
        ASSERT_TRUE(program.send(sim::bytes_of(sim::introduction("by hand", 0, 0))));
        EXPECT_TRUE(program.wait_closed(20s));
    }
    EXPECT_EQ(check.wait(20s), 0) << check.out() << check.err();
    EXPECT_NE(check.out().find("2 passed, 0 failed, 0 skipped"), std::string::npos) << check.out();
}

// A program that never connects fails each case, with the time waited; an
// INFO case, which never fails, is skipped with that reason.
TEST(CheckByHand, AProgramThatNeverComesFails) {
    ChildProcess check(kCheck, {"--port", "0", "--cases", "intro/1,latency/1", "--timeout", "1"});
    EXPECT_EQ(check.wait(20s), 1);
    EXPECT_NE(check.out().find("came:     the program did not connect to 127.0.0.1:"),
              std::string::npos)
        << check.out();
    EXPECT_NE(check.out().find("within 1 s"), std::string::npos) << check.out();
    EXPECT_TRUE(std::regex_search(
        check.out(), std::regex(R"(\nSKIP  latency/1  INFO  .*: the program did not connect)")))
        << check.out();
}

// The simulator serves the version a program declares, as far as it can,
// and says in its version record which it uses: 0 as 6 (as old programs
// mean it), 1 to 8 as declared with sizes in bytes, 9 and later as 9 with
// sizes in 4-byte units. Everything it sends is in that version's unit.
struct Served {
    std::string label;
    uint8_t declared;
    int version;
    std::size_t unit;
};

void PrintTo(const Served& c, std::ostream* out) {
    *out << c.label;
}

class CheckServes : public ::testing::TestWithParam<Served> {};

TEST_P(CheckServes, TheVersionInUseInItsUnit) {
    const Served& c = GetParam();
    ChildProcess check(kCheck, {"--port", "0", "--cases", "keepalive/2", "--timeout", "20"});
    sim::SimClient program(asked_port(check, 1, 1));
    ASSERT_TRUE(program.connected());
    program.set_record_unit(c.unit);
    ASSERT_TRUE(program.send(sim::bytes_of(sim::introduction("by hand", 0, 0, c.declared))));
    const auto version = program.read_record(10s);
    ASSERT_TRUE(version.has_value()) << program.failure();
    ASSERT_EQ(version->size(), sizeof(insim::IS_VER));
    EXPECT_EQ((*version)[0], sizeof(insim::IS_VER) / c.unit);
    insim::IS_VER served{};
    std::memcpy(&served, version->data(), sizeof served);
    EXPECT_EQ(served.InSimVer, c.version);
    const auto keepalive = program.read_record(10s);
    ASSERT_TRUE(keepalive.has_value()) << program.failure();
    EXPECT_EQ(*keepalive, sim::sized_for(sim::tiny_record(insim::TINY_NONE), c.version));
    program.close();
    EXPECT_TRUE(check.wait(20s).has_value()) << check.out() << check.err();
}

INSTANTIATE_TEST_SUITE_P(Versions, CheckServes,
                         ::testing::Values(Served{"zero_as_6", 0, 6, 1}, Served{"eight", 8, 8, 1},
                                           Served{"nine", 9, 9, 4},
                                           Served{"above_nine_as_9", 12, 9, 4}),
                         [](const auto& info) { return info.param.label; });

// What is no verdict on a program stops the check at once, with status 2,
// what is wrong and how to mend it.
struct SetupCase {
    std::string label;
    // The options, given a port that something else listens on.
    std::vector<std::string> (*options)(const std::string& busy_port);
    std::vector<std::string> says;  // on standard error
};

void PrintTo(const SetupCase& c, std::ostream* out) {
    *out << c.label;
}

class CheckSetup : public ::testing::TestWithParam<SetupCase> {};

TEST_P(CheckSetup, StopsAtOnceWithStatus2) {
    const SetupCase& c = GetParam();
    sim::SimPeer taken;
    const std::vector<std::string> options = c.options(std::to_string(taken.port()));
    const auto junit = std::find(options.begin(), options.end(), "--junit");
    if (junit != options.end()) {
        std::filesystem::remove(*(junit + 1));
    }
    ChildProcess check(kCheck, options);
    EXPECT_EQ(check.wait(60s), 2) << check.out() << check.err();
    for (const std::string& text : c.says) {
        EXPECT_NE(check.err().find(text), std::string::npos) << text << "\n" << check.err();
    }
    EXPECT_EQ(outcomes(lines_of(check.out())).size(), 0u) << "no case is judged\n" << check.out();
    // Regression: the check that the JUnit file can be written left it
    // behind, empty, when the check then stopped.
    if (junit != options.end()) {
        EXPECT_FALSE(std::filesystem::exists(*(junit + 1))) << *(junit + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Problems, CheckSetup,
    ::testing::Values(
        SetupCase{
            "busy_port",
            [](const std::string& busy) {
                return std::vector<std::string>{"--port", busy, "--exec", subject_command("sound")};
            },
            {"cannot listen on 127.0.0.1:", "--port 0"}},
        SetupCase{"busy_port_with_junit",
                  [](const std::string& busy) {
                      return std::vector<std::string>{
                          "--port",  busy,
                          "--exec",  subject_command("sound"),
                          "--junit", ::testing::TempDir() + "check_busy_port.xml"};
                  },
                  {"cannot listen on 127.0.0.1:"}},
        // The shell's own words on it are the program's output, marked.
        SetupCase{"missing_command",
                  [](const std::string&) {
                      return std::vector<std::string>{"--port", "0", "--exec",
                                                      "no_such_program_for_insim_check"};
                  },
                  {"the shell could not run the command given to --exec", "[intro/1] "}},
        SetupCase{"command_that_says_nothing",
                  [](const std::string&) {
                      return std::vector<std::string>{"--port", "0", "--exec", "exit 3"};
                  },
                  {"the program ended (status 3) without connecting", "without a word",
                   "{port} or INSIM_PORT"}},
        SetupCase{"unwritable_junit",
                  [](const std::string&) {
                      return std::vector<std::string>{
                          "--port",  "0",
                          "--exec",  subject_command("sound"),
                          "--junit", ::testing::TempDir() + "no_such_folder/check.xml"};
                  },
                  {"cannot write the JUnit file", "a folder that exists"}}),
    [](const auto& info) { return info.param.label; });

}  // namespace
