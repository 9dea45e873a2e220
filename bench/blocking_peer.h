// The simulator's side of a connection for the benchmarks, on plain blocking
// POSIX sockets on the measuring thread: a round trip measured through it
// carries no event loop or thread hand-over of its own.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

#include "tools/protocol/sim_records.h"

namespace bench {

inline sockaddr_in loopback(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

// One end of a stream connection: whole sends, reads bounded in time.
class BlockingEnd {
  public:
    BlockingEnd() = default;
    ~BlockingEnd() { close_client(); }
    BlockingEnd(const BlockingEnd&) = delete;
    BlockingEnd& operator=(const BlockingEnd&) = delete;

    bool send(const sim::Bytes& bytes) {
        return ::send(stream_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }
    bool read_exact(uint8_t* buffer, std::size_t count, std::chrono::milliseconds timeout) {
        for (std::size_t have = 0; have < count;) {
            pollfd ready{stream_, POLLIN, 0};
            if (::poll(&ready, 1, static_cast<int>(timeout.count())) != 1) {
                return false;
            }
            const ssize_t got = ::recv(stream_, buffer + have, count - have, 0);
            if (got <= 0) {
                return false;
            }
            have += static_cast<std::size_t>(got);
        }
        return true;
    }
    void close_client() {
        if (stream_ >= 0) {
            ::close(stream_);
            stream_ = -1;
        }
    }

  protected:
    void use(int stream) {
        stream_ = stream;
        int on = 1;
        ::setsockopt(stream_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    int stream_ = -1;
};

// Listens on 127.0.0.1 and takes one client.
class BlockingPeer : public BlockingEnd {
  public:
    explicit BlockingPeer(uint16_t port = 0) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address = loopback(port);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 4);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~BlockingPeer() { ::close(listener_); }

    uint16_t port() const { return port_; }
    bool accept(std::chrono::milliseconds timeout) {
        pollfd ready{listener_, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(timeout.count())) != 1) {
            return false;
        }
        use(::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC));
        return stream_ >= 0;
    }
    bool read_introduction(std::chrono::milliseconds timeout) {
        uint8_t introduction[44];
        return read_exact(introduction, sizeof introduction, timeout);
    }

  private:
    int listener_ = -1;
    uint16_t port_ = 0;
};

// Connects to 127.0.0.1 at a port.
class BlockingClient : public BlockingEnd {
  public:
    explicit BlockingClient(uint16_t port) {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_in address = loopback(port);
        if (::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            use(s);
        } else {
            ::close(s);
        }
    }
    bool connected() const { return stream_ >= 0; }
};

}  // namespace bench
