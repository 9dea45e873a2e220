// insim_tap: sits between a program and the simulator, relays both ways
// byte for byte, and writes the session as a capture file (capture_file.h)
// that fake_lfs --replay can play back later, without the simulator.
// This file reads the options.
#include "tools/cli/command_line.h"
#include "tools/insim_tap/tap.h"

namespace {

const char kFooter[] =
    "Each side's end of the stream is passed on to the other, and the session\n"
    "ends when both sides have ended, or with Ctrl+C (or SIGTERM, or SIGHUP); the\n"
    "file is written as FILE.partial, flushed at least once a second, and moved\n"
    "to FILE when the session ends. A start that fails leaves FILE as it was.";

const char kExitStatus[] =
    "Exit status: 0 when the session ended, or on Ctrl+C before one began; 1 when\n"
    "it cannot listen, nothing listens on the simulator's port, a side took\n"
    "nothing for the stall limit (what the other side sent is still recorded,\n"
    "and what could not be given is counted), records a fault held could not go\n"
    "(the side they were for failed, or an interrupt did not wait that long;\n"
    "they are counted), or the capture could not be written; 2 for a usage\n"
    "error.";

insim_tap::Options parse_options(int argc, char** argv) {
    insim_tap::Options o;
    CLI::App app(
        "Relays one program's connection to the simulator, byte for byte, and writes\n"
        "the session to FILE as a capture that 'fake_lfs --replay FILE' plays back.",
        "insim_tap");
    command_line::prepare(app);
    app.footer(std::string(kFooter) + "\n\n" + insim_tap::kFaultHelp + "\n\n" + kExitStatus);
    app.set_version_flag("--version", command_line::kProjectVersion);
    app.add_option("--listen", o.listen_port,
                   "port on 127.0.0.1 where the program connects; 0 picks a free one")
        ->type_name("PORT")
        ->check(command_line::port(true))
        ->capture_default_str();
    CLI::Option* to = app.add_option("--to", o.to_port, "the simulator's InSim port on 127.0.0.1")
                          ->type_name("PORT")
                          ->check(command_line::port(false))
                          ->capture_default_str();
    app.add_option("--out", o.out, "the capture file to write")->required()->type_name("FILE");
    app.add_option("--ready-file", o.ready_file, "once listening, write the port into PATH")
        ->type_name("PATH");
    app.add_option("--stall-limit", o.stall_limit_s,
                   "give up on a side that takes nothing for S seconds; after one side has "
                   "ended, close the other once it has sent nothing for S seconds")
        ->type_name("S")
        ->check(command_line::whole_number(1, 86400))
        ->capture_default_str();
    std::vector<std::string> faults;
    app.add_option("--fault", faults, "put a fault into the session (below); repeatable")
        ->type_name("FAULT")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command_line::parse(app, argc, argv);
    for (const std::string& text : faults) {
        std::string problem;
        const auto fault = insim_tap::parse_fault(text, problem);
        if (!fault) {
            command_line::usage_error(app, problem);
        }
        o.faults.push_back(*fault);
    }
    if (o.listen_port == o.to_port) {
        command_line::usage_error(app, "--listen and " + to->get_name() + " name the same port, " +
                                           std::to_string(o.to_port) +
                                           ": the tap would relay to itself");
    }
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    return insim_tap::run(parse_options(argc, argv));
}
