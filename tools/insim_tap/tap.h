// insim_tap's options and its session: main.cpp reads the options,
// session.cpp waits for the program, reaches the simulator and ends the
// session; relay.cpp relays, capture_log.cpp writes the capture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/insim_tap/faults.h"

namespace insim_tap {

struct Options {
    uint16_t listen_port = 29999;
    uint16_t to_port = 29998;
    std::string out;
    std::string ready_file;
    long stall_limit_s = 70;
    std::vector<Fault> faults;
};

// Relays one program's session with the simulator and records it; the
// process's exit status.
int run(const Options& options);

}  // namespace insim_tap
