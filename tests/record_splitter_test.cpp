// The record splitter that the tap, the stand-in, the replay and the test
// peer share: every stream gives the same records whole, in random pieces
// and one byte at a time; a size of 0 loses the framing for good; and the
// introduction decides whether sizes count bytes or 4-byte units.
#include "tools/protocol/record_splitter.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using sim::Bytes;

struct SplitCase {
    std::string label;
    std::size_t unit;
    Bytes stream;
    std::vector<Bytes> records;  // what comes out, in order
    std::size_t held;            // bytes left that are no whole record
    bool lost;
};

// Feeds `stream` in pieces of the sizes `piece` draws, taking every record
// as soon as it is whole.
std::vector<Bytes> split(framing::RecordSplitter& splitter, const Bytes& stream,
                         const std::function<std::size_t()>& piece) {
    std::vector<Bytes> records;
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t size = std::min(piece(), stream.size() - at);
        splitter.feed(stream.data() + at, size);
        at += size;
        while (const auto record = splitter.next()) {
            records.emplace_back(record->begin(), record->end());
        }
    }
    return records;
}

class Splitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Splitting, GivesTheSameRecordsWholeInPiecesAndByteByByte) {
    const SplitCase& c = GetParam();
    std::mt19937 rng(7);
    const std::vector<std::function<std::size_t()>> feeds = {
        [&] { return c.stream.size(); }, [&] { return 1 + rng() % 9; }, [] { return 1; }};
    for (std::size_t feed = 0; feed < feeds.size(); ++feed) {
        framing::RecordSplitter splitter(c.unit);
        EXPECT_EQ(split(splitter, c.stream, feeds[feed]), c.records) << "feed " << feed;
        EXPECT_EQ(splitter.held().size(), c.held) << "feed " << feed;
        EXPECT_EQ(splitter.lost(), c.lost) << "feed " << feed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, Splitting,
    ::testing::Values(
        SplitCase{"records", 1, {4, 3, 0, 0, 1, 2, 9, 5}, {{4, 3, 0, 0}, {1}, {2, 9}}, 1, false},
        SplitCase{"largest", 1, Bytes(255, 255), {Bytes(255, 255)}, 0, false},
        SplitCase{"partial_at_end", 1, {4, 3, 0, 0, 8, 1, 2}, {{4, 3, 0, 0}}, 3, false},
        SplitCase{"size_zero_loses_the_rest", 1, {2, 1, 0, 4, 3, 0, 0, 2, 1}, {{2, 1}}, 7, true},
        SplitCase{"size_zero_first", 1, {0, 1, 2}, {}, 3, true},
        SplitCase{"word_units",
                  4,
                  {1, 3, 0, 0, 2, 1, 2, 3, 4, 5, 6, 7, 1, 9},
                  {{1, 3, 0, 0}, {2, 1, 2, 3, 4, 5, 6, 7}},
                  2,
                  false},
        SplitCase{"largest_in_words", 4, Bytes(1020, 255), {Bytes(1020, 255)}, 0, false}),
    [](const auto& info) { return info.param.label; });

TEST(UndecidedUnit, HoldsEverythingUntilTheUnitIsSet) {
    framing::RecordSplitter splitter(framing::kUndecided);
    splitter.feed(Bytes{4, 3, 0, 0, 4, 3});
    EXPECT_FALSE(splitter.next());
    EXPECT_EQ(splitter.held().size(), 6u);
    splitter.set_unit(framing::kByteUnits);
    ASSERT_TRUE(splitter.next());
    EXPECT_FALSE(splitter.next());
    EXPECT_EQ(splitter.held().size(), 2u);
}

// An introduction: size byte, type 1, and the declared protocol at byte 8.
Bytes introduction(uint8_t size, uint8_t protocol) {
    Bytes isi(44);
    isi[0] = size;
    isi[1] = 1;
    isi[8] = protocol;
    return isi;
}

TEST(SessionUnit, TheIntroductionSaysBytesOrWords) {
    const struct {
        Bytes first;
        std::optional<std::size_t> unit;
    } cases[] = {
        {introduction(44, 8), framing::kByteUnits},
        {introduction(44, 0), framing::kByteUnits},
        {introduction(11, 9), framing::kWordUnits},
        {introduction(11, 255), framing::kWordUnits},
        {introduction(44, 9), framing::kByteUnits},  // sized in bytes whatever it declares
        {introduction(11, 8), framing::kByteUnits},
        {Bytes{11, 1, 0, 0, 0, 0, 0, 0}, std::nullopt},           // too short to tell
        {Bytes{4, 3, 0, 0, 4, 3, 0, 0, 9}, framing::kByteUnits},  // not an introduction
    };
    for (const auto& c : cases) {
        EXPECT_EQ(framing::unit_of_session(c.first), c.unit)
            << "size " << int(c.first[0]) << ", protocol "
            << (c.first.size() > 8 ? int(c.first[8]) : -1);
    }
}

}  // namespace
