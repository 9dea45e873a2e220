// fake_lfs: a stand-in for the simulator's side of the client protocol.
//
// Listens on 127.0.0.1, accepts one client, checks its introduction, answers
// with a version record, sends keep-alives and closes a client that stays
// silent, and drives cars round a scripted lap, sending their positions at
// the interval the client asked for; or plays back a capture. Prints what the
// client asked for and every record it sends, buttons as readable lines, and
// says on standard error when a record is one the simulator would not take.
// This file reads the options and chooses the session.
#include "tools/fake_lfs.h"

#include <getopt.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>

#include "tools/command_line.h"
#include "tools/sim_peer.h"

namespace fake_lfs {
volatile std::sig_atomic_t interrupted = 0;
}  // namespace fake_lfs

namespace {

using fake_lfs::Options;

void on_interrupt(int) {
    fake_lfs::interrupted = 1;
}

const char kUsage[] =
    "usage: fake_lfs [options]\n"
    "Plays the simulator for one client on 127.0.0.1.\n"
    "\n"
    "  --port N            port to listen on; 0 picks a free one (default 29999)\n"
    "  --laps N            laps to drive before closing; 0 runs until interrupted (default 1)\n"
    "  --cars N            cars on the track, 1 to 48 (default 1); each interval sends one\n"
    "                      report per 8 cars, back to back, the first car of the first\n"
    "                      report flagged 64 and the last car of the last flagged 128\n"
    "  --interval MS       milliseconds between car reports, instead of the client's\n"
    "  --keepalive MS      milliseconds between keep-alives (default 30000); an unanswered\n"
    "                      one is noted on standard error and ends nothing\n"
    "  --idle-limit S      close the connection, with status 1, when nothing at all has\n"
    "                      come from the client for S seconds; 0 never (default 70)\n"
    "  --accept-timeout S  seconds to wait for the client (default 60)\n"
    "  --version TEXT      version text to report, at most 8 characters (default 0.7F)\n"
    "  --insim-version N   protocol version to report (default 9)\n"
    "  --ready-file PATH   once listening, write the port into PATH\n"
    "  --hostile N         instead of driving, send N records of garbage (truncated car\n"
    "                      reports, reports without cars, records of size 255, unknown\n"
    "                      types) in random pieces, then close\n"
    "  --seed N            seed of the garbage (default 1)\n"
    "  --replay FILE       instead of driving, play the simulator's records of a capture\n"
    "                      (written by insim_tap) at their captured times, then close\n"
    "  --speed X           with --replay, play X times faster (default 1)\n"
    "  --expect            with --replay, the client must send the capture's records,\n"
    "                      byte for byte and in order; the first difference prints\n"
    "                      FILE:LINE: expected <hex>, got <hex> and ends with status 1\n"
    "  --help              show this and exit\n"
    "\n"
    "A client that declares protocol version 0 in its introduction is served as\n"
    "version 6; 1 to 8 as declared; 9 and later are refused (status 1). Buttons\n"
    "and records that the simulator would not show or accept (a record size that\n"
    "is not a multiple of 4; a button with ReqI 0, ClickID over 239, L, T, W or H\n"
    "over 200, or more than 240 bytes of text) get a line on standard error.\n";

constexpr char kTool[] = "fake_lfs";

[[noreturn]] void usage_error(const std::string& message) {
    command_line::usage_error(kTool, message);
}

long long parse_number(const char* option, const char* text, long long lowest, long long highest) {
    return command_line::number(kTool, option, text, lowest, highest);
}

double parse_speed(const char* text) {
    char* end = nullptr;
    const double speed = std::strtod(text, &end);
    if (end == text || *end != 0 || !(speed > 0) || !std::isfinite(speed)) {
        usage_error(std::string("--speed needs a number above 0, not '") + text + "'");
    }
    return speed;
}

Options parse_options(int argc, char** argv) {
    static const option long_options[] = {
        {"port", required_argument, nullptr, 'p'},
        {"laps", required_argument, nullptr, 'l'},
        {"cars", required_argument, nullptr, 'c'},
        {"interval", required_argument, nullptr, 'i'},
        {"keepalive", required_argument, nullptr, 'k'},
        {"idle-limit", required_argument, nullptr, 'I'},
        {"accept-timeout", required_argument, nullptr, 'a'},
        {"version", required_argument, nullptr, 'v'},
        {"insim-version", required_argument, nullptr, 'n'},
        {"ready-file", required_argument, nullptr, 'r'},
        {"hostile", required_argument, nullptr, 'H'},
        {"seed", required_argument, nullptr, 's'},
        {"replay", required_argument, nullptr, 'R'},
        {"speed", required_argument, nullptr, 'S'},
        {"expect", no_argument, nullptr, 'E'},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    Options options;
    // Options that shape the lap session, which a replay has no use for.
    std::string lap_option;
    bool replay_option = false;
    opterr = 0;
    int option_index = 0;
    for (int opt; (opt = getopt_long(argc, argv, "", long_options, &option_index)) != -1;) {
        const char* name = long_options[option_index].name;
        if (std::strchr("lcikIvnHs", opt) != nullptr) {
            lap_option = name;
        }
        replay_option |= opt == 'S' || opt == 'E';
        switch (opt) {
            case 'p':
                options.port = static_cast<uint16_t>(parse_number(name, optarg, 0, 65535));
                break;
            case 'l':
                options.laps = parse_number(name, optarg, 0, 1000000);
                break;
            case 'c':
                options.cars = parse_number(name, optarg, 1, fake_lfs::kMaxCars);
                break;
            case 'i':
                options.interval_ms = parse_number(name, optarg, 1, 60000);
                break;
            case 'k':
                options.keepalive_ms = parse_number(name, optarg, 1, 600000);
                break;
            case 'I':
                options.idle_limit_s = parse_number(name, optarg, 0, 86400);
                break;
            case 'a':
                options.accept_timeout_s = parse_number(name, optarg, 1, 86400);
                break;
            case 'n':
                options.insim_version = parse_number(name, optarg, 0, 65535);
                break;
            case 'v':
                if (std::strlen(optarg) > 8) {
                    usage_error("--version takes at most 8 characters");
                }
                options.version = optarg;
                break;
            case 'r':
                options.ready_file = optarg;
                break;
            case 'H':
                options.hostile = parse_number(name, optarg, 1, 100000000);
                break;
            case 's':
                options.seed = parse_number(name, optarg, 0, 4294967295L);
                break;
            case 'R':
                options.replay = optarg;
                break;
            case 'S':
                options.speed = parse_speed(optarg);
                break;
            case 'E':
                options.expect = true;
                break;
            case 'h':
                std::cout << kUsage;
                std::exit(0);
            default:
                command_line::unknown_option(kTool, optind, argv);
        }
    }
    command_line::no_arguments_left(kTool, optind, argc, argv);
    if (!options.replay.empty() && !lap_option.empty()) {
        usage_error("--" + lap_option +
                    " does not fit --replay, which plays the capture's records");
    }
    if (options.replay.empty() && replay_option) {
        usage_error("--speed and --expect go only with --replay FILE");
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse_options(argc, argv);
    // A capture is read whole before listening: a malformed one never meets a
    // client.
    std::optional<capture::Capture> replay;
    if (!options.replay.empty()) {
        std::string error;
        replay = capture::read_capture(options.replay, error);
        if (!replay) {
            std::cerr << error << "\n";
            return 2;
        }
    }
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    try {
        sim::SimPeer peer(options.port);
        std::cout << "fake_lfs listening on 127.0.0.1:" << peer.port() << std::endl;
        if (!options.ready_file.empty()) {
            command_line::write_ready_file(options.ready_file, peer.port());
        }
        return replay ? fake_lfs::run_replay_session(options, *replay, peer)
                      : fake_lfs::run_lap_session(options, peer);
    } catch (const std::system_error& error) {
        std::cerr << "fake_lfs: cannot listen on 127.0.0.1:" << options.port << ": "
                  << error.code().message() << "\n";
        return 1;
    }
}
