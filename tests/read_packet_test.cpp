// Cutting the incoming stream into records, over a real loopback connection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/connection_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

const Bytes kKeepAliveAnswer = {4, 3, 0, 0};
constexpr uint8_t kV9 = 9;

Bytes record(uint8_t size, uint8_t type, uint8_t fill = 0xAB) {
    Bytes bytes(size, fill);
    bytes[0] = size;
    if (size > 1) {
        bytes[1] = type;
    }
    return bytes;
}

// A record of `length` bytes whose size byte counts 4-byte units.
Bytes word_record(std::size_t length, uint8_t type, uint8_t fill = 0xAB) {
    Bytes bytes(length, fill);
    bytes[0] = static_cast<uint8_t>(length / insim::kSizeUnitV9);
    bytes[1] = type;
    return bytes;
}

struct FramingCase {
    std::string name;
    Bytes stream;
    std::vector<Bytes> records;  // what read_packet returns, in order
    int keepalives;              // answers expected from the client
    uint8_t version = 0;         // declared by the client's introduction
};

// How the peer cuts the stream into sends.
struct Chunking {
    std::string name;
    std::size_t chunk;    // 0: all in one send
    bool random = false;  // pieces of 1 to `chunk` bytes, the same each run
};

// Sends `stream` cut as `chunking` says, pausing between pieces so that they
// arrive as reads of their own.
bool send_cut(sim::SimPeer& peer, const Bytes& stream, const Chunking& chunking) {
    if (!chunking.random) {
        return peer.send(stream, chunking.chunk, 1ms);
    }
    std::mt19937 pieces(static_cast<unsigned>(stream.size()));
    std::uniform_int_distribution<std::size_t> length(1, chunking.chunk);
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t piece = std::min(length(pieces), stream.size() - at);
        if (!peer.send(Bytes(stream.begin() + static_cast<long>(at),
                             stream.begin() + static_cast<long>(at + piece)))) {
            return false;
        }
        at += piece;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

std::vector<FramingCase> framing_cases() {
    const Bytes report = sim::car_report({{330 * 65536, -300 * 65536}, {1, 2}});
    const Bytes large = record(255, 77, 0x5C);
    const Bytes report16 = sim::car_report(std::vector<sim::CarPosition>(16, {7, -7}), kV9);
    const std::vector<Bytes> cars17 =
        sim::interval_reports(std::vector<sim::CarPosition>(17, {3, 4}), kV9);
    const Bytes large_v9 = word_record(insim::kMaxRecordSizeV9, 77, 0x5C);
    return {
        {"two_records", sim::concat({report, record(8, 9)}), {report, record(8, 9)}, 0},
        {"largest_and_smallest",
         sim::concat({large, record(4, 60), large}),
         {large, record(4, 60), large},
         0},
        {"keepalive_then_record", sim::concat({sim::tiny_record(0), report}), {report}, 1},
        {"keepalive_any_reqi",
         sim::concat({sim::tiny_record(0, 7), sim::tiny_record(0, 255), record(12, 45)}),
         {record(12, 45)},
         2},
        {"close_request_is_not_a_keepalive", sim::tiny_record(2), {sim::tiny_record(2)}, 0},
        {"tiny_longer_than_four_is_a_keepalive",
         sim::concat({Bytes{8, 3, 0, 0, 9, 9, 9, 9}, record(4, 5)}),
         {record(4, 5)},
         1},
        // Records shorter than a header: their missing bytes are never taken
        // from the record before them.
        {"one_byte_after_report", sim::concat({report, Bytes{1}}), {report, Bytes{1}}, 0},
        {"two_byte_tiny_is_not_a_keepalive",
         sim::concat({Bytes{4, 3, 9, 2}, Bytes{2, 3}}),
         {Bytes{4, 3, 9, 2}, Bytes{2, 3}},
         0},
        {"three_byte_tiny_is_not_a_keepalive", Bytes{3, 3, 0}, {Bytes{3, 3, 0}}, 0},
        // From version 9 every size byte counts 4 bytes.
        {"v9_report_of_16_cars_and_a_short_record",
         sim::concat({report16, word_record(8, 9)}),
         {report16, word_record(8, 9)},
         0,
         kV9},
        {"v9_largest_and_smallest",
         sim::concat({large_v9, word_record(4, 60), large_v9}),
         {large_v9, word_record(4, 60), large_v9},
         0,
         kV9},
        {"v9_keepalives_around_an_interval_of_17_cars",
         sim::concat({Bytes{1, 3, 0, 0}, cars17[0], Bytes{1, 3, 9, 0}, cars17[1]}),
         {cars17[0], cars17[1]},
         2,
         kV9},
        {"v9_close_request_is_not_a_keepalive", Bytes{1, 3, 0, 2}, {Bytes{1, 3, 0, 2}}, 0, kV9},
    };
}

std::vector<Chunking> chunkings() {
    return {{"whole", 0}, {"split_in_fives", 5}, {"random_pieces", 97, true}, {"bytewise", 1}};
}

class Framing : public ConnectedTest,
                public ::testing::WithParamInterface<std::tuple<FramingCase, Chunking>> {
  protected:
    uint8_t insim_version() const override { return std::get<0>(GetParam()).version; }
};

// Plays `framing`'s stream to `connection`, cut as `chunking` says, and checks
// every record read_packet returns and the keep-alive answers.
template <typename Connection>
void expect_framed(Connection& connection, sim::SimPeer& peer, const FramingCase& framing,
                   const Chunking& chunking) {
    auto sent = std::async(std::launch::async, [&] {
        const bool ok = send_cut(peer, framing.stream, chunking);
        peer.shut_down_sending();
        return ok;
    });
    for (const Bytes& expected : framing.records) {
        ASSERT_EQ(connection.read_packet(), 0);
        const char* packet = connection.current_packet();
        const uint8_t type = expected.size() > 1 ? expected[1] : 0;
        EXPECT_EQ(static_cast<uint8_t>(connection.packet_type()), type);
        if (type == 0) {
            EXPECT_EQ(packet, nullptr);
            continue;
        }
        ASSERT_NE(packet, nullptr);
        EXPECT_EQ(Bytes(packet, packet + expected.size()), expected);
        // A short record's missing header bytes read as 0.
        for (std::size_t i = expected.size(); i < 4; ++i) {
            EXPECT_EQ(packet[i], 0) << "header byte " << i;
        }
    }
    EXPECT_EQ(connection.read_packet(), -2);
    EXPECT_TRUE(sent.get());

    // Answered in the unit of the version: {1, 3, 0, 0} from version 9.
    const Bytes answer = in_units(kKeepAliveAnswer, framing.version);
    Bytes answers(answer.size() * framing.keepalives);
    ASSERT_TRUE(peer.read_exact(answers.data(), answers.size(), kWait));
    for (int i = 0; i < framing.keepalives; ++i) {
        EXPECT_EQ(Bytes(answers.begin() + 4 * i, answers.begin() + 4 * i + 4), answer);
    }
    EXPECT_FALSE(peer.readable(50ms)) << "the client sent more than the keep-alive answers";
}

TEST_P(Framing, ReturnsEveryRecordWholeAndAnswersKeepAlives) {
    const auto& [framing, chunking] = GetParam();
    on_connection([&](auto& connection) { expect_framed(connection, peer, framing, chunking); });
}

INSTANTIATE_TEST_SUITE_P(Cases, Framing,
                         ::testing::Combine(::testing::ValuesIn(framing_cases()),
                                            ::testing::ValuesIn(chunkings())),
                         [](const auto& info) {
                             return std::get<0>(info.param).name + "_" +
                                    std::get<1>(info.param).name;
                         });

using ReadPacket = ConnectedTest;

TEST_F(ReadPacket, VersionAnswerIsCurrentAfterOpen) {
    EXPECT_EQ(static_cast<uint8_t>(connection.packet_type()), insim::ISP_VER);
}

TEST_F(ReadPacket, SecondRecordOfOneReceiveNeedsNoWait) {
    ASSERT_TRUE(peer.send(sim::concat({record(8, 9), record(12, 10)})));
    ASSERT_EQ(connection.read_packet(), 0);
    // Nothing more will arrive: the second record must already be buffered,
    // so a closed peer cannot get in its way.
    peer.shut_down_sending();
    ASSERT_EQ(connection.read_packet(), 0);
    EXPECT_EQ(connection.packet_type(), 10);
    EXPECT_EQ(connection.read_packet(), -2);
}

TEST_F(ReadPacket, PeerClosingMidRecordGivesMinusTwo) {
    ASSERT_TRUE(peer.send(Bytes{8, 9, 1}));
    peer.shut_down_sending();
    EXPECT_EQ(connection.read_packet(), -2);
}

TEST_F(ReadPacket, SizeByteZeroFailsInsteadOfLoopingOnAnEmptyRecord) {
    ASSERT_TRUE(peer.send(sim::concat({record(8, 9), Bytes{0, 1, 2, 3}})));
    ASSERT_EQ(connection.read_packet(), 0);
    EXPECT_EQ(connection.read_packet(), -1);
    EXPECT_EQ(connection.read_packet(), -1) << "the stream cannot be followed past a size of 0";
    EXPECT_EQ(connection.packet_type(), 9) << "the last whole record stays current";
}

// Urgent (out-of-band) data is the stream's exceptional condition: the
// reader fails at once. A readiness wait that leaves the socket out of the
// exception set would instead wait on for a record that never comes.
TEST_F(ReadPacket, UrgentDataIsAnExceptionalConditionAndAFailure) {
    ASSERT_TRUE(peer.send_urgent(0x55));
    auto read = std::async(std::launch::async, [&] { return connection.read_packet(); });
    EXPECT_EQ(get_bounded(read, peer), -1);
}

TEST_F(ReadPacket, KeepsWaitingPastTheFiveSecondWait) {
    auto sent = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(5500ms);
        return peer.send(record(8, 21));
    });
    ASSERT_EQ(connection.read_packet(), 0);
    EXPECT_EQ(connection.packet_type(), 21);
    EXPECT_TRUE(sent.get());
}

// Records of `sizes`, each filled with its own index, in one stream.
Bytes records_of(std::initializer_list<uint8_t> sizes) {
    Bytes stream;
    uint8_t type = 100;
    for (uint8_t size : sizes) {
        const Bytes r = record(size, type++, size);
        stream.insert(stream.end(), r.begin(), r.end());
    }
    return stream;
}

// Calls read_packet for each of `sizes` and checks each record's size and
// type, bounded so that a reader that waits for bytes it already holds fails
// instead of hanging.
void expect_records(insim::InsimConnection& connection, sim::SimPeer& peer,
                    std::initializer_list<uint8_t> sizes) {
    uint8_t type = 100;
    for (uint8_t size : sizes) {
        auto read = std::async(std::launch::async, [&] { return connection.read_packet(); });
        ASSERT_EQ(get_bounded(read, peer), 0) << "record of type " << int(type);
        EXPECT_EQ(static_cast<uint8_t>(connection.packet_type()), type);
        EXPECT_EQ(static_cast<uint8_t>(connection.current_packet()[0]), size);
        ++type;
    }
}

// Receives that fill all the room they are given go straight to the socket
// for the next bytes; these cases catch such a shortcut taken where it must
// not be.
using ReadPacketWithFullReceives = ConnectedTest;

TEST_F(ReadPacketWithFullReceives, PauseLongerThanTheWaitAfterFillingTheRoomExactly) {
    // After the version record is removed the whole 512-byte buffer is free:
    // two records of 255 and the first 2 bytes of a third fill it exactly.
    const Bytes stream = records_of({255, 255, 8});
    auto sent = std::async(std::launch::async, [&] {
        const bool first = peer.send(Bytes(stream.begin(), stream.begin() + 512));
        std::this_thread::sleep_for(5500ms);
        return first && peer.send(Bytes(stream.begin() + 512, stream.end()));
    });
    for (uint8_t type : {100, 101, 102}) {
        ASSERT_EQ(connection.read_packet(), 0);
        EXPECT_EQ(static_cast<uint8_t>(connection.packet_type()), type);
    }
    EXPECT_EQ(static_cast<uint8_t>(connection.current_packet()[4]), 8) << "the third one whole";
    EXPECT_TRUE(sent.get());
}

TEST_F(ReadPacketWithFullReceives, BurstLargerThanTheBufferThenSilence) {
    ASSERT_TRUE(peer.send(records_of({200, 200, 200, 200, 255, 4})));
    // The peer stays connected and silent: the last record must come out of
    // what is already buffered, without a wait for more.
    expect_records(connection, peer, {200, 200, 200, 200, 255, 4});
}

TEST_F(ReadPacketWithFullReceives, CloseRightAfterABurstThatFillsTheBufferExactly) {
    ASSERT_TRUE(peer.send(records_of({128, 128, 128, 128})));
    peer.shut_down_sending();
    expect_records(connection, peer, {128, 128, 128, 128});
    EXPECT_EQ(connection.read_packet(), -2);
    EXPECT_EQ(connection.read_packet(), -2) << "the end of the stream stays the end";
}

TEST_F(ReadPacketWithFullReceives, KeepAlivesInAFullBufferAreAllAnswered) {
    Bytes stream;
    for (int i = 0; i < 128; ++i) {  // 512 bytes of keep-alives
        const Bytes keepalive = sim::tiny_record(0, static_cast<uint8_t>(i));
        stream.insert(stream.end(), keepalive.begin(), keepalive.end());
    }
    const Bytes last = records_of({12});
    stream.insert(stream.end(), last.begin(), last.end());
    ASSERT_TRUE(peer.send(stream));
    expect_records(connection, peer, {12});
    Bytes answers(128 * 4);
    ASSERT_TRUE(peer.read_exact(answers.data(), answers.size(), kWait));
    for (std::size_t i = 0; i < answers.size(); i += 4) {
        ASSERT_EQ(Bytes(answers.begin() + static_cast<long>(i),
                        answers.begin() + static_cast<long>(i) + 4),
                  kKeepAliveAnswer);
    }
}

// A connection that declared version 9: sizes count 4-byte units.
class ReadPacketV9 : public ConnectedTest {
  protected:
    uint8_t insim_version() const override { return kV9; }
};

TEST_F(ReadPacketV9, BurstLargerThanTheBufferThenSilence) {
    const std::size_t lengths[] = {1020, 1020, 452, 1020, 4};
    Bytes stream;
    for (std::size_t i = 0; i < std::size(lengths); ++i) {
        const Bytes r = word_record(lengths[i], static_cast<uint8_t>(100 + i), 0x11);
        stream.insert(stream.end(), r.begin(), r.end());
    }
    ASSERT_TRUE(peer.send(stream));
    // The peer stays connected and silent: the last record must come out of
    // what is already buffered.
    for (std::size_t i = 0; i < std::size(lengths); ++i) {
        auto read = std::async(std::launch::async, [&] { return connection_v9.read_packet(); });
        ASSERT_EQ(get_bounded(read, peer), 0) << "record " << i;
        EXPECT_EQ(static_cast<uint8_t>(connection_v9.packet_type()), 100 + i);
        EXPECT_EQ(static_cast<uint8_t>(connection_v9.current_packet()[0]) * 4u, lengths[i]);
    }
}

}  // namespace
