// What fake_lfs's parts share: the options it was started with and the two
// sessions it plays. main.cpp reads the options and the script (script.cpp)
// and chooses the session; server.cpp listens and keeps the programs'
// connections (connection.cpp); lap_session.cpp runs the race (race.cpp)
// of the session's people (session.cpp) for up to eight programs, each
// served by lap_program.cpp; replay_session.cpp plays the simulator's side
// of a capture to one program.
#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/capture/capture_file.h"

namespace fake_lfs {

// The most cars the simulator puts in one race.
constexpr long kMaxCars = 48;
// The most programs the simulator serves at once.
constexpr std::size_t kMaxPrograms = 8;
// How long a program may leave sends waiting when there is no idle limit.
constexpr long kDefaultSendLimitS = 70;

struct Options {
    uint16_t port = 29999;
    long laps = 1;  // 0: until interrupted
    long cars = 1;
    long interval_ms = 0;  // 0: as each program asks
    long keepalive_ms = 30000;
    long idle_limit_s = 70;  // 0: no limit
    long accept_timeout_s = 60;
    std::string version = "0.7F";
    long insim_version = 9;
    std::string ready_file;
    long hostile = 0;  // records of garbage to send instead of driving
    long long seed = 1;
    bool strict = false;          // a record out of the limits or an unanswered keep-alive fails
    std::vector<std::string> at;  // TIME and EVENT of each --at, in turn
    std::string script;           // a script file of events
    std::string replay;           // a capture to play instead of driving laps
    double speed = 1;             // replay this many times faster
    bool expect = false;          // the program must send the capture's records
    std::string print;            // a capture to print read out, instead of serving
};

// Tells a caller where the session listens, once stop signals are taken;
// false when it cannot, which ends the session with status 1.
using Announce = std::function<bool()>;

struct ScriptEvent;

// Serves up to kMaxPrograms programs on `acceptor` and drives the race (or
// sends each the garbage) that `options` ask for, with the things people do
// that `script` gives. The process's exit status.
int run_lap_session(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options,
                    std::vector<ScriptEvent> script, const Announce& announce);

// Serves one program on `acceptor` and sends it the simulator's records of
// `capture` at their times; with options.expect, compares what the program
// sends with the capture's client records. The process's exit status.
int run_replay_session(asio::io_context& io, asio::ip::tcp::acceptor& acceptor,
                       const Options& options, const capture::Capture& capture,
                       const Announce& announce);

}  // namespace fake_lfs
