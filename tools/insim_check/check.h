// insim_check: plays the simulator to a program, case by case, and judges
// what the program does against the protocol's rules. This header holds what
// its parts share: the options, the levels and outcomes, and the cases'
// table (cases.cpp); stage.cpp plays one case's session, record_rules.cpp
// judges every record the program sends, report.cpp writes the outcomes,
// main.cpp reads the command line and runs the cases.
#pragma once

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/protocol/sim_records.h"

namespace insim_check {

// Where the simulator listens for programs unless told otherwise.
constexpr uint16_t kSimulatorPort = 29999;

struct Options {
    uint16_t port = kSimulatorPort;
    std::string exec;  // the program's command line; empty: wait for it
    std::vector<std::string> cases;
    std::vector<std::string> exclude;
    bool strict = false;
    bool list = false;
    std::string junit;
    long timeout_s = 20;  // for the program to connect, each case
};

// What stops the whole check, being no verdict on the program: a port that
// cannot be listened on, a command that cannot be run, a file that cannot
// be written. Its text says what is wrong and how to mend it.
struct SetupProblem : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// How binding a rule is: MUST, where the simulator drops or ignores what
// breaks it; SHOULD, for robustness a program needs on a real server;
// INFO, for figures only.
enum class Level { kMust, kShould, kInfo };
const char* level_name(Level level);

// One record of a session, with its time.
struct Exchanged {
    double ms;  // since the program connected
    char from;  // 'S' (this simulator) or 'C' (the program)
    sim::Bytes record;
};

struct Outcome {
    enum class Result { kPass, kFail, kSkip } result = Result::kPass;
    std::string expected;  // for a failure
    std::string came;      // for a failure
    std::string note;      // a skip's reason, or figures
    double at_ms = -1;     // where in the exchange a failure showed, if known
    // The records around the failure, when they are not the case's own
    // session's around at_ms (a record rule's failure in another session).
    std::vector<Exchanged> excerpt = {};
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
    // Judges every record the program sent in every session of the run,
    // its own last: such a case runs after the others.
    bool every_session;
    Outcome (*run)(Stage& stage);
};

const std::vector<Case>& all_cases();

}  // namespace insim_check
