// A peer that misbehaves: closes at every byte, resets while we send, and
// floods us with keep-alives.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <future>
#include <thread>

#include "tests/support/connection_fixture.h"
#include "tests/support/descriptors.h"

namespace {

using namespace test_support;
using sim::Bytes;
namespace sl = insim::socket_layer;

// The peer closes after each byte offset of the version answer: open fails
// with -1 and leaves nothing open or started.
TEST(PeerClosesEarly, DuringOpenAtEveryOffsetOfTheVersion) {
    const Bytes version = sim::version_record("0.7F", 9);
    for (std::size_t offset = 0; offset < version.size(); ++offset) {
        sim::SimPeer peer;
        const long descriptors = open_descriptors();
        insim::InsimConnection connection;
        insim::IS_VER answer{};
        auto opened = open_async(connection, peer.port(), &answer);
        ASSERT_TRUE(peer.accept(kWait));
        ASSERT_TRUE(peer.read_introduction(kWait));
        ASSERT_TRUE(peer.send(Bytes(version.begin(), version.begin() + static_cast<long>(offset))));
        peer.close_client();
        EXPECT_EQ(get_bounded(opened, peer), -1) << "offset " << offset;
        EXPECT_EQ(open_descriptors(), descriptors) << "offset " << offset;
        EXPECT_EQ(sl::started_count(), 0) << "offset " << offset;
    }
}

TEST(PeerClosesEarly, DuringReadingAtEveryOffsetOfAReport) {
    const Bytes report = sim::car_report({{1, 2}});
    for (std::size_t offset = 0; offset < report.size(); ++offset) {
        sim::SimPeer peer;
        const long descriptors = open_descriptors();
        insim::InsimConnection connection;
        ASSERT_TRUE(open_without_version(connection, peer));
        ASSERT_TRUE(peer.send(sim::concat(
            {report, Bytes(report.begin(), report.begin() + static_cast<long>(offset))})));
        peer.shut_down_sending();
        ASSERT_EQ(connection.read_packet(), 0);
        EXPECT_EQ(connection.read_packet(), -2) << "offset " << offset;
        EXPECT_EQ(connection.close(), 0);
        peer.close_client();
        EXPECT_EQ(open_descriptors(), descriptors) << "offset " << offset;
    }
}

using HostilePeer = ConnectedTest;

// A reset while records go out ends in a failure result, not in SIGPIPE
// (which would end this process).
TEST_F(HostilePeer, ResetWhileSendingFailsTheSend) {
    std::atomic<bool> failed{false};
    auto writer = std::async(std::launch::async, [&] {
        insim::IS_BTN button{};
        button.Type = insim::ISP_BTN;
        std::memset(button.Text, 'r', 200);
        for (int i = 0; i < 1000000 && !failed; ++i) {
            failed = connection.write_packet(&button) != 0;
        }
    });
    ASSERT_TRUE(peer.read_record(kWait));
    peer.reset_client();
    ASSERT_EQ(writer.wait_for(kWait), std::future_status::ready);
    EXPECT_TRUE(failed);
    EXPECT_LT(connection.read_packet(), 0);
}

TEST_F(HostilePeer, EveryKeepAliveOfABurstIsAnswered) {
    constexpr std::size_t kKeepAlives = 100000;
    Bytes burst;
    burst.reserve(kKeepAlives * 4 + 8);
    for (std::size_t i = 0; i < kKeepAlives; ++i) {
        const Bytes keepalive = sim::tiny_record(insim::TINY_NONE, static_cast<uint8_t>(i));
        burst.insert(burst.end(), keepalive.begin(), keepalive.end());
    }
    const Bytes last = {8, 77, 0, 0, 0, 0, 0, 0};
    burst.insert(burst.end(), last.begin(), last.end());

    // The answers are read while the burst goes out, or both sides would
    // fill their buffers and wait for each other.
    auto answers = std::async(std::launch::async, [&] {
        Bytes received(kKeepAlives * 4);
        return peer.read_exact(received.data(), received.size(), std::chrono::seconds(30))
                   ? received
                   : Bytes{};
    });
    auto sent = std::async(std::launch::async, [&] { return peer.send(burst); });
    ASSERT_EQ(connection.read_packet(), 0);
    EXPECT_EQ(connection.packet_type(), 77);
    EXPECT_TRUE(sent.get());
    const Bytes received = answers.get();
    ASSERT_EQ(received.size(), kKeepAlives * 4);
    for (std::size_t i = 0; i < received.size(); i += 4) {
        ASSERT_EQ(Bytes(received.begin() + static_cast<long>(i),
                        received.begin() + static_cast<long>(i) + 4),
                  (Bytes{4, 3, 0, 0}))
            << "answer " << i / 4;
    }
    EXPECT_FALSE(peer.readable(std::chrono::milliseconds(50)));
}

}  // namespace
