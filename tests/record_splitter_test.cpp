// The record splitter that the tap, the stand-in, the replay and the test
// peer share: every stream gives the same records whole, in random pieces
// and one byte at a time; a size of 0 loses the framing for good; and the
// version a program's introduction declares decides whether sizes count
// bytes or 4-byte units.
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

// A program's side: the introduction is 44 bytes whichever unit its size
// byte counts in, and the version it declares, as a simulator of the given
// version serves it, decides the unit of what follows.
TEST(ProgramSide, TheIntroductionsVersionDecidesTheUnit) {
    const Bytes keepalive_in_bytes{4, 3, 0, 0};
    const Bytes keepalive_in_words{1, 3, 0, 0};
    const struct {
        Bytes first;
        int simulator_version;
        std::size_t unit;
        std::optional<int> version;
    } cases[] = {
        {introduction(44, 8), 9, framing::kByteUnits, 8},
        {introduction(44, 0), 9, framing::kByteUnits, 6},  // 0 is served as 6
        {introduction(11, 9), 9, framing::kWordUnits, 9},
        {introduction(44, 9), 9, framing::kWordUnits, 9},  // sized in bytes, declares 9
        {introduction(11, 255), 9, framing::kWordUnits, 9},
        {introduction(11, 8), 9, framing::kByteUnits, 8},
        {introduction(11, 9), 8, framing::kByteUnits, 8},  // an older simulator serves its own
        {Bytes{4, 3, 0, 0, 4, 3, 0, 0, 9}, 9, framing::kByteUnits,
         std::nullopt},  // no introduction
    };
    for (const auto& c : cases) {
        const std::string label = "size " + std::to_string(c.first[0]) + ", protocol " +
                                  std::to_string(c.first[8]) + ", simulator " +
                                  std::to_string(c.simulator_version);
        const Bytes& keepalive =
            c.unit == framing::kWordUnits ? keepalive_in_words : keepalive_in_bytes;
        const Bytes stream = sim::concat({c.first, keepalive});
        framing::RecordSplitter splitter = framing::RecordSplitter::of_program(c.simulator_version);
        const auto records = split(splitter, stream, [] { return 1; });
        EXPECT_EQ(splitter.unit(), c.unit) << label;
        EXPECT_EQ(splitter.version(), c.version) << label;
        ASSERT_FALSE(records.empty()) << label;
        EXPECT_EQ(records.back(), keepalive) << label;
    }
}

TEST(ProgramSide, HoldsTheUnitUndecidedUntilTheVersionByteIsIn) {
    framing::RecordSplitter splitter = framing::RecordSplitter::of_program();
    splitter.feed(Bytes{11, 1, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(splitter.next());
    EXPECT_EQ(splitter.unit(), framing::kUndecided);
    splitter.feed(Bytes{0});  // byte 8: declares version 0
    EXPECT_FALSE(splitter.next());
    EXPECT_EQ(splitter.unit(), framing::kByteUnits);  // declares 0, served as 6
    EXPECT_FALSE(splitter.lost());
}

TEST(Versions, ServedVersionsAndWhatTheyDecide) {
    const struct {
        int declared;
        int simulator;
        int served;
        std::size_t unit;
        std::size_t cars;
        std::size_t longest;
    } cases[] = {
        {0, 9, 6, 1, 8, 252},   {1, 9, 1, 1, 8, 252},     {8, 9, 8, 1, 8, 252},
        {9, 9, 9, 4, 16, 1020}, {200, 9, 9, 4, 16, 1020}, {9, 8, 8, 1, 8, 252},
        {0, 5, 5, 1, 8, 252},
    };
    for (const auto& c : cases) {
        const int served = sim::served_version(c.declared, c.simulator);
        EXPECT_EQ(served, c.served) << c.declared << " to " << c.simulator;
        EXPECT_EQ(sim::size_unit(served), c.unit) << served;
        EXPECT_EQ(sim::cars_per_report(served), c.cars) << served;
        EXPECT_EQ(sim::longest_record(served), c.longest) << served;
    }
}

}  // namespace
