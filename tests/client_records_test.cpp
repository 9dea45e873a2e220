// The limits within which the simulator takes a program's records, as the
// stand-in judges them: each type's size rule from the catalogue, in both
// units of the size byte (with a word on a size byte that counts bytes
// where the session counts 4-byte units), and the limits of a button. And
// the sample records of every type the simulator sends.
#include "tools/simulator/client_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_text.h"
#include "tools/simulator/sample_records.h"

namespace {

using sim::Bytes;

struct LimitCase {
    std::string label;
    Bytes record;
    std::size_t unit;
    std::vector<std::string> broken;
};

class BrokenLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(BrokenLimits, NameTheSizeRuleOfTheRecordsType) {
    EXPECT_EQ(sim::broken_limits(GetParam().record, GetParam().unit), GetParam().broken);
}

// `length` bytes that start with `head`, the rest 0.
Bytes record(std::size_t length, Bytes head) {
    head.resize(length);
    return head;
}

const std::string kCountsBytes =
    ": its size byte counts bytes, where this protocol version counts 4-byte units";

// A button of 16 bytes, sized in bytes, with the text "123".
const Bytes kButton = {16, 45, 1, 255, 1, 0, 0, 0, 10, 10, 40, 8, '1', '2', '3', 0};

Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// A button whose text holds `text` (which may start with a caption).
Bytes button(const std::string& text, std::size_t length) {
    Bytes record(kButton.begin(), kButton.begin() + 12);
    record.insert(record.end(), text.begin(), text.end());
    record.resize(length);
    record[0] = static_cast<uint8_t>(length);
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    Records, BrokenLimits,
    ::testing::Values(
        LimitCase{"keep_alive", {4, 3, 0, 0}, 1, {}},
        LimitCase{"keep_alive_in_4_byte_units", {1, 3, 0, 0}, 4, {}},
        LimitCase{"tiny_of_8", record(8, {8, 3}), 1, {"Size 8 bytes, where IS_TINY has 4 bytes"}},
        LimitCase{"tiny_sized_in_bytes",
                  record(16, {4, 3}),
                  4,
                  {"Size 16 bytes, where IS_TINY has 4 bytes" + kCountsBytes}},
        LimitCase{"small_sized_in_bytes",
                  record(32, {8, 4, 0, 7}),
                  4,
                  {"Size 32 bytes, where IS_SMALL has 8 bytes" + kCountsBytes}},
        LimitCase{"introduction_of_11_words", record(44, {11, 1}), 4, {}},
        LimitCase{"introduction_of_44_bytes_in_4_byte_units", record(44, {44, 1}), 4, {}},
        LimitCase{"message_with_text", record(16, {16, 14}), 1, {}},
        LimitCase{"message_without_text",
                  record(8, {8, 14}),
                  1,
                  {"Size 8 bytes, where IS_MTC has 8 + a text of 4 to 128 bytes in steps of 4 (12 "
                   "to 136 bytes)"}},
        LimitCase{"report_whose_count_disagrees",
                  record(32, {32, 38, 0, 2}),
                  1,
                  {"Size 32 bytes, where IS_MCI has 4 + 28 x NumC (NumC up to 16)"}},
        LimitCase{"unknown_type", record(8, {8, 70}), 1, {}},
        LimitCase{"not_a_multiple_of_4", {6, 60, 0, 0, 1, 2}, 1, {"Size 6, not a multiple of 4"}},
        LimitCase{"size_0", {0, 3, 0, 0}, 1, {"Size 0, not a record size"}},
        // Regression: sized in bytes where sizes count 4-byte units, a
        // button of 16 bytes reads as one of 64 holding the next three,
        // which keeps every limit of a button.
        LimitCase{"button_sized_in_bytes_takes_in_the_next",
                  joined({kButton, kButton, kButton, kButton}),
                  4,
                  {"Size 64 bytes, with bytes other than 0 after the end of IS_BTN's Text (from "
                   "byte 16, where unused text bytes are 0): its size byte probably counts bytes, "
                   "where this protocol version counts 4-byte units"}},
        LimitCase{"text_with_bytes_after_its_end",
                  button(std::string("12\0x", 4), 16),
                  1,
                  {"Size 16 bytes, with bytes other than 0 after the end of IS_BTN's Text (from "
                   "byte 15, where unused text bytes are 0)"}},
        LimitCase{"introduction_with_bytes_after_its_name",
                  record(44, {44, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   0, 0,  0,
                              0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'a', 0, 'b'}),
                  1,
                  {"Size 44 bytes, with bytes other than 0 after the end of IS_ISI's IName (from "
                   "byte 30, where unused text bytes are 0)"}},
        LimitCase{"caption_and_text", button(std::string("\0ABC\0DEFG\0", 10), 24), 1, {}},
        LimitCase{"caption_then_bytes_after_the_text",
                  button(std::string("\0AB\0C\0x", 7), 20),
                  1,
                  {"Size 20 bytes, with bytes other than 0 after the end of IS_BTN's Text (from "
                   "byte 18, where unused text bytes are 0)"}},
        LimitCase{"text_of_240_bytes_without_a_0", button(std::string(240, 't'), 252), 1, {}},
        LimitCase{"button_keeps_its_own_limits",
                  record(8, {8, 45, 1}),
                  1,
                  {"Size 8, shorter than the 12-byte button header"}}),
    [](const auto& info) { return info.param.label; });

}  // namespace

namespace {

// The records insim_check shows a program: one of each type the simulator
// sends, in the order of their numbers, whole in the unit of each version
// (within its longest record), and none the simulator would not send.
TEST(SampleRecords, AreOneOfEveryTypeTheSimulatorSends) {
    std::vector<uint8_t> expected;
    for (const catalogue::Record& record : catalogue::records()) {
        if (record.direction != catalogue::Direction::kToSimulator) {
            expected.push_back(record.type);
        }
    }
    for (const int version : {6, 8, 9}) {
        SCOPED_TRACE("version " + std::to_string(version));
        const std::vector<Bytes> samples = sim::sample_records(version);
        std::vector<uint8_t> types;
        for (const Bytes& sample : samples) {
            types.push_back(sample[1]);
            EXPECT_EQ(records::misfit(sample, sim::size_unit(version)), std::nullopt)
                << sim::hex_of(sample);
            EXPECT_LE(sample.size(), sim::longest_record(version));
            EXPECT_TRUE(sim::broken_limits(sample, sim::size_unit(version)).empty());
        }
        EXPECT_EQ(types, expected);
        EXPECT_EQ(samples.front()[offsetof(insim::IS_VER, InSimVer)], version);
    }
}

}  // namespace
