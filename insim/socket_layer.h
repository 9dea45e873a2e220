// The operating system's socket calls, behind the few operations the
// connection needs: Windows Sockets 2.2 in socket_layer_windows.cpp, POSIX
// sockets in socket_layer_posix.cpp; the build compiles one of them. Every
// failure is a negative result (or an invalid handle); nothing here raises a
// signal or throws, and calls interrupted by a signal are resumed.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#else
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/time.h>
#endif

#include <cstddef>
#include <cstdint>

namespace insim::socket_layer {

#ifdef _WIN32
using Socket = SOCKET;
constexpr Socket kInvalidSocket = INVALID_SOCKET;
#else
using Socket = int;
constexpr Socket kInvalidSocket = -1;
#endif

// Starts the socket layer for one user (Windows Sockets asks for version
// 2.2); 0 on success, -1 when it does not start. Each successful start-up is
// paired with one clean_up.
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
// that a dotted IPv4 address) and `port`. Returns false when neither works,
// and for an empty host.
bool resolve(const char* host, uint16_t port, sockaddr_in& address);

// 0 on success, -1 on failure.
int connect_to(Socket socket, const sockaddr_in& address);
int bind_to(Socket socket, const sockaddr_in& address);

// Empties both sets, puts `socket` into each and waits until it is readable
// or shows an exceptional condition, for at most `timeout` (never changed).
// Returns the number of ready sockets, 0 on time-out, -1 on failure, also for
// a POSIX descriptor at or past FD_SETSIZE, which a set cannot hold (a Windows
// set holds any handle: its size counts sockets, not handle values).
int wait_readable(Socket socket, fd_set& read_set, fd_set& except_set, const timeval& timeout);
// Whether `socket` is in `set` after a wait.
bool is_in(Socket socket, const fd_set& set);

// Bytes received (at most `length`), 0 when the peer closed the stream,
// -1 on failure. A datagram longer than `length` is cut to it on POSIX and is
// a failure on Windows (its bytes are then gone).
long receive(Socket socket, void* buffer, std::size_t length);
// Bytes sent (possibly fewer than `length`), -1 on failure; never SIGPIPE.
long send_some(Socket socket, const void* buffer, std::size_t length);

void close_socket(Socket socket);

}  // namespace insim::socket_layer
