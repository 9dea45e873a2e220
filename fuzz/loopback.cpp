#include "fuzz/loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace fuzz {
namespace {

int make_listener(uint16_t& port) {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    check(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0, "bind");
    check(::listen(s, 8) == 0, "listen");
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return s;
}

struct Listener {
    uint16_t port = 0;
    int socket = make_listener(port);
};

Listener& listener() {
    static Listener instance;
    return instance;
}

}  // namespace

uint16_t listener_port() {
    return listener().port;
}

int open_loopback(insim::InsimConnection& connection, uint16_t udp_port) {
    check(connection.open("127.0.0.1", listener().port, "fuzz", "", nullptr, '!', 0, 0, udp_port) ==
              0,
          "open");
    const int peer = ::accept4(listener().socket, nullptr, nullptr, SOCK_CLOEXEC);
    check(peer >= 0, "accept");
    int on = 1;
    ::setsockopt(peer, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    uint8_t introduction[44];
    std::size_t have = 0;
    while (have < sizeof introduction) {
        const ssize_t got = ::recv(peer, introduction + have, sizeof introduction - have, 0);
        check(got > 0, "introduction");
        have += static_cast<std::size_t>(got);
    }
    return peer;
}

bool write_all(int socket, const uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::size_t read_ready(int socket, uint8_t* out, std::size_t limit) {
    std::size_t have = 0;
    while (have < limit) {
        const ssize_t got = ::recv(socket, out + have, limit - have, MSG_DONTWAIT);
        if (got <= 0) {
            break;
        }
        have += static_cast<std::size_t>(got);
    }
    return have;
}

}  // namespace fuzz
