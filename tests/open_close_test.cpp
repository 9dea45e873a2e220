// Opening and closing a connection: the introduction's bytes, the version
// exchange, and every failure path leaving nothing open.
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "tests/support/connection_fixture.h"
#include "tests/support/descriptors.h"
#include "tools/protocol/versions.h"

namespace {

using namespace test_support;
using sim::Bytes;
namespace sl = insim::socket_layer;

const Bytes kCloseRequest = {4, 3, 0, 2};

Bytes text_field(const std::string& text, std::size_t width) {
    Bytes field(width, 0);
    std::memcpy(field.data(), text.data(), std::min(text.size(), width));
    return field;
}

struct IntroductionCase {
    std::string label;
    std::string name;
    std::string admin;
    bool ask_version;
    uint16_t flags;
    uint16_t interval;
    uint16_t udp_port;
    Bytes expected;        // the 44 bytes as they must travel
    uint8_t declared = 0;  // the protocol version open is given
    bool v9_kind = false;  // opened on an InsimConnectionV9
    uint8_t in_use = 0;    // the version the answer reports; 0: as served for `declared`
};

std::vector<IntroductionCase> introduction_cases() {
    auto header = [](uint8_t reqi, uint8_t udp_lo, uint8_t udp_hi, uint8_t flags_lo,
                     uint8_t flags_hi, uint8_t interval_lo, uint8_t interval_hi,
                     uint8_t version = 0) {
        const uint8_t size = version >= 9 ? 11 : 44;
        return Bytes{size,     1,        reqi,    0,   udp_lo,      udp_hi,
                     flags_lo, flags_hi, version, '!', interval_lo, interval_hi};
    };
    return {
        {"long_name_full_password", "Sample InSim app", "0123456789abcdef", true, 0x0120, 1000, 0,
         sim::concat({header(1, 0, 0, 0x20, 0x01, 0xE8, 0x03), text_field("0123456789abcdef", 16),
                      text_field("Sample InSim ap", 16)})},
        {"no_version_with_udp", "short", "", false, insim::ISF_MCI, 0xABCD, 0x8765,
         sim::concat(
             {header(0, 0x65, 0x87, 32, 0, 0xCD, 0xAB), Bytes(16, 0), text_field("short", 16)})},
        {"declares_8", "eight", "", true, 0, 100, 0,
         sim::concat({header(1, 0, 0, 0, 0, 100, 0, 8), Bytes(16, 0), text_field("eight", 16)}), 8},
        // Declared 9, the introduction's size byte counts 4-byte units too.
        {"v9_kind_declares_9", "nine", "pw", true, 0, 100, 0,
         sim::concat(
             {header(1, 0, 0, 0, 0, 100, 0, 9), text_field("pw", 16), text_field("nine", 16)}),
         9, true},
        {"v9_kind_declares_10_without_version", "ten", "", false, 0, 0, 0,
         sim::concat({header(0, 0, 0, 0, 0, 0, 0, 10), Bytes(16, 0), text_field("ten", 16)}), 10,
         true},
        // Declared 0, it speaks as the byte-counted connection does.
        {"v9_kind_declares_0", "zero", "", true, 0, 100, 0,
         sim::concat({header(1, 0, 0, 0, 0, 100, 0), Bytes(16, 0), text_field("zero", 16)}), 0,
         true},
        // The version in use, as the answer reports it, sets the unit after
        // it (regression: an older simulator's 20-byte answer was read as
        // 80 bytes, and open hung).
        {"v9_kind_declares_9_to_an_older_simulator", "nine", "", true, 0, 100, 0,
         sim::concat({header(1, 0, 0, 0, 0, 100, 0, 9), Bytes(16, 0), text_field("nine", 16)}), 9,
         true, 8},
        {"v9_kind_declares_8_to_a_simulator_that_serves_9", "eight", "", true, 0, 100, 0,
         sim::concat({header(1, 0, 0, 0, 0, 100, 0, 8), Bytes(16, 0), text_field("eight", 16)}), 8,
         true, 9},
    };
}

class Introduction : public ::testing::TestWithParam<IntroductionCase> {};

// Opens `connection` as `c` says, plays the simulator's part, and closes.
template <typename Connection>
void expect_introduction(Connection& connection, const IntroductionCase& c) {
    sim::SimPeer peer;
    insim::IS_VER version{};
    auto opened = std::async(std::launch::async, [&] {
        return connection.open("127.0.0.1", peer.port(), c.name.c_str(), c.admin.c_str(),
                               c.ask_version ? &version : nullptr, '!', c.flags, c.interval,
                               c.udp_port, c.declared);
    });
    ASSERT_TRUE(take_introduction(peer, opened));
    EXPECT_EQ(peer.received(), c.expected);
    const auto in_use =
        static_cast<uint8_t>(c.in_use != 0 ? c.in_use : sim::served_version(c.declared));
    const Bytes answer = in_units(sim::version_record("0.7F", in_use), in_use);
    if (c.ask_version) {
        ASSERT_TRUE(peer.send(answer));
    }
    // Without a version destination open returns without reading anything.
    ASSERT_EQ(get_bounded(opened, peer), 0);
    const uint8_t speaks = c.v9_kind && c.ask_version ? in_use : c.declared;
    EXPECT_EQ(connection.size_unit(), unit_of(speaks));
    if (c.ask_version) {
        EXPECT_EQ(sim::bytes_of(version), answer);
    }
    EXPECT_EQ(connection.close(), 0);
    EXPECT_EQ(read_record_in(peer, unit_of(speaks)), in_units(kCloseRequest, speaks));
}

TEST_P(Introduction, TravelsByteForByte) {
    const IntroductionCase& c = GetParam();
    if (c.v9_kind) {
        insim::InsimConnectionV9 connection;
        expect_introduction(connection, c);
    } else {
        insim::InsimConnection connection;
        expect_introduction(connection, c);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Introduction, ::testing::ValuesIn(introduction_cases()),
                         [](const auto& info) { return info.param.label; });

class Open : public ::testing::Test {
  protected:
    // Every path through open and close must leave what it found.
    void TearDown() override {
        peer.close_client();
        EXPECT_EQ(open_descriptors(), descriptors_before_);
        EXPECT_EQ(sl::started_count(), 0);
    }

    sim::SimPeer peer;
    long descriptors_before_ = open_descriptors();
    insim::InsimConnection connection;
    insim::IS_VER version{};
};

TEST_F(Open, KeepAliveBeforeTheVersionIsAnsweredAndTheVersionCopied) {
    auto opened = open_async(connection, peer.port(), &version);
    ASSERT_TRUE(peer.accept(kWait));
    ASSERT_TRUE(peer.read_introduction(kWait));
    const Bytes answer = sim::version_record("12345678", 65535, 1);
    ASSERT_TRUE(peer.send(sim::concat({sim::tiny_record(0), answer})));
    ASSERT_EQ(get_bounded(opened, peer), 0);
    EXPECT_EQ(Bytes(reinterpret_cast<uint8_t*>(&version),
                    reinterpret_cast<uint8_t*>(&version) + sizeof version),
              answer);
    auto keepalive = peer.read_record(kWait);
    ASSERT_TRUE(keepalive);
    EXPECT_EQ(*keepalive, (Bytes{4, 3, 0, 0}));
    ASSERT_EQ(connection.close(), 0);
    EXPECT_TRUE(peer.wait_closed(kWait));
}

TEST_F(Open, FirstRecordNotAVersionSendsCloseRequestAndFails) {
    std::memset(&version, 0xEE, sizeof version);
    const auto untouched = version;
    auto opened = open_async(connection, peer.port(), &version);
    ASSERT_TRUE(peer.accept(kWait));
    ASSERT_TRUE(peer.read_introduction(kWait));
    ASSERT_TRUE(peer.send(sim::car_report({{1, 2}})));
    ASSERT_EQ(get_bounded(opened, peer), -1);
    auto request = peer.read_record(kWait);
    ASSERT_TRUE(request);
    EXPECT_EQ(*request, kCloseRequest);
    EXPECT_TRUE(peer.wait_closed(kWait));
    EXPECT_EQ(std::memcmp(&version, &untouched, sizeof version), 0);
}

TEST_F(Open, PeerClosingBeforeTheAnswerFails) {
    auto opened = open_async(connection, peer.port(), &version, 0x8766);
    ASSERT_TRUE(peer.accept(kWait));
    ASSERT_TRUE(peer.read_introduction(kWait));
    peer.close_client();
    EXPECT_EQ(get_bounded(opened, peer), -1);
}

TEST_F(Open, NothingListeningFails) {
    uint16_t unused_port = 0;
    {
        sim::SimPeer gone;
        unused_port = gone.port();
    }
    EXPECT_EQ(connection.open("127.0.0.1", unused_port, "x", "", &version, '!', 0, 0, 0), -1);
}

TEST_F(Open, VersionNineOnTheByteCountedConnectionFailsWithNothingOpened) {
    EXPECT_EQ(connection.open("127.0.0.1", peer.port(), "x", "", nullptr, '!', 0, 0, 0x8769, 9),
              -1);
    EXPECT_FALSE(peer.accept(100ms)) << "it cannot hold records of version 9: nothing connects";
}

TEST_F(Open, HostThatIsNeitherANameNorAnAddressFails) {
    EXPECT_EQ(
        connection.open("no-such-host.invalid", peer.port(), "x", "", nullptr, '!', 0, 0, 0x8767),
        -1);
    EXPECT_EQ(connection.open("300.1.2.3", peer.port(), "x", "", nullptr, '!', 0, 0, 0), -1);
}

TEST_F(Open, CloseSendsTheCloseRequestAndClosesBothSockets) {
    ASSERT_TRUE(open_without_version(connection, peer, 0x8768));
    EXPECT_GT(open_descriptors(), descriptors_before_ + 1) << "stream and datagram sockets";
    ASSERT_EQ(connection.close(), 0);
    auto request = peer.read_record(kWait);
    ASSERT_TRUE(request);
    EXPECT_EQ(*request, kCloseRequest);
    EXPECT_TRUE(peer.wait_closed(kWait));
    EXPECT_EQ(connection.close(), -1) << "a closed connection has nothing to send on";
    peer.close_client();
}

// Regression: bytes left from an earlier stream must not be taken as the
// start of the next one.
TEST_F(Open, SecondOpenStartsFromEmptyBuffers) {
    ASSERT_TRUE(open_without_version(connection, peer));
    ASSERT_TRUE(peer.send(sim::concat({sim::car_report({{5, 5}}), Bytes{8, 9, 1}})));
    peer.shut_down_sending();
    ASSERT_EQ(connection.read_packet(), 0);
    ASSERT_EQ(connection.read_packet(), -2);  // three bytes of a record stay buffered
    ASSERT_EQ(connection.close(), 0);
    peer.close_client();

    sim::SimPeer second;
    auto reopened = open_async(connection, second.port(), &version);
    ASSERT_TRUE(second.accept(kWait));
    ASSERT_TRUE(second.read_introduction(kWait));
    ASSERT_TRUE(second.send(sim::version_record("0.7G", 10)));
    ASSERT_EQ(get_bounded(reopened, second), 0);
    EXPECT_STREQ(version.Version, "0.7G");
    ASSERT_EQ(connection.close(), 0);
    second.close_client();
}

TEST(Close, FailedCloseRequestLeavesTheConnectionOpen) {
    sim::SimPeer peer;
    insim::InsimConnection connection;
    ASSERT_TRUE(open_without_version(connection, peer));
    peer.reset_client();
    // A send may still pass until the reset has reached the client; after
    // that it fails, and never with SIGPIPE (which would end this process).
    insim::IS_TINY probe{4, insim::ISP_TINY, 0, 1};
    int result = 0;
    for (int i = 0; i < 100 && result == 0; ++i) {
        result = connection.write_packet(&probe);
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_EQ(result, -1);
    const long descriptors = open_descriptors();
    EXPECT_EQ(connection.close(), -1);
    EXPECT_EQ(open_descriptors(), descriptors);
    EXPECT_EQ(sl::started_count(), 1);
}

}  // namespace
