// Records to one line of words and back: every record type, filled with
// random values, reads back into the same bytes in both units of the size
// byte; a table of lines as they are written; what a person is shown of a
// record that does not fit; the lines that give no record, with what is
// wrong; and how two records differ.
#include "tools/protocol/record_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tools/protocol/catalogue.h"

namespace {

using catalogue::Record;
using catalogue::SizeRule;
using sim::Bytes;

constexpr std::size_t kLongestInBytes = 252;
constexpr std::size_t kLongestInWords = 1020;

// A record of type `record` that fits it, its size byte in `unit`, its
// fields random, a quarter of its bytes 0 so that texts end early and hold
// zeros.
Bytes random_record(const Record& record, std::size_t unit, std::mt19937& rng) {
    const std::size_t longest = unit == 1 ? kLongestInBytes : kLongestInWords;
    std::size_t count = 0;
    std::size_t length = record.fixed;
    if (record.rule == SizeRule::kText) {
        const std::size_t steps = (record.most - record.least) / 4;
        length += record.least + 4 * std::uniform_int_distribution<std::size_t>(0, steps)(rng);
    } else if (record.rule == SizeRule::kArray) {
        std::size_t most = record.most;
        while (catalogue::length_with(record, most) > longest) {
            --most;
        }
        count = std::uniform_int_distribution<std::size_t>(0, most)(rng);
        length = catalogue::length_with(record, count);
    }
    Bytes bytes(length);
    std::uniform_int_distribution<int> byte(0, 255);
    for (uint8_t& b : bytes) {
        b = byte(rng) % 4 == 0 ? 0 : static_cast<uint8_t>(byte(rng));
    }
    if (record.rule == SizeRule::kArray) {
        bytes[record.count_at] = static_cast<uint8_t>(count);
        const std::size_t used = record.fixed + count * catalogue::element_size(record);
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end(), 0);
    }
    bytes[1] = record.type;
    bytes[0] = static_cast<uint8_t>(length / unit);
    if (record.type == 1 && byte(rng) % 2 == 0) {
        bytes[0] = 44;  // an introduction sized in bytes whatever the unit
    }
    return bytes;
}

class EveryRecordType : public ::testing::TestWithParam<uint8_t> {};

TEST_P(EveryRecordType, ReadsBackExactlyFromItsLineWithRandomValues) {
    const Record& record = *catalogue::find(GetParam());
    std::mt19937 rng(GetParam());
    for (const std::size_t unit : {1, 4}) {
        for (int i = 0; i < 100; ++i) {
            const Bytes bytes = random_record(record, unit, rng);
            ASSERT_EQ(records::misfit(bytes, unit), std::nullopt) << sim::hex_of(bytes);
            const std::string line = records::line_of(bytes, unit);
            ASSERT_EQ(
                line.rfind(std::string(record.name) + (line.size() > record.name.size() ? " " : ""),
                           0),
                0u)
                << line;
            std::string error;
            const auto back = records::record_of(line, unit, error);
            ASSERT_TRUE(back) << line << "\n" << error;
            ASSERT_EQ(sim::hex_of(*back), sim::hex_of(bytes)) << line << " in unit " << unit;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryRecordType, ::testing::ValuesIn([] {
                             std::vector<uint8_t> types;
                             for (const Record& record : catalogue::records()) {
                                 types.push_back(record.type);
                             }
                             return types;
                         }()),
                         [](const auto& info) {
                             return std::string(catalogue::find(info.param)->name);
                         });

// A report of version 9 with 16 cars, numbered 1 to 16 at (i, -i) m.
Bytes sixteen_cars() {
    std::vector<sim::CarPosition> cars;
    for (int32_t i = 1; i <= 16; ++i) {
        cars.push_back({i * 65536, -i * 65536});
    }
    return sim::interval_reports(cars, 9).front();
}

std::string sixteen_cars_line() {
    std::string line = "IS_MCI NumC=16 Info=[";
    for (int i = 1; i <= 16; ++i) {
        line += std::string(i == 1 ? "" : " ") + "{PLID=" + std::to_string(i) +
                " Position=" + std::to_string(i) +
                (i == 1    ? " Info=CCI_FIRST"
                 : i == 16 ? " Info=CCI_LAST"
                           : "") +
                " X=" + std::to_string(i * 65536) + " Y=" + std::to_string(-i * 65536) + "}";
    }
    return line + "]";
}

struct Golden {
    std::string label;
    Bytes record;
    std::size_t unit;
    std::string line;
};

class GoldenLines : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenLines, AreWrittenSoAndReadBack) {
    const Golden& g = GetParam();
    EXPECT_EQ(records::line_of(g.record, g.unit), g.line);
    std::string error;
    const auto back = records::record_of(g.line, g.unit, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(sim::hex_of(*back), sim::hex_of(g.record));
}

Bytes with_text(Bytes head, const std::string& text, std::size_t length) {
    head.insert(head.end(), text.begin(), text.end());
    head.resize(length);
    return head;
}

Bytes introduction(uint8_t size) {
    insim::IS_ISI isi = sim::introduction("Sample", insim::ISF_MCI | 0x8000, 1000, 9);
    isi.Size = size;
    isi.Prefix = '!';
    return sim::bytes_of(isi);
}

INSTANTIATE_TEST_SUITE_P(
    Records, GoldenLines,
    ::testing::Values(
        Golden{"button_with_text",
               with_text({20, 45, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10}, "Chicane", 20), 1,
               "IS_BTN ReqI=1 ClickID=237 BStyle=ISB_DARK L=1 T=70 W=60 H=10 Text=\"Chicane\""},
        Golden{"sixteen_cars_of_version_9", sixteen_cars(), 4, sixteen_cars_line()},
        Golden{"keep_alive", {4, 3, 0, 0}, 1, "IS_TINY SubT=TINY_NONE"},
        Golden{"unknown_type",
               {8, 70, 0, 0, 1, 2, 3, 4},
               1,
               "0846000001020304  # type 70 is not a record type of the protocol"},
        Golden{"too_short_for_its_type",
               {4, 4, 1, 7},
               1,
               "04040107  # IS_SMALL has 8 bytes, this one 4"},
        Golden{"introduction_sized_in_bytes_in_4_byte_units", introduction(44), 4,
               "IS_ISI Size=44 ReqI=1 Flags=ISF_MCI|0x8000 InSimVer=9 Prefix='!' Interval=1000 "
               "IName=\"Sample\""},
        Golden{"introduction_in_4_byte_units", introduction(11), 4,
               "IS_ISI ReqI=1 Flags=ISF_MCI|0x8000 InSimVer=9 Prefix='!' Interval=1000 "
               "IName=\"Sample\""},
        Golden{"text_with_quotes_and_bytes_past_ASCII",
               with_text({16, 11, 0, 0, 2, 0, 1, 4}, "a \"b\\\xff", 16), 1,
               "IS_MSO UCID=2 UserType=MSO_USER TextStart=4 Msg=\"a \\\"b\\\\\\xff\""},
        Golden{"text_padded_past_its_first_multiple_of_4",
               with_text({6, 45, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}, "ab", 24), 4,
               "IS_BTN Size=6 ReqI=1 ClickID=1 Text=\"ab\""},
        Golden{"text_with_a_zero_inside",
               with_text({12, 14, 0, 1, 255, 0, 0, 0}, std::string("a\0b", 3), 12), 1,
               "IS_MTC Sound=SND_MESSAGE UCID=255 Text=\"a\\x00b\""},
        Golden{"a_float_and_a_text",
               {28, 5, 0, 0, 0, 0, 0xc0, 0x3f, 1,   0,   2, 0, 0, 0,
                0,  0, 0, 0, 0, 0, 'F',  'E',  '2', 'R', 0, 0, 0, 0},
               1,
               "IS_STA ReplaySpeed=1.5 Flags=ISS_GAME InGameCam=VIEW_CAM Track=\"FE2R\""},
        Golden{"a_NaN_keeps_its_bits",
               {28, 5, 0, 0, 1, 0, 0xc0, 0x7f, 0, 0, 0, 0, 0, 0,
                0,  0, 0, 0, 0, 0, 0,    0,    0, 0, 0, 0, 0, 0},
               1,
               "IS_STA ReplaySpeed=0x7fc00001 InGameCam=VIEW_FOLLOW"},
        Golden{"structures_and_signed_values",
               {16, 52, 0, 5, 1, 0, 0x10, 0, 0, 0, 0, 0, 0xf0, 0xff, 0x20, 0},
               1,
               "IS_HLV PLID=5 HLVC=1 Time=16 C={X=-16 Y=32}"},
        Golden{"array_of_fixed_length_ends_at_its_last_element_not_0",
               with_text({44, 36, 0, 3}, "\x03\x01\x02", 44), 1, "IS_REO NumP=3 PLID=[3 1 2]"},
        Golden{"array_without_elements", {4, 38, 0, 0}, 1, "IS_MCI"},
        Golden{"tyres_whose_0_has_a_name",
               with_text({24, 26, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0}, "", 24), 1,
               "IS_PIT PLID=1 Penalty=PENALTY_NONE Tyres=[TYRE_NOT_CHANGED TYRE_NOT_CHANGED "
               "TYRE_R1 TYRE_R1]"}),
    [](const auto& info) { return info.param.label; });

struct Shown {
    std::string label;
    Bytes record;
    std::string text;
};

class ShownToAPerson : public ::testing::TestWithParam<Shown> {};

TEST_P(ShownToAPerson, CutsLongTextsAndReadsWhatDoesNotFit) {
    EXPECT_EQ(records::shown(GetParam().record), GetParam().text);
}

Bytes long_button() {
    Bytes button =
        with_text({253, 45, 1, 0, 237, 0, 0, 0, 1, 70, 60, 10}, std::string(241, 't'), 253);
    return button;
}

INSTANTIATE_TEST_SUITE_P(
    Records, ShownToAPerson,
    ::testing::Values(
        Shown{"fits", with_text({20, 45, 1, 0, 237, 0, 0, 0, 1, 70, 60, 10}, "Chicane", 20),
              "IS_BTN ReqI=1 ClickID=237 L=1 T=70 W=60 H=10 Text=\"Chicane\""},
        Shown{"long_text_cut_with_its_length",
              with_text({14, 45, 1, 0, 237, 0, 0, 0, 1, 70, 60, 10}, std::string(41, 'u'), 56),
              "IS_BTN ReqI=1 ClickID=237 L=1 T=70 W=60 H=10 Text=\"" + std::string(40, 'u') +
                  "\"...(41 bytes)"},
        Shown{"a_button_too_long_read_as_far_as_it_goes", long_button(),
              "IS_BTN Size=253 ReqI=1 ClickID=237 L=1 T=70 W=60 H=10 Text=\"" +
                  std::string(40, 't') +
                  "\"...(241 bytes)  # IS_BTN has 12 + a text of 0 to 240 bytes in steps of 4 "
                  "(12 to 252 bytes), this one 253"},
        Shown{"unknown_and_long_cut_hex", Bytes(64, 0x46),
              sim::hex_of(Bytes(24, 0x46)) +
                  "...(64 bytes)  # type 70 is not a record type of the protocol"},
        Shown{"too_short_for_any_record", {2, 3}, "0203  # 2 bytes, shorter than any record (4)"},
        Shown{"in_4_byte_units_told_by_its_size_byte", sixteen_cars(), sixteen_cars_line()}),
    [](const auto& info) { return info.param.label; });

struct Unreadable {
    std::string label;
    std::string line;
    std::size_t unit;
    std::string error;
};

class LinesThatGiveNoRecord : public ::testing::TestWithParam<Unreadable> {};

TEST_P(LinesThatGiveNoRecord, SayWhatIsWrong) {
    std::string error;
    EXPECT_EQ(records::record_of(GetParam().line, GetParam().unit, error), std::nullopt);
    EXPECT_EQ(error, GetParam().error);
}

std::string cars(int count) {
    std::string line = "IS_MCI Info=[";
    for (int i = 0; i < count; ++i) {
        line += "{} ";
    }
    return line + "]";
}

INSTANTIATE_TEST_SUITE_P(
    Records, LinesThatGiveNoRecord,
    ::testing::Values(
        Unreadable{"unknown_record", "IS_FOO ReqI=1", 1, "no record type is called 'IS_FOO'"},
        Unreadable{"unknown_field", "IS_BTN Foo=1", 1, "IS_BTN has no field 'Foo'"},
        Unreadable{"value_too_large", "IS_BTN ClickID=256", 1,
                   "ClickID takes a number from 0 to 255, not '256'"},
        Unreadable{"negative_unsigned", "IS_BTN L=-1", 1,
                   "L takes a number from 0 to 255, not '-1'"},
        Unreadable{"signed_out_of_range", "IS_HLV C={X=-32769}", 1,
                   "X takes a number from -32768 to 32767, not '-32769'"},
        Unreadable{"unknown_name", "IS_TINY SubT=TINY_NOPE", 1,
                   "SubT takes a name of TINY_ sub-types (IS_TINY.SubT) or a number from 0 to "
                   "255, not 'TINY_NOPE'"},
        Unreadable{"two_values_for_one", "IS_TINY SubT=TINY_NONE|TINY_VER", 1,
                   "SubT takes one value, not 'TINY_NONE|TINY_VER'"},
        Unreadable{"given_twice", "IS_BTN ReqI=1 ReqI=2", 1, "ReqI is given twice"},
        Unreadable{"no_closing_quote", "IS_BTN Text=\"abc", 1, "Text's text has no closing quote"},
        Unreadable{"bad_escape", "IS_BTN Text=\"a\\n\"", 1,
                   "Text's text has an escape other than \\\", \\\\ and \\xHH"},
        Unreadable{"text_too_long", "IS_ISI IName=\"seventeen chars!!\"", 1,
                   "IName holds 16 bytes, the text has 17"},
        Unreadable{"variable_text_too_long", "IS_III Msg=\"" + std::string(65, 'm') + "\"", 1,
                   "Msg holds at most 64 bytes, the text has 65"},
        Unreadable{"no_space_between", "IS_BTN Text=\"a\"L=1", 1,
                   "expected a space after Text's value, got 'L=1'"},
        Unreadable{"count_disagrees", "IS_MCI NumC=2 Info=[{}]", 1, "NumC 2, but Info holds 1"},
        Unreadable{"too_many_cars", cars(17), 4, "IS_MCI with NumC 17: NumC goes up to 16"},
        Unreadable{"too_long_for_bytes", cars(9), 1,
                   "256 bytes are more than a size byte counting 1-byte units can say"},
        Unreadable{"size_too_small", "IS_BTN Size=2 Text=\"abcdef\"", 1,
                   "Size 2 makes 2 bytes, fewer than the fields need (18)"},
        Unreadable{"size_against_the_rule", "IS_TINY Size=2", 4, "IS_TINY has 4 bytes, this one 8"},
        Unreadable{"not_name_equals_value", "IS_BTN ReqI", 1,
                   "expected Name=value, got the end of the line"},
        Unreadable{"structure_without_braces", "IS_HLV C=5", 1,
                   "C takes {Name=value ...}, got '5'"},
        Unreadable{"unknown_field_in_structure", "IS_HLV C={Q=1}", 1, "no field 'Q' here"},
        Unreadable{"bad_hex_digit", "04030g00", 1, "bad hex digit 'g'"},
        Unreadable{"size_byte_of_hex", "0503000000", 4,
                   "the size byte says 20 bytes, the line holds 5"},
        Unreadable{"text_after_hex", "04030000 IS_TINY", 1,
                   "unexpected 'IS_TINY' after the record's hex; a comment starts with #"},
        Unreadable{"empty", "", 1, "expected a record's name or its hex, got the end of the line"}),
    [](const auto& info) { return info.param.label; });

struct Difference {
    std::string label;
    Bytes expected;
    Bytes came;
    std::string says;
};

class Differences : public ::testing::TestWithParam<Difference> {};

TEST_P(Differences, NameTheRecordAndTheFields) {
    EXPECT_EQ(records::difference(GetParam().expected, GetParam().came, 1), GetParam().says);
}

Bytes button(const std::string& text, uint8_t width = 60) {
    const std::size_t length = 12 + (text.size() + 3) / 4 * 4;
    return with_text({static_cast<uint8_t>(length), 45, 1, 0, 237, 0, 32, 0, 1, 70, width, 10},
                     text, length);
}

INSTANTIATE_TEST_SUITE_P(
    Records, Differences,
    ::testing::Values(
        Difference{"another_type",
                   {4, 3, 0, 0},
                   button("250,0"),
                   "IS_TINY SubT=TINY_NONE, came IS_BTN ReqI=1 ClickID=237 BStyle=ISB_DARK L=1 "
                   "T=70 W=60 H=10 Text=\"250,0\""},
        Difference{"one_field", button("Chicane"), button("Chicano"),
                   "IS_BTN with Text=\"Chicane\", came Text=\"Chicano\""},
        Difference{"two_fields", button("Chicane"), button("Sector 2", 50),
                   "IS_BTN with W=60 Text=\"Chicane\", came W=50 Text=\"Sector 2\""},
        Difference{"a_car", sim::car_report({{65536, 0}}), sim::car_report({{2 * 65536, 0}}),
                   "IS_MCI with Info[0].X=65536, came Info[0].X=131072"},
        Difference{"many_fields", with_text({20, 24}, "", 20),
                   Bytes{20, 24, 1, 2, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 6, 0, 7, 8, 9, 10},
                   "IS_LAP with ReqI=0 PLID=0 LTime=0 ETime=0 LapsDone=0 Flags=0, came ReqI=1 "
                   "PLID=2 LTime=3 ETime=4 LapsDone=5 Flags=PIF_RESERVED_2|PIF_RESERVED_4 (and 4 "
                   "more fields that differ)"},
        Difference{"one_that_does_not_fit",
                   {4, 3, 0, 0},
                   {6, 3, 0, 0, 0, 0},
                   "IS_TINY SubT=TINY_NONE, came IS_TINY Size=6 SubT=TINY_NONE  # IS_TINY has 4 "
                   "bytes, this one 6"}),
    [](const auto& info) { return info.param.label; });

}  // namespace
