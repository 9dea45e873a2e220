// A connection opened against a peer on 127.0.0.1 that plays the simulator.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <optional>

#include "insim/insim_connection.h"
#include "tools/engine/peer.h"

namespace test_support {

using namespace std::chrono_literals;

constexpr auto kWait = 5s;  // bound of every wait in a passing test

using sim::free_udp_port;

// A button as the program fills it, with `length` characters of `fill`.
inline insim::IS_BTN button_with_text(std::size_t length, char fill = 'b') {
    insim::IS_BTN button{};
    button.Size = 252;
    button.Type = insim::ISP_BTN;
    button.ReqI = 1;
    button.ClickID = 237;
    std::memset(button.Text, fill, length);
    return button;
}

// Runs `open` on another thread, so that the calling thread can play the
// peer's part of the exchange.
template <typename Connection>
std::future<int> open_async(Connection& connection, uint16_t port, insim::IS_VER* version,
                            uint16_t udp_port = 0, const char* name = "test client",
                            const char* admin = "", uint8_t insim_version = 0) {
    return std::async(std::launch::async,
                      [&connection, port, version, udp_port, name, admin, insim_version] {
                          return connection.open("127.0.0.1", port, name, admin, version, '!',
                                                 insim::ISF_MCI, 1000, udp_port, insim_version);
                      });
}

// Opens `connection` against `peer` without asking for a version, so that
// open returns as soon as the introduction is sent, and takes the
// introduction off the peer's side.
template <typename Connection>
::testing::AssertionResult open_without_version(Connection& connection, sim::SimPeer& peer,
                                                uint16_t udp_port = 0, uint8_t insim_version = 0) {
    if (connection.open("127.0.0.1", peer.port(), "test client", "", nullptr, '!', insim::ISF_MCI,
                        1000, udp_port, insim_version) != 0) {
        return ::testing::AssertionFailure() << "open failed";
    }
    if (!peer.accept(kWait) || !peer.read_introduction(kWait)) {
        return ::testing::AssertionFailure() << "no introduction reached the peer";
    }
    return ::testing::AssertionSuccess();
}

// Bytes a size byte counts at protocol `insim_version`.
inline std::size_t unit_of(uint8_t insim_version) {
    return insim_version >= insim::kFirstVersionInWordUnits ? insim::kSizeUnitV9 : 1;
}

// `record` (sized in bytes) with its size byte in the unit of `insim_version`.
inline sim::Bytes in_units(sim::Bytes record, uint8_t insim_version) {
    record[0] = static_cast<uint8_t>(record.size() / unit_of(insim_version));
    return record;
}

// Reads one record whose size byte counts `unit` bytes; nothing on time-out,
// at the end of the stream, or at a size of 0.
inline std::optional<sim::Bytes> read_record_in(sim::StreamEnd& end, std::size_t unit,
                                                std::chrono::milliseconds timeout = kWait) {
    sim::Bytes record(1);
    if (!end.read_exact(record.data(), 1, timeout) || record[0] == 0) {
        return std::nullopt;
    }
    record.resize(record[0] * unit);
    if (!end.read_exact(record.data() + 1, record.size() - 1, timeout)) {
        return std::nullopt;
    }
    return record;
}

// Waits for a result; on time-out closes the peer's side, which makes any
// blocked read of the client give up, so that the test fails instead of
// hanging.
template <typename T>
std::optional<T> get_bounded(std::future<T>& result, sim::SimPeer& peer,
                             std::chrono::milliseconds timeout = kWait) {
    if (result.wait_for(timeout) != std::future_status::ready) {
        peer.close_client();
        result.wait();
        return std::nullopt;
    }
    return result.get();
}

// Accepts the connection an `opened` open makes and reads its introduction.
// On failure it closes the peer's side, which ends an open that waits for
// its answer, so that the test fails instead of hanging.
inline ::testing::AssertionResult take_introduction(sim::SimPeer& peer, std::future<int>& opened) {
    if (peer.accept(kWait) && peer.read_introduction(kWait)) {
        return ::testing::AssertionSuccess();
    }
    peer.close_client();
    opened.wait();
    return ::testing::AssertionFailure() << "no introduction reached the peer";
}

class ConnectedTest : public ::testing::Test {
  protected:
    // Opens the connection of insim_version() against `peer`, which answers
    // with a version record in its unit, and drops the introduction from the
    // peer's record of bytes.
    void SetUp() override {
        insim::IS_VER version{};
        const uint8_t declared = insim_version();
        auto opened = declared >= insim::kFirstVersionInWordUnits
                          ? open_async(connection_v9, peer.port(), &version, udp_port(),
                                       "test client", "", declared)
                          : open_async(connection, peer.port(), &version, udp_port(), "test client",
                                       "", declared);
        ASSERT_TRUE(take_introduction(peer, opened));
        ASSERT_TRUE(peer.send(in_units(sim::version_record("0.7F", 9), declared)));
        ASSERT_EQ(get_bounded(opened, peer), 0);
        received_before_ = peer.received().size();
    }

    virtual uint16_t udp_port() const { return 0; }
    // The version the introduction declares: `connection` is opened up to
    // 8, `connection_v9` from 9.
    virtual uint8_t insim_version() const { return 0; }
    std::size_t unit() const { return unit_of(insim_version()); }

    // Calls `body` with the connection that was opened.
    template <typename Body>
    decltype(auto) on_connection(Body body) {
        if (insim_version() >= insim::kFirstVersionInWordUnits) {
            return body(connection_v9);
        }
        return body(connection);
    }

    // Bytes the client sent after the introduction.
    sim::Bytes sent_since_open() const {
        return sim::Bytes(peer.received().begin() + static_cast<long>(received_before_),
                          peer.received().end());
    }

    sim::SimPeer peer;
    insim::InsimConnection connection;
    insim::InsimConnectionV9 connection_v9;

  private:
    std::size_t received_before_ = 0;
};

}  // namespace test_support
