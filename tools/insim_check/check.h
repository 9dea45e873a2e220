// insim_check: plays the simulator to a program, case by case, and judges
// what the program does against the protocol's rules. This header holds what
// its parts share: the options, the levels and outcomes, and the cases'
// table (cases.cpp); stage.cpp plays one case's session, report.cpp writes
// the outcomes, main.cpp reads the command line and runs the cases.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace insim_check {

struct Options {
    uint16_t port = 29999;
    std::string exec;  // the program's command line; empty: wait for it
    std::vector<std::string> cases;
    std::vector<std::string> exclude;
    bool strict = false;
    bool list = false;
    std::string junit;
    long timeout_s = 20;  // for the program to connect, each case
};

// How binding a rule is: MUST, where the simulator drops or ignores what
// breaks it; SHOULD, for robustness a program needs on a real server;
// INFO, for figures only.
enum class Level { kMust, kShould, kInfo };
const char* level_name(Level level);

struct Outcome {
    enum class Result { kPass, kFail, kSkip } result = Result::kPass;
    std::string expected;  // for a failure
    std::string came;      // for a failure
    std::string note;      // a skip's reason, or figures
    double at_ms = -1;     // where in the exchange a failure showed, if known
};

class Stage;

struct Case {
    const char* id;
    Level level;
    const char* title;
    const char* rule;    // quoted from the protocol's facts
    const char* clocks;  // the session's clocks, said on the case's line
    bool needs_reports;  // skipped for a program that asks for none
    bool needs_exec;     // skipped without --exec
    Outcome (*run)(Stage& stage);
};

const std::vector<Case>& all_cases();

}  // namespace insim_check
