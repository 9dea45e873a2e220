// insim_check: plays the simulator to a program, one session a case, and
// judges what the program does against the protocol's rules. This file
// reads the options, picks the cases and runs them.
#include <chrono>
#include <fstream>
#include <iostream>

#include "tools/cli/command_line.h"
#include "tools/insim_check/check.h"
#include "tools/insim_check/report.h"
#include "tools/insim_check/stage.h"

namespace insim_check {
namespace {

const char kFooter[] =
    "Each case is a session of its own: with --exec the program is started afresh\n"
    "through the shell ({port} in CMD is replaced by the port, and INSIM_PORT is\n"
    "set to it) and ended after its case; without it, start the program by hand\n"
    "for each case, as the line on standard error asks. The program's own output\n"
    "goes to standard error. An ID in --cases or --exclude may also be a topic,\n"
    "such as 'button'.\n"
    "Levels: MUST, where the simulator drops or ignores what breaks the rule;\n"
    "SHOULD, for robustness a program needs on a real server; INFO, figures only.\n"
    "\n"
    "Exit status: 0 when no case failed that counts; 1 when a MUST case fails, or\n"
    "a SHOULD case with --strict, or the JUnit file cannot be written; 2 for a\n"
    "usage error.";

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

Judged run_case(const Options& options, const Case& which, std::size_t number, std::size_t count) {
    const auto begin = std::chrono::steady_clock::now();
    Judged judged{&which, {}, 0, {}};
    Stage stage(options, which);
    if (which.needs_exec && options.exec.empty()) {
        judged.outcome = {Outcome::Result::kSkip, "", "", "needs --exec, to see the program end"};
    } else if (const std::string problem = stage.open(number, count); !problem.empty()) {
        judged.outcome = {Outcome::Result::kFail, "the program's connection and first record",
                          problem, ""};
    } else if (which.needs_reports && !stage.wants_reports()) {
        judged.outcome = {Outcome::Result::kSkip, "", "", "the program asks for no car reports"};
    } else {
        judged.outcome = which.run(stage);
        judged.excerpt = excerpt_around(stage.exchange(), judged.outcome.at_ms);
    }
    judged.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    return judged;
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
    std::vector<const Case*> chosen;
    for (const Case& c : all_cases()) {
        if ((options.cases.empty() || names(options.cases, c.id)) &&
            !names(options.exclude, c.id)) {
            chosen.push_back(&c);
        }
    }
    if (chosen.empty()) {
        std::cerr << "insim_check: --exclude leaves no case to run\nTry 'insim_check --help'.\n";
        return 2;
    }
    // A file that cannot be written is told before the cases, not after.
    if (!options.junit.empty() && !std::ofstream(options.junit, std::ios::app)) {
        std::cerr << "insim_check: cannot write " << options.junit << std::endl;
        return 1;
    }
    std::vector<Judged> all;
    bool failed = false;
    for (const Case* which : chosen) {
        const Case& c = *which;
        all.push_back(run_case(options, c, all.size() + 1, chosen.size()));
        print_judged(std::cout, all.back());
        std::cout.flush();
        const bool binding =
            c.level == Level::kMust || (c.level == Level::kShould && options.strict);
        failed = failed || (binding && all.back().outcome.result == Outcome::Result::kFail);
    }
    std::cout << counts_line(all) << std::endl;
    if (!options.junit.empty() && !write_junit(options.junit, all)) {
        std::cerr << "insim_check: cannot write " << options.junit << std::endl;
        return 1;
    }
    return failed ? 1 : 0;
}
