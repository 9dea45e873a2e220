// Loopback plumbing shared by the fuzz targets: a connection opened against a
// listener in this process, with the accepted end in the target's hands.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "insim/insim_connection.h"

namespace fuzz {

// Aborts with `what` (a finding) when `condition` is false.
inline void check(bool condition, const char* what) {
    if (!condition) {
        __builtin_printf("check failed: %s\n", what);
        std::abort();
    }
}

// Opens `connection` against this process's listener (without asking for a
// version) and returns the accepted end. With a non-zero `udp_port` the
// connection has its datagram socket too.
int open_loopback(insim::InsimConnection& connection, uint16_t udp_port = 0);

// The listener's port (also the port datagrams must come from).
uint16_t listener_port();

// Writes all bytes; false on failure.
bool write_all(int socket, const uint8_t* data, std::size_t size);

// Reads what is ready on `socket` without waiting, appending to `out` (at most
// `limit` bytes in all); stops at the end of the stream.
std::size_t read_ready(int socket, uint8_t* out, std::size_t limit);

}  // namespace fuzz
