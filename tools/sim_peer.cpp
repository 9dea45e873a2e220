#include "tools/sim_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

namespace sim {
namespace {

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// Waits for `events` on `fd` for at most `timeout`, resuming after signals.
bool wait_for(int fd, short events, milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<long>(0, left.count())));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

Bytes version_record(const char* version, uint16_t insim_version, uint8_t reqi) {
    insim::IS_VER ver{};
    ver.Size = sizeof ver;
    ver.Type = insim::ISP_VER;
    ver.ReqI = reqi;
    std::memcpy(ver.Version, version, strnlen(version, sizeof ver.Version));
    std::memcpy(ver.Product, "S3", 2);
    ver.InSimVer = insim_version;
    return bytes_of(ver);
}

Bytes tiny_record(uint8_t subtype, uint8_t reqi) {
    return {sizeof(insim::IS_TINY), insim::ISP_TINY, reqi, subtype};
}

Bytes car_report(const std::vector<CarPosition>& cars) {
    insim::IS_MCI mci{};
    const std::size_t count = std::min(cars.size(), insim::kMaxCarsPerReport);
    mci.Size = static_cast<uint8_t>(offsetof(insim::IS_MCI, Info) + count * sizeof(insim::CompCar));
    mci.Type = insim::ISP_MCI;
    mci.NumC = static_cast<uint8_t>(count);
    for (std::size_t i = 0; i < insim::kMaxCarsPerReport && i < count; ++i) {
        insim::CompCar& car = mci.Info[i];
        car.PLID = static_cast<uint8_t>(i + 1);
        car.Position = static_cast<uint8_t>(i + 1);
        car.X = cars[i].x;
        car.Y = cars[i].y;
    }
    Bytes bytes = bytes_of(mci);
    bytes.resize(mci.Size);
    return bytes;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

SimPeer::SimPeer(uint16_t port, int receive_buffer) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0) {
        fail("socket");
    }
    int on = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (receive_buffer > 0) {  // inherited by accepted connections
        ::setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(listener_);
        errno = error;
        fail("cannot listen on 127.0.0.1");
    }
    if (::listen(listener_, 4) != 0) {
        fail("listen");
    }
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
}

SimPeer::~SimPeer() {
    if (datagram_ >= 0) {
        ::close(datagram_);
    }
    if (client_ >= 0) {
        ::close(client_);
    }
    ::close(listener_);
}

bool SimPeer::accept(milliseconds timeout) {
    if (!wait_for(listener_, POLLIN, timeout)) {
        return false;
    }
    client_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client_ < 0) {
        return false;
    }
    int on = 1;
    ::setsockopt(client_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return true;
}

bool SimPeer::read_exact(uint8_t* buffer, std::size_t count, milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::size_t have = 0;
    while (have < count) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() < 0 || !wait_for(client_, POLLIN, left)) {
            return false;
        }
        const ssize_t got = ::recv(client_, buffer + have, count - have, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        received_.insert(received_.end(), buffer + have, buffer + have + got);
        have += static_cast<std::size_t>(got);
    }
    return true;
}

std::optional<Bytes> SimPeer::read_record(milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Bytes record(1);
    if (!read_exact(record.data(), 1, timeout)) {
        return std::nullopt;
    }
    if (record[0] <= 1) {
        return record;
    }
    record.resize(record[0]);
    const auto left =
        std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
    if (!read_exact(record.data() + 1, record.size() - 1, std::max(left, milliseconds(0)))) {
        return std::nullopt;
    }
    return record;
}

std::optional<insim::IS_ISI> SimPeer::read_introduction(milliseconds timeout) {
    insim::IS_ISI isi{};
    if (!read_exact(reinterpret_cast<uint8_t*>(&isi), sizeof isi, timeout)) {
        return std::nullopt;
    }
    return isi;
}

bool SimPeer::wait_closed(milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    uint8_t buffer[512];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() < 0 || !wait_for(client_, POLLIN, left)) {
            return false;
        }
        const ssize_t got = ::recv(client_, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return true;  // end of stream, or reset
        }
        received_.insert(received_.end(), buffer, buffer + got);
    }
}

bool SimPeer::readable(milliseconds timeout) {
    return wait_for(client_, POLLIN, timeout);
}

bool SimPeer::send(const Bytes& data, std::size_t chunk, milliseconds pause) {
    if (chunk == 0) {
        chunk = data.size();
    }
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t piece = std::min(chunk, data.size() - at);
        const ssize_t sent = ::send(client_, data.data() + at, piece, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        at += static_cast<std::size_t>(sent);
        if (pause.count() > 0 && at < data.size()) {
            std::this_thread::sleep_for(pause);
        }
    }
    return true;
}

bool SimPeer::send_datagram(const Bytes& data, uint16_t to_port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (datagram_ < 0) {
        datagram_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        address.sin_port = htons(port_);
        if (datagram_ < 0 ||
            ::bind(datagram_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            return false;
        }
    }
    address.sin_port = htons(to_port);
    const ssize_t sent = ::sendto(datagram_, data.data(), data.size(), 0,
                                  reinterpret_cast<sockaddr*>(&address), sizeof address);
    return sent == static_cast<ssize_t>(data.size());
}

void SimPeer::shut_down_sending() {
    if (client_ >= 0) {
        ::shutdown(client_, SHUT_WR);
    }
}

void SimPeer::close_client() {
    if (client_ >= 0) {
        ::close(client_);
        client_ = -1;
    }
}

void SimPeer::reset_client() {
    if (client_ >= 0) {
        linger hard{1, 0};
        ::setsockopt(client_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        close_client();
    }
}

}  // namespace sim
