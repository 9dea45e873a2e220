// Several threads on one connection: two send buttons and chat texts, one
// reads the stream and one waits for datagrams. Every record must reach the
// peer whole and unmixed. Run under ThreadSanitizer by the tsan preset.
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <string>

#include "tests/support/connection_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

class Concurrency : public ConnectedTest {
  protected:
    uint16_t udp_port() const override { return port_; }
    uint16_t port_ = free_udp_port();
};

constexpr int kPerSender = 2000;
constexpr int kStreamRecords = 500;
constexpr int kDatagrams = 200;

// The records each sender sends: its own mark in every byte of the text, so
// that a record mixed with another shows.
insim::IS_BTN button(int i) {
    insim::IS_BTN b{};
    b.Type = insim::ISP_BTN;
    b.ClickID = static_cast<uint8_t>(i);
    std::memset(b.Text, 'B', 1 + i % 200);
    return b;
}

insim::IS_MTC chat(int i) {
    insim::IS_MTC c{};
    c.Type = insim::ISP_MTC;
    c.UCID = static_cast<uint8_t>(i);
    std::memset(c.Text, 'M', i % 128);
    return c;
}

TEST_F(Concurrency, RecordsFromManyThreadsArriveWholeAndUnmixed) {
    auto buttons = std::async(std::launch::async, [&] {
        int failures = 0;
        for (int i = 0; i < kPerSender; ++i) {
            auto b = button(i);
            failures += connection.write_packet(&b) != 0;
        }
        return failures;
    });
    auto chats = std::async(std::launch::async, [&] {
        int failures = 0;
        for (int i = 0; i < kPerSender; ++i) {
            auto c = chat(i);
            failures += connection.write_packet(&c) != 0;
        }
        return failures;
    });
    auto stream_reader = std::async(std::launch::async, [&] {
        int read = 0;
        while (read < kStreamRecords && connection.read_packet() == 0) {
            read += connection.packet_type() == 50;
        }
        return read;
    });
    auto datagram_reader = std::async(std::launch::async, [&] {
        int read = 0;
        while (read < kDatagrams && connection.read_datagram() == 0) {
            read += connection.datagram_type() == 51;
        }
        return read;
    });
    auto simulator = std::async(std::launch::async, [&] {
        for (int i = 0; i < kStreamRecords; ++i) {
            if (!peer.send(sim::concat({sim::tiny_record(0), Bytes{8, 50, 0, 0, 1, 2, 3, 4}}))) {
                return false;
            }
            if (i < kDatagrams && !peer.send_datagram(Bytes{8, 51, 0, 0, 5, 6, 7, 8}, port_)) {
                return false;
            }
        }
        return true;
    });

    // Parse everything the client sends: introduction aside, buttons, chats
    // and keep-alive answers, each whole and in its sender's order.
    int next_button = 0;
    int next_chat = 0;
    int answers = 0;
    while (next_button < kPerSender || next_chat < kPerSender || answers < kStreamRecords) {
        auto record = peer.read_record(kWait);
        ASSERT_TRUE(record) << next_button << " buttons, " << next_chat << " chats, " << answers
                            << " answers";
        const Bytes& r = *record;
        ASSERT_GE(r.size(), 4u);
        if (r[1] == insim::ISP_BTN) {
            auto expected = button(next_button++);
            expected.Size = static_cast<uint8_t>(r.size());
            ASSERT_EQ(r, Bytes(reinterpret_cast<uint8_t*>(&expected),
                               reinterpret_cast<uint8_t*>(&expected) + r.size()));
        } else if (r[1] == insim::ISP_MTC) {
            auto expected = chat(next_chat++);
            expected.Size = static_cast<uint8_t>(r.size());
            ASSERT_EQ(r, Bytes(reinterpret_cast<uint8_t*>(&expected),
                               reinterpret_cast<uint8_t*>(&expected) + r.size()));
        } else {
            ASSERT_EQ(r, (Bytes{4, 3, 0, 0}));
            ++answers;
        }
    }
    EXPECT_EQ(get_bounded(buttons, peer), 0);
    EXPECT_EQ(get_bounded(chats, peer), 0);
    EXPECT_EQ(get_bounded(simulator, peer), true);
    EXPECT_EQ(get_bounded(stream_reader, peer), kStreamRecords);
    EXPECT_EQ(get_bounded(datagram_reader, peer), kDatagrams);
}

}  // namespace
