// Cutting the incoming stream into records, over a real loopback connection.
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <string>
#include <vector>

#include "tests/support/connection_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

const Bytes kKeepAliveAnswer = {4, 3, 0, 0};

Bytes record(uint8_t size, uint8_t type, uint8_t fill = 0xAB) {
    Bytes bytes(size, fill);
    bytes[0] = size;
    if (size > 1) {
        bytes[1] = type;
    }
    return bytes;
}

struct FramingCase {
    std::string name;
    Bytes stream;
    std::vector<Bytes> records;  // what read_packet returns, in order
    int keepalives;              // answers expected from the client
};

// How the peer cuts the stream into sends.
struct Chunking {
    std::string name;
    std::size_t chunk;  // 0: all in one send
};

std::vector<FramingCase> framing_cases() {
    const Bytes report = sim::car_report({{330 * 65536, -300 * 65536}, {1, 2}});
    const Bytes large = record(255, 77, 0x5C);
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
    };
}

std::vector<Chunking> chunkings() {
    return {{"whole", 0}, {"split_in_fives", 5}, {"bytewise", 1}};
}

class Framing : public ConnectedTest,
                public ::testing::WithParamInterface<std::tuple<FramingCase, Chunking>> {};

TEST_P(Framing, ReturnsEveryRecordWholeAndAnswersKeepAlives) {
    const auto& [framing, chunking] = GetParam();
    auto sent = std::async(std::launch::async, [&] {
        const bool ok = peer.send(framing.stream, chunking.chunk, 1ms);
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

    Bytes answers(kKeepAliveAnswer.size() * framing.keepalives);
    ASSERT_TRUE(peer.read_exact(answers.data(), answers.size(), kWait));
    for (int i = 0; i < framing.keepalives; ++i) {
        EXPECT_EQ(Bytes(answers.begin() + 4 * i, answers.begin() + 4 * i + 4), kKeepAliveAnswer);
    }
    EXPECT_FALSE(peer.readable(50ms)) << "the client sent more than the keep-alive answers";
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

}  // namespace
