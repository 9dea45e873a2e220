// The socket calls of the peer that plays the simulator (sim_peer.cpp), on
// POSIX sockets in peer_sockets_posix.cpp or Windows Sockets in
// peer_sockets_windows.cpp; the build compiles one of them. They start the
// platform's socket layer apart from the client's own count, so that tests
// can see the client's start-ups alone. Failures are negative results or
// kNoSocket, with the cause in last_error(); calls interrupted by a signal
// are resumed; a vanished client never raises a signal.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <system_error>

#include "insim/socket_layer.h"

namespace sim::peer_sockets {

using Socket = insim::socket_layer::Socket;
constexpr Socket kNoSocket = insim::socket_layer::kInvalidSocket;

// The cause of the last failure of this thread.
std::error_code last_error();

// A stream socket listening on 127.0.0.1 at `port` (0: a free one), which
// others cannot take over. A non-zero `receive_buffer` sets the receive
// buffer size that accepted connections inherit.
Socket listen_on_loopback(uint16_t port, int receive_buffer);
// A datagram socket bound to 127.0.0.1 at `port`.
Socket datagram_on_loopback(uint16_t port);
// The local port of a bound socket; 0 on failure.
uint16_t local_port(Socket socket);
// A UDP port that is free at the moment.
uint16_t free_udp_port();

// Accepts one connection, with send coalescing off.
Socket accept_client(Socket listener);
// Connects a stream socket to 127.0.0.1 at `port`, with send coalescing off.
Socket connect_to_loopback(uint16_t port);
// A socket and what to wait for on it; the wait fills in what it found.
struct Readiness {
    Socket socket;
    bool read;   // wait until readable (or closed)
    bool write;  // wait until writable
    bool readable = false;
    bool writable = false;
};
// The most sockets one wait takes.
constexpr std::size_t kMaxWaited = 2;
// Waits until one of `count` (at most kMaxWaited) sockets is ready as asked,
// for at most `timeout`; false on time-out or failure.
bool wait_ready(Readiness* sockets, std::size_t count, std::chrono::milliseconds timeout);

// True when `socket` is readable (or closed) within `timeout`.
inline bool wait_readable(Socket socket, std::chrono::milliseconds timeout) {
    Readiness readiness{socket, true, false};
    return wait_ready(&readiness, 1, timeout);
}

// Makes receives and sends on `socket` fail at once, with would_block()
// true, instead of waiting.
bool set_non_blocking(Socket socket);
// Whether this thread's last failure was a receive or send that would have
// had to wait.
bool would_block();
// Receiving, sending and closing use the client's socket layer
// (insim/socket_layer.h), which counts only start-ups.
// Sends one datagram to 127.0.0.1 at `port`; true when it went out whole.
bool send_datagram(Socket socket, const void* data, std::size_t length, uint16_t port);

// Sends one byte of urgent (out-of-band) data; true when it went out.
bool send_urgent(Socket socket, uint8_t byte);
// Ends the sending direction only.
void shut_down_sending(Socket socket);
// Makes the next close reset the connection instead of ending it normally.
void reset_on_close(Socket socket);

}  // namespace sim::peer_sockets
