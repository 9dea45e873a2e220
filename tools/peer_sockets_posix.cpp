// The peer's socket calls on POSIX sockets.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "tools/peer_sockets.h"

namespace sim::peer_sockets {
namespace {

sockaddr_in loopback(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

// Closes `socket` and returns kNoSocket, keeping the cause of the failure.
Socket fail(Socket socket) {
    const int error = errno;
    ::close(socket);
    errno = error;
    return kNoSocket;
}

}  // namespace

std::error_code last_error() {
    return {errno, std::generic_category()};
}

Socket listen_on_loopback(uint16_t port, int receive_buffer) {
    const Socket s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        return kNoSocket;
    }
    // Lets a test listen again on a port whose last connection is in
    // TIME_WAIT; a port another socket listens on stays refused.
    int on = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (receive_buffer > 0) {
        ::setsockopt(s, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    }
    const sockaddr_in address = loopback(port);
    if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(s, 4) != 0) {
        return fail(s);
    }
    return s;
}

Socket datagram_on_loopback(uint16_t port) {
    const Socket s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        return kNoSocket;
    }
    const sockaddr_in address = loopback(port);
    if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return fail(s);
    }
    return s;
}

uint16_t local_port(Socket socket) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

uint16_t free_udp_port() {
    const Socket s = datagram_on_loopback(0);
    if (s == kNoSocket) {
        return 0;
    }
    const uint16_t port = local_port(s);
    ::close(s);
    return port;
}

Socket accept_client(Socket listener) {
    const Socket s = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (s < 0) {
        return kNoSocket;
    }
    int on = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return s;
}

Socket connect_to_loopback(uint16_t port) {
    const Socket s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        return kNoSocket;
    }
    const sockaddr_in address = loopback(port);
    if (::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        // An interrupted connect goes on by itself: wait for its outcome.
        int error = errno;
        if (error == EINTR) {
            pollfd p{s, POLLOUT, 0};
            while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
            }
            socklen_t length = sizeof error;
            ::getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &length);
        }
        if (error != 0) {
            errno = error;
            return fail(s);
        }
    }
    int on = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return s;
}

bool wait_ready(Readiness* sockets, std::size_t count, std::chrono::milliseconds timeout) {
    if (count > kMaxWaited) {
        return false;
    }
    pollfd polled[kMaxWaited];
    for (std::size_t i = 0; i < count; ++i) {
        polled[i] = {
            sockets[i].socket,
            static_cast<short>((sockets[i].read ? POLLIN : 0) | (sockets[i].write ? POLLOUT : 0)),
            0};
    }
    // A wait interrupted by a signal goes on for the time that is left.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int ready;
    do {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        ready = ::poll(polled, count, static_cast<int>(std::max<long>(0, left.count())));
    } while (ready < 0 && errno == EINTR);
    for (std::size_t i = 0; i < count; ++i) {
        // A closed or failed connection reads as readable: the receive tells which.
        sockets[i].readable = ready > 0 && (polled[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
        sockets[i].writable = ready > 0 && (polled[i].revents & (POLLOUT | POLLERR)) != 0;
    }
    return ready > 0;
}

bool set_non_blocking(Socket socket) {
    const int flags = ::fcntl(socket, F_GETFL);
    return flags >= 0 && ::fcntl(socket, F_SETFL, flags | O_NONBLOCK) == 0;
}

bool would_block() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

bool send_datagram(Socket socket, const void* data, std::size_t length, uint16_t port) {
    const sockaddr_in address = loopback(port);
    const ssize_t sent = ::sendto(socket, data, length, 0,
                                  reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent == static_cast<ssize_t>(length);
}

bool send_urgent(Socket socket, uint8_t byte) {
    return ::send(socket, &byte, 1, MSG_OOB | MSG_NOSIGNAL) == 1;
}

void shut_down_sending(Socket socket) {
    ::shutdown(socket, SHUT_WR);
}

void reset_on_close(Socket socket) {
    linger hard{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

}  // namespace sim::peer_sockets
