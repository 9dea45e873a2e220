// What fake_lfs's parts share: the options it was started with and the two
// sessions it plays. main.cpp reads the options and chooses the session;
// session.cpp serves the one client both sessions have; lap_session.cpp
// drives laps (or sends garbage), and replay_session.cpp plays the
// simulator's side of a capture.
#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <cstdint>
#include <functional>
#include <string>

#include "tools/capture/capture_file.h"

namespace fake_lfs {

// The most cars the simulator puts in one race.
constexpr long kMaxCars = 48;
// How long a client may leave sends waiting when there is no idle limit.
constexpr long kDefaultSendLimitS = 70;

struct Options {
    uint16_t port = 29999;
    long laps = 1;  // 0: until interrupted
    long cars = 1;
    long interval_ms = 0;  // 0: as the client asks
    long keepalive_ms = 30000;
    long idle_limit_s = 70;  // 0: no limit
    long accept_timeout_s = 60;
    std::string version = "0.7F";
    long insim_version = 9;
    std::string ready_file;
    long hostile = 0;  // records of garbage to send instead of driving
    long long seed = 1;
    std::string replay;   // a capture to play instead of driving laps
    double speed = 1;     // replay this many times faster
    bool expect = false;  // the client must send the capture's records
    std::string print;    // a capture to print read out, instead of serving
};

// Tells a caller where the session listens, once stop signals are taken;
// false when it cannot, which ends the session with status 1.
using Announce = std::function<bool()>;

// Serves one client on `acceptor` and drives the laps (or sends the garbage)
// that `options` ask for. The process's exit status.
int run_lap_session(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options,
                    const Announce& announce);

// Serves one client on `acceptor` and sends it the simulator's records of
// `capture` at their times; with options.expect, compares what the client
// sends with the capture's client records. The process's exit status.
int run_replay_session(asio::io_context& io, asio::ip::tcp::acceptor& acceptor,
                       const Options& options, const capture::Capture& capture,
                       const Announce& announce);

}  // namespace fake_lfs
