// What fake_lfs's sessions share: the options it was started with and the
// flag that an interrupt sets. fake_lfs.cpp parses the options and chooses
// the session; lap_session.cpp drives laps (or sends garbage), and
// replay_session.cpp plays the simulator's side of a capture.
#pragma once

#include <csignal>
#include <string>

#include "tools/capture_file.h"
#include "tools/sim_peer.h"

namespace fake_lfs {

// The most cars the simulator puts in one race.
constexpr long kMaxCars = 48;

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
};

// Set by SIGINT and SIGTERM; sessions end cleanly when they see it.
extern volatile std::sig_atomic_t interrupted;

// Accepts one client, checks its introduction and drives the laps (or sends
// the garbage) that `options` ask for. The process's exit status.
int run_lap_session(const Options& options, sim::SimPeer& peer);

// Accepts one client and sends it the simulator's records of `capture` at
// their times; with options.expect, compares what the client sends with the
// capture's client records. The process's exit status.
int run_replay_session(const Options& options, const capture::Capture& capture, sim::SimPeer& peer);

}  // namespace fake_lfs
