// Sending records: the size rules of buttons and chat texts, refusals, and
// whole records under the send lock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "tests/support/connection_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

insim::IS_MTC chat_with_text(std::size_t length) {
    insim::IS_MTC chat{};
    chat.Size = 99;
    chat.Type = insim::ISP_MTC;
    chat.UCID = 255;
    // A longer text cannot be held by the record: it fills the field.
    std::memset(chat.Text, 'c', std::min(length, sizeof chat.Text));
    return chat;
}

struct SizeCase {
    std::size_t length;
    int button_size;  // -1: refused
    int chat_size;    // -1: refused
};

// Text lengths and the Size each record travels with.
const SizeCase kSizes[] = {
    {0, 12, 12},
    {1, 16, 12},
    {3, 16, 12},
    {4, 16, 16},
    {5, 20, 16},
    {7, 20, 16},
    {8, 20, 20},
    {12, 24, 24},
    {13, 28, 24},
    {127, 140, 136},
    {128, 140, -1},  // a chat text that fills its field
                     // has no room for its terminator
    {237, 252, -1},
    {240, 252, -1},
};

// Each text length at the version the connection declared: from version 9
// Size counts 4-byte units, and the record travels as long as before.
class WritePacket : public ConnectedTest,
                    public ::testing::WithParamInterface<std::tuple<SizeCase, uint8_t>> {
  protected:
    uint8_t insim_version() const override { return std::get<1>(GetParam()); }
    const SizeCase& lengths() const { return std::get<0>(GetParam()); }
};

// Reads the next record, its size byte counting `unit` bytes, and checks it
// is the first `size` bytes of `sent`.
template <typename Record>
void expect_received(sim::SimPeer& peer, const Record& sent, int size, std::size_t unit = 1) {
    auto got = read_record_in(peer, unit);
    ASSERT_TRUE(got);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&sent);
    EXPECT_EQ(*got, Bytes(bytes, bytes + size));
}

TEST_P(WritePacket, ButtonSizeFollowsItsText) {
    auto button = button_with_text(lengths().length);
    ASSERT_EQ(on_connection([&](auto& connection) { return connection.write_packet(&button); }), 0);
    EXPECT_EQ(static_cast<int>(button.Size * unit()), lengths().button_size);
    expect_received(peer, button, lengths().button_size, unit());
}

TEST_P(WritePacket, ChatSizeFollowsItsTextOrIsRefused) {
    auto chat = chat_with_text(lengths().length);
    const int expected = lengths().chat_size;
    auto write = [&](auto* record) {
        return on_connection([&](auto& connection) { return connection.write_packet(record); });
    };
    ASSERT_EQ(write(&chat), expected < 0 ? -1 : 0);
    if (expected < 0) {
        EXPECT_EQ(chat.Size, 99) << "a refused record keeps its Size";
        // Nothing was sent, and the lock was released: the next record is
        // the first thing the peer sees.
        insim::IS_TINY next{static_cast<uint8_t>(4 / unit()), insim::ISP_TINY, 0, 1};
        auto sent = std::async(std::launch::async, [&] { return write(&next); });
        ASSERT_EQ(get_bounded(sent, peer), 0);
        expect_received(peer, next, 4, unit());
    } else {
        EXPECT_EQ(static_cast<int>(chat.Size * unit()), expected);
        expect_received(peer, chat, expected, unit());
    }
}

INSTANTIATE_TEST_SUITE_P(TextLengths, WritePacket,
                         ::testing::Combine(::testing::ValuesIn(kSizes),
                                            ::testing::Values(uint8_t{0}, uint8_t{9})),
                         [](const auto& info) {
                             const uint8_t version = std::get<1>(info.param);
                             return std::to_string(std::get<0>(info.param).length) +
                                    (version == 0 ? "" : "_v" + std::to_string(version));
                         });

class WriteFixedRecord : public ConnectedTest, public ::testing::WithParamInterface<uint8_t> {
  protected:
    uint8_t insim_version() const override { return GetParam(); }
};

TEST_P(WriteFixedRecord, OtherRecordsTravelAsTheirSizeSaysAndStayUntouched) {
    insim::IS_TINY tiny{static_cast<uint8_t>(4 / unit()), insim::ISP_TINY, 5, 1};
    insim::IS_ISI isi{};
    isi.Size = static_cast<uint8_t>(44 / unit());
    isi.Type = insim::ISP_ISI;
    std::memcpy(isi.IName, "other", 5);
    const auto tiny_before = tiny;
    const auto isi_before = isi;
    on_connection([&](auto& connection) {
        ASSERT_EQ(connection.write_packet(&tiny), 0);
        ASSERT_EQ(connection.write_packet(&isi), 0);
    });
    EXPECT_EQ(std::memcmp(&tiny, &tiny_before, sizeof tiny), 0);
    EXPECT_EQ(std::memcmp(&isi, &isi_before, sizeof isi), 0);
    expect_received(peer, tiny, 4, unit());
    expect_received(peer, isi, 44, unit());
}

INSTANTIATE_TEST_SUITE_P(Versions, WriteFixedRecord, ::testing::Values(uint8_t{0}, uint8_t{9}),
                         [](const auto& info) { return "v" + std::to_string(info.param); });

}  // namespace
