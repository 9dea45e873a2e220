// The operating system's socket calls, behind the few operations the
// connection needs. Every failure is a negative result (or an invalid
// handle); nothing here raises a signal or throws, and calls interrupted by a
// signal are resumed.
#pragma once

#include <netinet/in.h>
#include <sys/select.h>
#include <sys/time.h>

#include <cstddef>
#include <cstdint>

namespace insim::socket_layer {

using Socket = int;
constexpr Socket kInvalidSocket = -1;

// Starts the socket layer for one user; 0 on success. Each successful
// start-up is paired with one clean_up.
int start_up();
void clean_up();
// Start-ups not yet cleaned up, process-wide (lets tests see that every
// path that started the layer also stopped it).
int started_count();

// An IPv4 stream socket with send coalescing off, so that each record leaves
// at once; kInvalidSocket on failure.
Socket open_stream();
// An IPv4 datagram socket; kInvalidSocket on failure.
Socket open_datagram();

// Fills `address` with the first IPv4 address of `host` (a name, or failing
// that a dotted IPv4 address) and `port`. Returns false when neither works.
bool resolve(const char* host, uint16_t port, sockaddr_in& address);

// 0 on success, -1 on failure.
int connect_to(Socket socket, const sockaddr_in& address);
int bind_to(Socket socket, const sockaddr_in& address);

// Empties both sets, puts `socket` into each and waits until it is readable
// or shows an exceptional condition, for at most `timeout` (never changed).
// Returns the number of ready sockets, 0 on time-out, -1 on failure, also for
// a socket that does not fit a set.
int wait_readable(Socket socket, fd_set& read_set, fd_set& except_set, const timeval& timeout);
// Whether `socket` is in `set` after a wait.
bool is_in(Socket socket, const fd_set& set);

// Bytes received (at most `length`), 0 when the peer closed the stream,
// -1 on failure.
long receive(Socket socket, void* buffer, std::size_t length);
// Bytes sent (possibly fewer than `length`), -1 on failure; never SIGPIPE.
long send_some(Socket socket, const void* buffer, std::size_t length);

void close_socket(Socket socket);

}  // namespace insim::socket_layer
