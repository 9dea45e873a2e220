// Receiving records by datagram, over real UDP sockets on 127.0.0.1: the
// peer sends from the simulator's port to the client's UDP port.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <thread>

#include "tests/support/connection_fixture.h"
#include "tests/support/platform.h"

namespace {

using namespace test_support;
using sim::Bytes;

Bytes record(std::size_t length, uint8_t size_byte, uint8_t type, uint8_t fill) {
    Bytes bytes(length, fill);
    if (length > 0) {
        bytes[0] = size_byte;
    }
    if (length > 1) {
        bytes[1] = type;
    }
    return bytes;
}

class ReadDatagram : public ConnectedTest {
  protected:
    uint16_t udp_port() const override { return port_; }

    // Sends `datagram` and reads one record (bounded).
    int send_and_read(const Bytes& datagram) {
        EXPECT_TRUE(peer.send_datagram(datagram, port_));
        return read_bounded();
    }

    int read_bounded() {
        auto result = std::async(std::launch::async, [&] {
            return on_connection([](auto& connection) { return connection.read_datagram(); });
        });
        if (result.wait_for(kWait) != std::future_status::ready) {
            // Unblock the reader with a record it will take, then fail.
            peer.send_datagram(record(4, 4, 99, 0), port_);
            result.wait();
            ADD_FAILURE() << "read_datagram did not return";
            return -99;
        }
        return result.get();
    }

    Bytes store(std::size_t from, std::size_t to) {
        const char* bytes =
            on_connection([](auto& connection) { return connection.current_datagram(); });
        return Bytes(bytes + from, bytes + to);
    }

    uint16_t port_ = free_udp_port();
};

TEST_F(ReadDatagram, BeforeAnyDatagramTheStoreIsZero) {
    EXPECT_EQ(connection.datagram_type(), 0);
    ASSERT_NE(connection.current_datagram(), nullptr);
    EXPECT_EQ(store(0, 512), Bytes(512, 0));
}

TEST_F(ReadDatagram, WholeRecordIsStored) {
    const Bytes report = sim::car_report({{1, 2}});
    ASSERT_EQ(send_and_read(report), 0);
    EXPECT_EQ(static_cast<uint8_t>(connection.datagram_type()), insim::ISP_MCI);
    EXPECT_EQ(store(0, report.size()), report);
}

TEST_F(ReadDatagram, EmptyDatagramIsSkipped) {
    ASSERT_TRUE(peer.send_datagram({}, port_));
    ASSERT_EQ(send_and_read(record(20, 20, 7, 0x11)), 0);
    EXPECT_EQ(store(0, 20), record(20, 20, 7, 0x11));
}

// The record's size byte, not the datagram's length, decides what is stored.
TEST_F(ReadDatagram, SizeByteDecidesWhatIsStored) {
    ASSERT_EQ(send_and_read(record(100, 100, 1, 0xEE)), 0);

    // 40 bytes saying 20: the rest of the datagram is dropped.
    ASSERT_EQ(send_and_read(record(40, 20, 2, 0x22)), 0);
    EXPECT_EQ(store(0, 20), record(20, 20, 2, 0x22));
    EXPECT_EQ(store(20, 100), Bytes(80, 0xEE)) << "bytes past Size keep the older record";

    // 8 bytes saying 12: padded with zeros, not with the 40-byte datagram's
    // dropped bytes.
    ASSERT_EQ(send_and_read(record(8, 12, 3, 0x33)), 0);
    EXPECT_EQ(store(0, 12), sim::concat({record(8, 12, 3, 0x33), Bytes(4, 0)}));
    EXPECT_EQ(store(12, 20), Bytes(8, 0x22));
    EXPECT_EQ(store(20, 100), Bytes(80, 0xEE));

    // Size byte 0: nothing is copied, the previous record stays.
    ASSERT_EQ(send_and_read(record(10, 0, 4, 0x44)), 0);
    EXPECT_EQ(connection.datagram_type(), 3);
}

// A datagram longer than the 512-byte buffer: POSIX cuts it to the buffer,
// whose size byte then decides; Windows Sockets fails its receive, and the
// store keeps the record before it.
TEST_F(ReadDatagram, OversizeDatagramIsCutOrRefusedByPlatform) {
    ASSERT_EQ(send_and_read(record(20, 20, 4, 0x44)), 0);
    const int result = send_and_read(record(600, 255, 5, 0x55));
    if (kOversizeDatagramFails) {
        EXPECT_EQ(result, -1);
        EXPECT_EQ(connection.datagram_type(), 4);
        EXPECT_EQ(store(0, 20), record(20, 20, 4, 0x44));
        EXPECT_EQ(store(20, 255), Bytes(235, 0)) << "nothing of the refused datagram is stored";
        ASSERT_EQ(send_and_read(record(12, 12, 6, 0x66)), 0) << "the next datagram is taken";
        EXPECT_EQ(connection.datagram_type(), 6);
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(store(0, 255), record(255, 255, 5, 0x55));
    }
}

TEST_F(ReadDatagram, ClosedConnectionFailsAtOnce) {
    ASSERT_EQ(connection.close(), 0);
    EXPECT_EQ(connection.read_datagram(), -1);
}

TEST_F(ReadDatagram, WaitsOnItsOwnThreadBesideStreamReadsAndSends) {
    auto datagrams = std::async(std::launch::async, [&] {
        int stored = 0;
        for (int i = 0; i < 3; ++i) {
            stored += connection.read_datagram() == 0;
        }
        return stored;
    });
    auto buttons = std::async(std::launch::async, [&] {
        insim::IS_BTN button{};
        button.Type = insim::ISP_BTN;
        std::strcpy(button.Text, "Chicane");
        int sent = 0;
        for (int i = 0; i < 50; ++i) {
            sent += connection.write_packet(&button) == 0;
        }
        return sent;
    });
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(peer.send_datagram(record(12, 12, static_cast<uint8_t>(60 + i), 0), port_));
        ASSERT_TRUE(peer.send(record(8, 8, static_cast<uint8_t>(70 + i), 0)));
        ASSERT_EQ(connection.read_packet(), 0);
        EXPECT_EQ(connection.packet_type(), 70 + i);
    }
    for (int i = 0; i < 50; ++i) {
        auto button = peer.read_record(kWait);
        ASSERT_TRUE(button);
        EXPECT_EQ(button->size(), 20u);
    }
    ASSERT_EQ(get_bounded(buttons, peer), 50);
    ASSERT_EQ(get_bounded(datagrams, peer), 3);
    EXPECT_EQ(connection.datagram_type(), 62);
}

TEST(ReadDatagramWithoutSocket, FailsAtOnce) {
    insim::InsimConnection never_opened;
    EXPECT_EQ(never_opened.read_datagram(), -1);
    EXPECT_EQ(never_opened.datagram_type(), 0);
}

using ReadDatagramStreamOnly = ConnectedTest;  // opened without a UDP port

TEST_F(ReadDatagramStreamOnly, FailsAtOnce) {
    EXPECT_EQ(connection.read_datagram(), -1);
}

// A connection that declared version 9 reads datagrams in its unit too.
class ReadDatagramV9 : public ReadDatagram {
  protected:
    uint8_t insim_version() const override { return 9; }
};

TEST_F(ReadDatagramV9, SizeByteCountsFourByteUnits) {
    ASSERT_EQ(send_and_read(record(1020, 255, 1, 0xEE)), 0);
    EXPECT_EQ(store(0, 1020), record(1020, 255, 1, 0xEE)) << "the longest record, whole";

    // 40 bytes saying 5 units: 20 are stored, the rest is dropped.
    ASSERT_EQ(send_and_read(record(40, 5, 2, 0x22)), 0);
    EXPECT_EQ(store(0, 20), record(20, 5, 2, 0x22));
    EXPECT_EQ(store(20, 1020), Bytes(1000, 0xEE));

    // 8 bytes saying 3 units: padded with zeros to 12.
    ASSERT_EQ(send_and_read(record(8, 3, 3, 0x33)), 0);
    EXPECT_EQ(store(0, 12), sim::concat({record(8, 3, 3, 0x33), Bytes(4, 0)}));
    EXPECT_EQ(store(12, 20), Bytes(8, 0x22));
}

}  // namespace
