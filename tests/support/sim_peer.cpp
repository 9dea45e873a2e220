#include "tools/sim_peer.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <thread>

#include "tools/peer_sockets.h"

namespace sim {
namespace {

namespace net = peer_sockets;
namespace sl = insim::socket_layer;

// Time left until `deadline`, never negative.
milliseconds left_until(std::chrono::steady_clock::time_point deadline) {
    return std::max(
        std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now()),
        milliseconds(0));
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

namespace {

// A report of `count` cars from `cars`, the first numbered `number`.
Bytes report_of(const CarPosition* cars, std::size_t count, std::size_t number, uint8_t first_flags,
                uint8_t last_flags) {
    insim::IS_MCI mci{};
    count = std::min(count, insim::kMaxCarsPerReport);
    mci.Size = static_cast<uint8_t>(offsetof(insim::IS_MCI, Info) + count * sizeof(insim::CompCar));
    mci.Type = insim::ISP_MCI;
    mci.NumC = static_cast<uint8_t>(count);
    for (std::size_t i = 0; i < insim::kMaxCarsPerReport && i < count; ++i) {
        insim::CompCar& car = mci.Info[i];
        car.PLID = static_cast<uint8_t>(number + i);
        car.Position = static_cast<uint8_t>(number + i);
        car.X = cars[i].x;
        car.Y = cars[i].y;
    }
    if (count > 0) {
        mci.Info[0].Info |= first_flags;
        mci.Info[count - 1].Info |= last_flags;
    }
    Bytes bytes = bytes_of(mci);
    bytes.resize(mci.Size);
    return bytes;
}

}  // namespace

Bytes car_report(const std::vector<CarPosition>& cars) {
    return report_of(cars.data(), cars.size(), 1, 0, 0);
}

std::vector<Bytes> interval_reports(const std::vector<CarPosition>& cars) {
    std::vector<Bytes> reports;
    for (std::size_t at = 0; at < cars.size(); at += insim::kMaxCarsPerReport) {
        const std::size_t count = std::min(insim::kMaxCarsPerReport, cars.size() - at);
        reports.push_back(report_of(cars.data() + at, count, at + 1,
                                    at == 0 ? insim::kInfoFirstCar : 0,
                                    at + count == cars.size() ? insim::kInfoLastCar : 0));
    }
    return reports;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

StreamEnd::~StreamEnd() {
    close_stream();
}

void StreamEnd::close_stream() {
    if (stream_ != net::kNoSocket) {
        sl::close_socket(stream_);
        stream_ = net::kNoSocket;
    }
}

bool StreamEnd::read_exact(uint8_t* buffer, std::size_t count, milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::size_t have = 0;
    while (have < count) {
        if (!net::wait_readable(stream_, left_until(deadline))) {
            return false;
        }
        const long got = sl::receive(stream_, buffer + have, count - have);
        if (got <= 0) {
            return false;
        }
        received_.insert(received_.end(), buffer + have, buffer + have + got);
        have += static_cast<std::size_t>(got);
    }
    return true;
}

std::optional<Bytes> StreamEnd::read_record(milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Bytes record(1);
    if (!read_exact(record.data(), 1, timeout)) {
        return std::nullopt;
    }
    if (record[0] <= 1) {
        return record;
    }
    record.resize(record[0]);
    if (!read_exact(record.data() + 1, record.size() - 1, left_until(deadline))) {
        return std::nullopt;
    }
    return record;
}

bool StreamEnd::wait_closed(milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    uint8_t buffer[512];
    for (;;) {
        if (!net::wait_readable(stream_, left_until(deadline))) {
            return false;
        }
        const long got = sl::receive(stream_, buffer, sizeof buffer);
        if (got <= 0) {
            return true;  // end of stream, or reset
        }
        received_.insert(received_.end(), buffer, buffer + got);
    }
}

bool StreamEnd::readable(milliseconds timeout) {
    return net::wait_readable(stream_, timeout);
}

bool StreamEnd::send(const Bytes& data, std::size_t chunk, milliseconds pause) {
    if (chunk == 0) {
        chunk = data.size();
    }
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t piece = std::min(chunk, data.size() - at);
        const long sent = sl::send_some(stream_, data.data() + at, piece);
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

bool StreamEnd::send_urgent(uint8_t byte) {
    return net::send_urgent(stream_, byte);
}

void StreamEnd::shut_down_sending() {
    if (stream_ != net::kNoSocket) {
        net::shut_down_sending(stream_);
    }
}

SimPeer::SimPeer(uint16_t port, int receive_buffer) {
    listener_ = net::listen_on_loopback(port, receive_buffer);
    if (listener_ == net::kNoSocket) {
        throw std::system_error(net::last_error(), "cannot listen on 127.0.0.1");
    }
    port_ = net::local_port(listener_);
}

SimPeer::~SimPeer() {
    if (datagram_ != net::kNoSocket) {
        sl::close_socket(datagram_);
    }
    close_stream();
    sl::close_socket(listener_);
}

bool SimPeer::accept(milliseconds timeout) {
    if (!net::wait_readable(listener_, timeout)) {
        return false;
    }
    stream_ = net::accept_client(listener_);
    return stream_ != net::kNoSocket;
}

std::optional<insim::IS_ISI> SimPeer::read_introduction(milliseconds timeout) {
    insim::IS_ISI isi{};
    if (!read_exact(reinterpret_cast<uint8_t*>(&isi), sizeof isi, timeout)) {
        return std::nullopt;
    }
    return isi;
}

bool SimPeer::send_datagram(const Bytes& data, uint16_t to_port) {
    if (datagram_ == net::kNoSocket) {
        datagram_ = net::datagram_on_loopback(port_);
        if (datagram_ == net::kNoSocket) {
            return false;
        }
    }
    return net::send_datagram(datagram_, data.data(), data.size(), to_port);
}

void SimPeer::reset_client() {
    if (stream_ != net::kNoSocket) {
        net::reset_on_close(stream_);
        close_stream();
    }
}

SimClient::SimClient(uint16_t port) {
    stream_ = net::connect_to_loopback(port);
}

}  // namespace sim
