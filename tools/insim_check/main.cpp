// insim_check: plays the simulator to a program, one session a case, and
// judges what the program does against the protocol's rules. This file
// reads the options, picks the cases and runs them.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "tools/cli/command_line.h"
#include "tools/insim_check/check.h"
#include "tools/insim_check/record_rules.h"
#include "tools/insim_check/report.h"
#include "tools/insim_check/stage.h"

namespace insim_check {
namespace {

const char kFooter[] =
    "Each case is a session of its own: with --exec the program is started afresh\n"
    "through the shell ({port} in CMD is replaced by the port, and INSIM_PORT is\n"
    "set to it) and ended after its case; without it, start the program by hand\n"
    "for each case, as the line on standard error asks. What the program writes\n"
    "goes to standard error, each line marked with its case ('[size/1] ...'), and\n"
    "into that case's system-out in the JUnit file. An ID in --cases or --exclude\n"
    "may also be a topic, such as 'button'.\n"
    "A program is judged by the protocol version its introduction declares, as\n"
    "the simulator serves it: 0 as 6; 1 to 8 as declared, sizes in bytes, 8 cars a\n"
    "report; 9 and later as 9, sizes in 4-byte units, 16 cars a report. Where the\n"
    "protocol leaves it open, the introduction's own size byte may read 44 or 11\n"
    "with any version, and 1 to 5 are served as declared. The size and button\n"
    "rules judge every record of every case's session; those cases run last.\n"
    "Levels: MUST, where the simulator drops or ignores what breaks the rule;\n"
    "SHOULD, for robustness a program needs on a real server; INFO, figures only,\n"
    "never failed. A case fails when the program ends, closes or stops taking\n"
    "records before its session could show what the case judges; SKIP is only for\n"
    "what the program chose not to do (ask for reports, send buttons, answer\n"
    "keep-alives), or an INFO case without its figure.\n"
    "\n"
    "Exit status: 0 when no case failed that counts; 1 when a MUST case fails, or\n"
    "a SHOULD case with --strict; 2 for a usage error or a problem that is no\n"
    "verdict (a port taken, a command the shell cannot run, a JUnit file that\n"
    "cannot be written), told at once.";

bool names(const std::vector<std::string>& selection, const std::string& id) {
    for (const std::string& name : selection) {
        if (name == id || name == id.substr(0, id.find('/'))) {
            return true;
        }
    }
    return false;
}

Options parse_options(int argc, char** argv) {
    Options o;
    CLI::App app(
        "Plays the simulator to a program of the client protocol and checks, case\n"
        "by case, that the program keeps the protocol's rules.",
        "insim_check");
    command_line::prepare(app);
    app.footer(kFooter);
    app.set_version_flag("--version", command_line::kProjectVersion);
    app.add_option("--port", o.port, "port on 127.0.0.1 where the program connects; 0 picks one")
        ->type_name("PORT")
        ->check(command_line::port(true))
        ->capture_default_str();
    app.add_option("--exec", o.exec, "start the program with CMD for each case")->type_name("CMD");
    app.add_flag("--list", o.list, "print the cases (identifier, level, title) and run nothing");
    app.add_option("--cases", o.cases, "run only these cases or topics, comma-separated")
        ->type_name("ID")
        ->delimiter(',');
    app.add_option("--exclude", o.exclude, "run all but these cases or topics, comma-separated")
        ->type_name("ID")
        ->delimiter(',');
    app.add_flag("--strict", o.strict, "a failed SHOULD case also makes the status 1");
    app.add_option("--junit", o.junit, "write the outcomes as JUnit XML to FILE")
        ->type_name("FILE");
    app.add_option("--timeout", o.timeout_s, "wait S seconds for the program to connect, each case")
        ->type_name("S")
        ->check(command_line::whole_number(1, 3600))
        ->capture_default_str();
    command_line::parse(app, argc, argv);
    for (const auto* selection : {&o.cases, &o.exclude}) {
        for (const std::string& name : *selection) {
            bool known = false;
            for (const Case& c : all_cases()) {
                known = known || names({name}, c.id);
            }
            if (!known) {
                command_line::usage_error(
                    app, "no case or topic is called '" + name + "'; --list shows the cases");
            }
        }
    }
    return o;
}

// Runs one case; what the program's records showed in its session is
// added to `run`, which a case that judges every session reads.
Judged run_case(const Options& options, const Case& which, std::size_t number, std::size_t count,
                RecordFindings& run) {
    const auto begin = std::chrono::steady_clock::now();
    Judged judged{&which, {}, 0, {}, {}};
    Stage stage(options, which, which.every_session ? &run : nullptr);
    Outcome& outcome = judged.outcome;
    if (which.needs_exec && options.exec.empty()) {
        outcome = {Outcome::Result::kSkip, "", "", "needs --exec, to see the program end"};
    } else if (const std::string problem = stage.open(number, count); !problem.empty()) {
        outcome = {Outcome::Result::kFail, "the program's connection and first record", problem,
                   ""};
    } else if (which.needs_reports && !stage.wants_reports()) {
        outcome = {Outcome::Result::kSkip, "", "", "the program asks for no car reports"};
    } else {
        outcome = which.run(stage);
        // Nothing passes or skips on a session the program cut short.
        if (stage.cut_short() && outcome.result != Outcome::Result::kFail) {
            outcome = {Outcome::Result::kFail,
                       std::string("the session played to its end (") + which.clocks + ")",
                       stage.cut_text(), "", stage.cut_ms()};
        }
    }
    stage.end_session();
    judged.excerpt = outcome.excerpt.empty() ? stage.log().around(outcome.at_ms) : outcome.excerpt;
    if (which.level == Level::kInfo && outcome.result == Outcome::Result::kFail) {
        outcome = {Outcome::Result::kSkip, "", "", outcome.came};
        judged.excerpt.clear();
    }
    run.merge(stage.findings());
    judged.output = stage.output();
    judged.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    return judged;
}

// Whether `path` can be written, or why not. A file that was not there is
// not left behind: a check that stops before its end writes no report.
std::string unwritable(const std::string& path) {
    std::error_code ignored;
    const bool existed = std::filesystem::exists(path, ignored);
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        return std::strerror(errno);
    }
    std::fclose(file);
    if (!existed) {
        std::filesystem::remove(path, ignored);
    }
    return "";
}

int setup_problem(const std::string& what) {
    std::cerr << "insim_check: " << what << std::endl;
    return 2;
}

}  // namespace
}  // namespace insim_check

int main(int argc, char** argv) {
    using namespace insim_check;
    const Options options = parse_options(argc, argv);
    if (options.list) {
        for (const Case& c : all_cases()) {
            std::cout << c.id << "  " << level_name(c.level) << "  " << c.title << "\n";
        }
        return 0;
    }
    // The cases in the table's order, those that judge every session's
    // records last, so that they see all the others.
    std::vector<const Case*> chosen;
    for (const bool every_session : {false, true}) {
        for (const Case& c : all_cases()) {
            if (c.every_session == every_session &&
                (options.cases.empty() || names(options.cases, c.id)) &&
                !names(options.exclude, c.id)) {
                chosen.push_back(&c);
            }
        }
    }
    if (chosen.empty()) {
        std::cerr << "insim_check: --exclude leaves no case to run\nTry 'insim_check --help'.\n";
        return 2;
    }
    // A file that cannot be written is told before the cases, not after.
    if (!options.junit.empty()) {
        if (const std::string why = unwritable(options.junit); !why.empty()) {
            return setup_problem("cannot write the JUnit file " + options.junit + ": " + why +
                                 "; give --junit a file in a folder that exists and is writable");
        }
    }
    std::vector<Judged> all;
    RecordFindings run;
    bool failed = false;
    for (const Case* which : chosen) {
        const Case& c = *which;
        try {
            all.push_back(run_case(options, c, all.size() + 1, chosen.size(), run));
        } catch (const SetupProblem& problem) {
            return setup_problem(problem.what());
        }
        print_judged(std::cout, all.back());
        std::cout.flush();
        const bool binding =
            c.level == Level::kMust || (c.level == Level::kShould && options.strict);
        failed = failed || (binding && all.back().outcome.result == Outcome::Result::kFail);
    }
    std::cout << counts_line(all) << std::endl;
    if (!options.junit.empty() && !write_junit(options.junit, all)) {
        return setup_problem("cannot write the JUnit file " + options.junit + ": " +
                             std::strerror(errno));
    }
    return failed ? 1 : 0;
}
