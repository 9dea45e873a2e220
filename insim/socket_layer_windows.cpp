// The socket layer on Windows Sockets 2.2. Windows raises no signal on a
// closed peer and never interrupts a call with one, so nothing here is
// retried.
#include <ws2tcpip.h>

#include <atomic>

#include "insim/socket_layer.h"

namespace insim::socket_layer {
namespace {

std::atomic<int> start_ups{0};

// Sockets are not inherited by programs this process starts.
Socket open_socket(int type) {
    const Socket s = ::WSASocketW(AF_INET, type, 0, nullptr, 0,
                                  WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    return s == INVALID_SOCKET ? kInvalidSocket : s;
}

}  // namespace

int start_up() {
    WSADATA wsadata;
    if (::WSAStartup(MAKEWORD(2, 2), &wsadata) != 0) {
        return -1;
    }
    // A successful start-up may offer an older version than asked for.
    if (wsadata.wVersion != MAKEWORD(2, 2)) {
        ::WSACleanup();
        return -1;
    }
    start_ups.fetch_add(1);
    return 0;
}

void clean_up() {
    ::WSACleanup();
    start_ups.fetch_sub(1);
}

int started_count() {
    return start_ups.load();
}

Socket open_stream() {
    const Socket s = open_socket(SOCK_STREAM);
    if (s == kInvalidSocket) {
        return kInvalidSocket;
    }
    const BOOL on = TRUE;
    if (::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on) !=
        0) {
        ::closesocket(s);
        return kInvalidSocket;
    }
    return s;
}

Socket open_datagram() {
    return open_socket(SOCK_DGRAM);
}

bool resolve(const char* host, uint16_t port, sockaddr_in& address) {
    address = sockaddr_in{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    // Windows looks an empty name up as this machine's own addresses.
    if (host == nullptr || *host == '\0') {
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &found) == 0 && found != nullptr) {
        address.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
        ::freeaddrinfo(found);
        return true;
    }
    return ::inet_pton(AF_INET, host, &address.sin_addr) == 1;
}

int connect_to(Socket socket, const sockaddr_in& address) {
    return ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ? 0
                                                                                               : -1;
}

int bind_to(Socket socket, const sockaddr_in& address) {
    return ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ? 0
                                                                                            : -1;
}

int wait_readable(Socket socket, fd_set& read_set, fd_set& except_set, const timeval& timeout) {
    FD_ZERO(&read_set);
    FD_ZERO(&except_set);
    FD_SET(socket, &read_set);
    FD_SET(socket, &except_set);
    timeval bound = timeout;  // the stored bound is never handed to the system
    // The first argument is ignored by Windows Sockets.
    const int ready = ::select(0, &read_set, nullptr, &except_set, &bound);
    return ready == SOCKET_ERROR ? -1 : ready;
}

bool is_in(Socket socket, const fd_set& set) {
    return FD_ISSET(socket, const_cast<fd_set*>(&set)) != 0;
}

long receive(Socket socket, void* buffer, std::size_t length) {
    const int got = ::recv(socket, static_cast<char*>(buffer), static_cast<int>(length), 0);
    return got == SOCKET_ERROR ? -1 : got;
}

long send_some(Socket socket, const void* buffer, std::size_t length) {
    const int sent = ::send(socket, static_cast<const char*>(buffer), static_cast<int>(length), 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

void close_socket(Socket socket) {
    ::closesocket(socket);
}

}  // namespace insim::socket_layer
