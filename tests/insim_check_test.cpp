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
    for (const std::string& id : c.fails) {
        cases += "," + id;
    }
    return {{"--cases", cases}};
#else
    return {{"--cases", "intro,size,keepalive"},
            {"--cases", "cars"},
            {"--exclude", "intro,size,keepalive,cars"}};
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
    for (std::size_t i = 0; i < parts.size(); ++i) {
        SCOPED_TRACE("part " + std::to_string(i));
        ChildProcess& check = *checks[i];
        const auto status = check.wait(180s);
        const std::string out = lines_of(check.out());
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
        if (c.mode == "sound" || c.mode == "changes_only") {
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

        std::ifstream file(junits[i], std::ios::binary);
        const std::string xml((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
        EXPECT_EQ(occurrences(xml, "<testcase "), found.size()) << xml;
        EXPECT_EQ(occurrences(xml, "<failure "), failed) << xml;
        EXPECT_EQ(occurrences(xml, "<skipped "), skipped) << xml;
        EXPECT_NE(
            xml.find("<testsuite name=\"insim_check\" tests=\"" + std::to_string(found.size()) +
                     "\" failures=\"" + std::to_string(failed) + "\""),
            std::string::npos)
            << xml;
    }
    // Every case of the fault was run, and failed.
    EXPECT_EQ(all_failed, c.fails.size());
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
    ::testing::Values(SubjectCase{"sound", "sound", {}, {}, 0},
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
                                  1}),
    [](const auto& info) { return info.param.label; });

// Without --exec the checker waits for a program started by hand, once for
// each case, and says where.
TEST(CheckByHand, WaitsForTheProgramEachCase) {
    ChildProcess check(kCheck, {"--port", "0", "--cases", "intro", "--timeout", "20"});
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(check.wait_for_output("case " + std::to_string(i + 1) + " of 2", 20s))
            << check.err();
        std::smatch port;
        const std::string asked = check.err().substr(check.err().rfind("case "));
        ASSERT_TRUE(std::regex_search(asked, port, std::regex(R"(127\.0\.0\.1:(\d+))"))) << asked;
        sim::SimClient program(static_cast<uint16_t>(std::stoi(port[1])));
        ASSERT_TRUE(program.connected());
        ASSERT_TRUE(program.send(sim::bytes_of(sim::introduction("by hand", 0, 0))));
        EXPECT_TRUE(program.wait_closed(20s));
    }
    EXPECT_EQ(check.wait(20s), 0) << check.out() << check.err();
    EXPECT_NE(check.out().find("2 passed, 0 failed, 0 skipped"), std::string::npos) << check.out();
}

// A program that never connects fails each case, with the time waited.
TEST(CheckByHand, AProgramThatNeverComesFails) {
    ChildProcess check(kCheck, {"--port", "0", "--cases", "intro/1", "--timeout", "1"});
    EXPECT_EQ(check.wait(20s), 1);
    EXPECT_NE(check.out().find("came:     the program did not connect to 127.0.0.1:"),
              std::string::npos)
        << check.out();
    EXPECT_NE(check.out().find("within 1 s"), std::string::npos) << check.out();
}

}  // namespace
