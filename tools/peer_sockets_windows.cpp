// The peer's socket calls on Windows Sockets.
#include <ws2tcpip.h>

#include <algorithm>

#include "tools/peer_sockets.h"

namespace sim::peer_sockets {
namespace {

// The peer's own start-up, once for the process; the client's start-ups are
// counted apart from it.
void start_up_once() {
    static const bool started = [] {
        WSADATA wsadata;
        return ::WSAStartup(MAKEWORD(2, 2), &wsadata) == 0;
    }();
    (void)started;
}

sockaddr_in loopback(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

Socket open_socket(int type) {
    start_up_once();
    const Socket s = ::WSASocketW(AF_INET, type, 0, nullptr, 0,
                                  WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    return s == INVALID_SOCKET ? kNoSocket : s;
}

// Closes `socket` and returns kNoSocket, keeping the cause of the failure.
Socket fail(Socket socket) {
    const int error = ::WSAGetLastError();
    ::closesocket(socket);
    ::WSASetLastError(error);
    return kNoSocket;
}

template <typename Option>
void set_option(Socket socket, int level, int name, const Option& value) {
    ::setsockopt(socket, level, name, reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

std::error_code last_error() {
    return {::WSAGetLastError(), std::system_category()};
}

Socket listen_on_loopback(uint16_t port, int receive_buffer) {
    const Socket s = open_socket(SOCK_STREAM);
    if (s == kNoSocket) {
        return kNoSocket;
    }
    // On Windows another socket could otherwise bind the same port and take
    // over the connections meant for this one.
    set_option(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, BOOL{TRUE});
    if (receive_buffer > 0) {
        set_option(s, SOL_SOCKET, SO_RCVBUF, receive_buffer);
    }
    const sockaddr_in address = loopback(port);
    if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(s, 4) != 0) {
        return fail(s);
    }
    return s;
}

Socket datagram_on_loopback(uint16_t port) {
    const Socket s = open_socket(SOCK_DGRAM);
    if (s == kNoSocket) {
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
    int length = sizeof address;
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
    ::closesocket(s);
    return port;
}

Socket accept_client(Socket listener) {
    const Socket s = ::accept(listener, nullptr, nullptr);
    if (s == INVALID_SOCKET) {
        return kNoSocket;
    }
    ::SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    set_option(s, IPPROTO_TCP, TCP_NODELAY, BOOL{TRUE});
    return s;
}

Socket connect_to_loopback(uint16_t port) {
    const Socket s = open_socket(SOCK_STREAM);
    if (s == kNoSocket) {
        return kNoSocket;
    }
    const sockaddr_in address = loopback(port);
    if (::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return fail(s);
    }
    set_option(s, IPPROTO_TCP, TCP_NODELAY, BOOL{TRUE});
    return s;
}

bool wait_ready(Readiness* sockets, std::size_t count, std::chrono::milliseconds timeout) {
    if (count > kMaxWaited) {
        return false;
    }
    const long ms = std::max<long>(0, static_cast<long>(timeout.count()));
    timeval bound{ms / 1000, (ms % 1000) * 1000};
    fd_set read_set;
    fd_set write_set;
    FD_ZERO(&read_set);
    FD_ZERO(&write_set);
    for (std::size_t i = 0; i < count; ++i) {
        if (sockets[i].read) {
            FD_SET(sockets[i].socket, &read_set);
        }
        if (sockets[i].write) {
            FD_SET(sockets[i].socket, &write_set);
        }
    }
    // A closed or failed connection shows as readable: the receive tells which.
    const int ready = ::select(0, &read_set, &write_set, nullptr, &bound);
    for (std::size_t i = 0; i < count; ++i) {
        sockets[i].readable = ready > 0 && FD_ISSET(sockets[i].socket, &read_set);
        sockets[i].writable = ready > 0 && FD_ISSET(sockets[i].socket, &write_set);
    }
    return ready > 0;
}

bool set_non_blocking(Socket socket) {
    u_long on = 1;
    return ::ioctlsocket(socket, FIONBIO, &on) == 0;
}

bool would_block() {
    return ::WSAGetLastError() == WSAEWOULDBLOCK;
}

bool send_datagram(Socket socket, const void* data, std::size_t length, uint16_t port) {
    const sockaddr_in address = loopback(port);
    const int sent = ::sendto(socket, static_cast<const char*>(data), static_cast<int>(length), 0,
                              reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent == static_cast<int>(length);
}

bool send_urgent(Socket socket, uint8_t byte) {
    return ::send(socket, reinterpret_cast<const char*>(&byte), 1, MSG_OOB) == 1;
}

void shut_down_sending(Socket socket) {
    ::shutdown(socket, SD_SEND);
}

void reset_on_close(Socket socket) {
    set_option(socket, SOL_SOCKET, SO_LINGER, linger{1, 0});
}

}  // namespace sim::peer_sockets
