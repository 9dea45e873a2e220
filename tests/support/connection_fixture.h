// A connection opened against a peer on 127.0.0.1 that plays the simulator.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>

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
inline std::future<int> open_async(insim::InsimConnection& connection, uint16_t port,
                                   insim::IS_VER* version, uint16_t udp_port = 0,
                                   const char* name = "test client", const char* admin = "") {
    return std::async(std::launch::async, [&connection, port, version, udp_port, name, admin] {
        return connection.open("127.0.0.1", port, name, admin, version, '!', insim::ISF_MCI, 1000,
                               udp_port);
    });
}

// Opens `connection` against `peer` without asking for a version, so that
// open returns as soon as the introduction is sent, and takes the
// introduction off the peer's side.
inline ::testing::AssertionResult open_without_version(insim::InsimConnection& connection,
                                                       sim::SimPeer& peer, uint16_t udp_port = 0) {
    if (connection.open("127.0.0.1", peer.port(), "test client", "", nullptr, '!', insim::ISF_MCI,
                        1000, udp_port) != 0) {
        return ::testing::AssertionFailure() << "open failed";
    }
    if (!peer.accept(kWait) || !peer.read_introduction(kWait)) {
        return ::testing::AssertionFailure() << "no introduction reached the peer";
    }
    return ::testing::AssertionSuccess();
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

class ConnectedTest : public ::testing::Test {
  protected:
    // Opens `connection` against `peer`, which answers with a version record,
    // and drops the introduction from the peer's record of bytes.
    void SetUp() override {
        insim::IS_VER version{};
        auto opened = open_async(connection, peer.port(), &version, udp_port());
        ASSERT_TRUE(peer.accept(kWait));
        ASSERT_TRUE(peer.read_introduction(kWait));
        ASSERT_TRUE(peer.send(sim::version_record("0.7F", 9)));
        ASSERT_EQ(get_bounded(opened, peer), 0);
        received_before_ = peer.received().size();
    }

    virtual uint16_t udp_port() const { return 0; }

    // Bytes the client sent after the introduction.
    sim::Bytes sent_since_open() const {
        return sim::Bytes(peer.received().begin() + static_cast<long>(received_before_),
                          peer.received().end());
    }

    sim::SimPeer peer;
    insim::InsimConnection connection;

  private:
    std::size_t received_before_ = 0;
};

}  // namespace test_support
