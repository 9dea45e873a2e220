// The socket layer on POSIX sockets.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "insim/socket_layer.h"

namespace insim::socket_layer {
namespace {

std::atomic<int> start_ups{0};

// Runs `call` until it is not interrupted by a signal.
template <typename Call>
auto retry_interrupted(Call call) {
    for (;;) {
        auto result = call();
        if (result >= 0 || errno != EINTR) {
            return result;
        }
    }
}

bool fits_set(Socket socket) {
    return socket >= 0 && socket < FD_SETSIZE;
}

}  // namespace

int start_up() {
    start_ups.fetch_add(1);
    return 0;
}

void clean_up() {
    start_ups.fetch_sub(1);
}

int started_count() {
    return start_ups.load();
}

Socket open_stream() {
    Socket s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        return kInvalidSocket;
    }
    int on = 1;
    if (::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) != 0) {
        ::close(s);
        return kInvalidSocket;
    }
    return s;
}

Socket open_datagram() {
    Socket s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    return s < 0 ? kInvalidSocket : s;
}

bool resolve(const char* host, uint16_t port, sockaddr_in& address) {
    address = sockaddr_in{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
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
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return 0;
    }
    if (errno != EINTR) {
        return -1;
    }
    // An interrupted connect goes on in the background: wait for its outcome.
    pollfd waiting{socket, POLLOUT, 0};
    if (retry_interrupted([&] { return ::poll(&waiting, 1, -1); }) < 0) {
        return -1;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        return -1;
    }
    return 0;
}

int bind_to(Socket socket, const sockaddr_in& address) {
    return ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ? 0
                                                                                            : -1;
}

int wait_readable(Socket socket, fd_set& read_set, fd_set& except_set, const timeval& timeout) {
    if (!fits_set(socket)) {
        return -1;
    }
    for (;;) {
        FD_ZERO(&read_set);
        FD_ZERO(&except_set);
        FD_SET(socket, &read_set);
        FD_SET(socket, &except_set);
        timeval left = timeout;  // select writes the time left back
        int ready = ::select(socket + 1, &read_set, nullptr, &except_set, &left);
        if (ready >= 0) {
            return ready;
        }
        if (errno != EINTR) {
            return -1;
        }
    }
}

bool is_in(Socket socket, const fd_set& set) {
    return fits_set(socket) && FD_ISSET(socket, &set);
}

long receive(Socket socket, void* buffer, std::size_t length) {
    ssize_t got = retry_interrupted([&] { return ::recv(socket, buffer, length, 0); });
    return got < 0 ? -1 : static_cast<long>(got);
}

long send_some(Socket socket, const void* buffer, std::size_t length) {
    ssize_t sent = retry_interrupted([&] { return ::send(socket, buffer, length, MSG_NOSIGNAL); });
    return sent < 0 ? -1 : static_cast<long>(sent);
}

void close_socket(Socket socket) {
    // Linux releases the descriptor even when close reports EINTR, so it is
    // never retried.
    ::close(socket);
}

}  // namespace insim::socket_layer
