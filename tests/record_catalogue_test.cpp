// The catalogue holds the protocol's facts: every record type of the sheet
// with its number, name, direction and size, the offsets of a good sample of
// fields as written there, and for every record and structure the rules
// that keep a layout whole (fields in order, no gap and no overlap, sizes
// in multiples of 4). The records the library declares agree with it.
#include <gtest/gtest.h>

#include <bit>
#include <cstddef>
#include <set>
#include <string>

#include "insim/records.h"
#include "tools/protocol/catalogue.h"

namespace {

using catalogue::Direction;
using catalogue::Field;
using catalogue::Kind;
using catalogue::Record;
using catalogue::SizeRule;

constexpr Direction kP = Direction::kToSimulator;
constexpr Direction kS = Direction::kToProgram;
constexpr Direction kB = Direction::kBoth;

struct SheetRecord {
    int type;
    const char* name;
    Direction direction;
    const char* size;  // as size_rule says it
};

// Every record of the sheet's list of types (2.1) and its layouts (3).
const SheetRecord kSheet[] = {
    {1, "IS_ISI", kP, "44 bytes"},
    {2, "IS_VER", kS, "20 bytes"},
    {3, "IS_TINY", kB, "4 bytes"},
    {4, "IS_SMALL", kB, "8 bytes"},
    {5, "IS_STA", kS, "28 bytes"},
    {6, "IS_SCH", kP, "8 bytes"},
    {7, "IS_SFP", kP, "8 bytes"},
    {8, "IS_SCC", kP, "8 bytes"},
    {9, "IS_CPP", kB, "32 bytes"},
    {10, "IS_ISM", kS, "40 bytes"},
    {11, "IS_MSO", kS, "8 + a text of 4 to 128 bytes in steps of 4 (12 to 136 bytes)"},
    {12, "IS_III", kS, "8 + a text of 4 to 64 bytes in steps of 4 (12 to 72 bytes)"},
    {13, "IS_MST", kP, "68 bytes"},
    {14, "IS_MTC", kP, "8 + a text of 4 to 128 bytes in steps of 4 (12 to 136 bytes)"},
    {15, "IS_MOD", kP, "20 bytes"},
    {16, "IS_VTN", kS, "8 bytes"},
    {17, "IS_RST", kS, "28 bytes"},
    {18, "IS_NCN", kS, "56 bytes"},
    {19, "IS_CNL", kS, "8 bytes"},
    {20, "IS_CPR", kS, "36 bytes"},
    {21, "IS_NPL", kS, "76 bytes"},
    {22, "IS_PLP", kS, "4 bytes"},
    {23, "IS_PLL", kS, "4 bytes"},
    {24, "IS_LAP", kS, "20 bytes"},
    {25, "IS_SPX", kS, "16 bytes"},
    {26, "IS_PIT", kS, "24 bytes"},
    {27, "IS_PSF", kS, "12 bytes"},
    {28, "IS_PLA", kS, "8 bytes"},
    {29, "IS_CCH", kS, "8 bytes"},
    {30, "IS_PEN", kS, "8 bytes"},
    {31, "IS_TOC", kS, "8 bytes"},
    {32, "IS_FLG", kS, "8 bytes"},
    {33, "IS_PFL", kS, "8 bytes"},
    {34, "IS_FIN", kS, "20 bytes"},
    {35, "IS_RES", kS, "84 bytes"},
    {36, "IS_REO", kB, "44 bytes"},
    {37, "IS_NLP", kS, "4 + 6 x NumP, rounded up to a multiple of 4 (NumP up to 40)"},
    {38, "IS_MCI", kS, "4 + 28 x NumC (NumC up to 16)"},
    {39, "IS_MSX", kP, "100 bytes"},
    {40, "IS_MSL", kP, "132 bytes"},
    {41, "IS_CRS", kS, "4 bytes"},
    {42, "IS_BFN", kB, "8 bytes"},
    {43, "IS_AXI", kS, "40 bytes"},
    {44, "IS_AXO", kS, "4 bytes"},
    {45, "IS_BTN", kP, "12 + a text of 0 to 240 bytes in steps of 4 (12 to 252 bytes)"},
    {46, "IS_BTC", kS, "8 bytes"},
    {47, "IS_BTT", kS, "104 bytes"},
    {48, "IS_RIP", kB, "80 bytes"},
    {49, "IS_SSH", kB, "40 bytes"},
    {50, "IS_CON", kS, "40 bytes"},
    {51, "IS_OBH", kS, "24 bytes"},
    {52, "IS_HLV", kS, "16 bytes"},
    {53, "IS_PLC", kP, "12 bytes"},
    {54, "IS_AXM", kB, "8 + 8 x NumO (NumO up to 60)"},
    {55, "IS_ACR", kS, "8 + a text of 4 to 64 bytes in steps of 4 (12 to 72 bytes)"},
    {56, "IS_HCP", kP, "68 bytes"},
    {57, "IS_NCI", kS, "16 bytes"},
    {58, "IS_JRR", kP, "16 bytes"},
    {59, "IS_UCO", kS, "28 bytes"},
    {60, "IS_OCO", kP, "8 bytes"},
    {61, "IS_TTC", kP, "8 bytes"},
    {62, "IS_SLC", kS, "8 bytes"},
    {63, "IS_CSC", kS, "20 bytes"},
    {64, "IS_CIM", kS, "8 bytes"},
    {65, "IS_MAL", kB, "8 + 4 x NumM (NumM up to 120)"},
    {66, "IS_PLH", kB, "4 + 4 x NumP (NumP up to 48)"},
    {67, "IS_IPB", kB, "8 + 4 x NumB (NumB up to 120)"},
};

TEST(Catalogue, HoldsEveryRecordOfTheSheetWithItsNumberDirectionAndSize) {
    ASSERT_EQ(catalogue::records().size(), std::size(kSheet));
    for (const SheetRecord& sheet : kSheet) {
        const Record* record = catalogue::find(static_cast<uint8_t>(sheet.type));
        ASSERT_NE(record, nullptr) << sheet.name;
        EXPECT_EQ(record->name, sheet.name);
        EXPECT_EQ(catalogue::find(sheet.name), record);
        EXPECT_EQ(record->direction, sheet.direction) << sheet.name;
        EXPECT_EQ(catalogue::size_rule(*record), sheet.size) << sheet.name;
    }
    EXPECT_EQ(catalogue::find(uint8_t{0}), nullptr) << "ISP_NONE is no record";
    EXPECT_EQ(catalogue::find(uint8_t{68}), nullptr);
    EXPECT_EQ(catalogue::find("IS_NONE"), nullptr);
}

// The field named by `path` ("A.X": field X of structure field A) and its
// offset from the start of the record.
std::pair<const Field*, std::size_t> field_at(const Record& record, const std::string& path) {
    std::span<const Field> fields = record.fields;
    std::size_t base = 0;
    std::string rest = path;
    for (;;) {
        const std::string name = rest.substr(0, rest.find('.'));
        const Field* found = nullptr;
        for (const Field& field : name == "ReqI" ? catalogue::header() : fields) {
            found = field.name == name ? &field : found;
        }
        if (found == nullptr || rest.find('.') == std::string::npos) {
            return {found, found != nullptr ? base + found->offset : 0};
        }
        base += found->offset;
        fields = found->structure->fields;
        rest = rest.substr(rest.find('.') + 1);
    }
}

struct SheetField {
    const char* record;
    const char* path;
    std::size_t offset;
    Kind kind;
    std::size_t count;  // elements, text bytes; 0 for the variable part
};

// A sample of the sheet's layouts, as written there.
const SheetField kFields[] = {
    {"IS_ISI", "ReqI", 2, Kind::kByte, 1},
    {"IS_ISI", "UDPPort", 4, Kind::kWord, 1},
    {"IS_ISI", "InSimVer", 8, Kind::kByte, 1},
    {"IS_ISI", "Prefix", 9, Kind::kCharacter, 1},
    {"IS_ISI", "Interval", 10, Kind::kWord, 1},
    {"IS_ISI", "Admin", 12, Kind::kText, 16},
    {"IS_ISI", "IName", 28, Kind::kText, 16},
    {"IS_VER", "Product", 12, Kind::kText, 6},
    {"IS_VER", "InSimVer", 18, Kind::kByte, 1},
    {"IS_SMALL", "UVal", 4, Kind::kUnsigned, 1},
    {"IS_TTC", "B3", 7, Kind::kByte, 1},
    {"IS_STA", "ReplaySpeed", 4, Kind::kFloat, 1},
    {"IS_STA", "Track", 20, Kind::kText, 6},
    {"IS_STA", "Wind", 27, Kind::kByte, 1},
    {"IS_MSO", "TextStart", 7, Kind::kByte, 1},
    {"IS_MSO", "Msg", 8, Kind::kText, 0},
    {"IS_MTC", "Sound", 3, Kind::kByte, 1},
    {"IS_RST", "Split3", 26, Kind::kWord, 1},
    {"IS_NCN", "PName", 28, Kind::kText, 24},
    {"IS_NCI", "IPAddress", 12, Kind::kUnsigned, 1},
    {"IS_CPR", "Plate", 28, Kind::kText, 8},
    {"IS_NPL", "Flags", 6, Kind::kWord, 1},
    {"IS_NPL", "SName", 44, Kind::kText, 16},
    {"IS_NPL", "Tyres", 60, Kind::kByte, 4},
    {"IS_NPL", "Fuel", 75, Kind::kByte, 1},
    {"IS_LAP", "Fuel200", 19, Kind::kByte, 1},
    {"IS_PIT", "Work", 16, Kind::kUnsigned, 1},
    {"IS_FIN", "Flags", 18, Kind::kWord, 1},
    {"IS_RES", "CName", 60, Kind::kText, 4},
    {"IS_RES", "PSeconds", 82, Kind::kWord, 1},
    {"IS_REO", "PLID", 4, Kind::kByte, 40},
    {"IS_NLP", "Info", 4, Kind::kStructure, 0},
    {"IS_MCI", "Info", 4, Kind::kStructure, 0},
    {"IS_CON", "A.Steer", 11, Kind::kSignedChar, 1},
    {"IS_CON", "B", 24, Kind::kStructure, 1},
    {"IS_CON", "B.Y", 38, Kind::kShort, 1},
    {"IS_OBH", "C.X", 12, Kind::kShort, 1},
    {"IS_OBH", "OBHFlags", 23, Kind::kByte, 1},
    {"IS_HLV", "Time", 6, Kind::kWord, 1},
    {"IS_UCO", "Info.Index", 26, Kind::kByte, 1},
    {"IS_CSC", "C.Zbyte", 15, Kind::kByte, 1},
    {"IS_CPP", "Pos.Z", 12, Kind::kInt, 1},
    {"IS_CPP", "FOV", 24, Kind::kFloat, 1},
    {"IS_CPP", "Flags", 30, Kind::kWord, 1},
    {"IS_MOD", "Height", 16, Kind::kInt, 1},
    {"IS_AXI", "LName", 8, Kind::kText, 32},
    {"IS_BTN", "TypeIn", 7, Kind::kByte, 1},
    {"IS_BTN", "Text", 12, Kind::kText, 0},
    {"IS_BTT", "Text", 8, Kind::kText, 96},
    {"IS_RIP", "RName", 16, Kind::kText, 64},
    {"IS_SSH", "Name", 8, Kind::kText, 32},
    {"IS_PLC", "Cars", 8, Kind::kUnsigned, 1},
    {"IS_AXM", "Info", 8, Kind::kStructure, 0},
    {"IS_HCP", "Info", 4, Kind::kStructure, 32},
    {"IS_JRR", "StartPos.Heading", 15, Kind::kByte, 1},
    {"IS_OCO", "Data", 7, Kind::kByte, 1},
    {"IS_CIM", "SelType", 6, Kind::kByte, 1},
    {"IS_MAL", "SkinID", 8, Kind::kUnsigned, 0},
    {"IS_IPB", "BanIPs", 8, Kind::kStructure, 0},
};

TEST(Catalogue, PlacesFieldsWhereTheSheetDoes) {
    for (const SheetField& sheet : kFields) {
        const Record* record = catalogue::find(sheet.record);
        ASSERT_NE(record, nullptr) << sheet.record;
        const auto [field, offset] = field_at(*record, sheet.path);
        ASSERT_NE(field, nullptr) << sheet.record << " " << sheet.path;
        EXPECT_EQ(offset, sheet.offset) << sheet.record << " " << sheet.path;
        EXPECT_EQ(field->kind, sheet.kind) << sheet.record << " " << sheet.path;
        EXPECT_EQ(field->count, sheet.count) << sheet.record << " " << sheet.path;
    }
}

// Fields that follow one another from `from` without a gap or an overlap,
// names unique, ending at `end` (or, for a variable part, starting there).
void expect_whole(std::span<const Field> fields, std::size_t from, std::size_t end,
                  const std::string& where) {
    std::size_t next = from;
    std::set<std::string_view> names;
    EXPECT_LT(fields.size(), 62u) << where << ": a reader marks the fields given in 64 bits";
    for (const Field& field : fields) {
        SCOPED_TRACE(where + "." + std::string(field.name));
        EXPECT_TRUE(names.insert(field.name).second) << "a name used twice";
        EXPECT_EQ(field.offset, next) << "a gap or an overlap";
        EXPECT_EQ(field.kind == Kind::kStructure, field.structure != nullptr);
        EXPECT_FALSE(field.meaning.empty());
        if (field.count == 0) {
            EXPECT_EQ(&field, &fields.back()) << "only the last field is variable";
        }
        if (field.offset % catalogue::element_size(field) != 0 && field.kind != Kind::kStructure) {
            ADD_FAILURE() << "off its natural alignment";
        }
        next = field.offset + catalogue::field_size(field);
    }
    EXPECT_EQ(next, end) << where << ": the fields do not cover the layout";
}

TEST(Catalogue, EveryLayoutIsWholeAndSizedInMultiplesOf4) {
    int last_type = 0;
    for (const Record& record : catalogue::records()) {
        const std::string name(record.name);
        EXPECT_GT(record.type, last_type) << name << ": types ascend";
        last_type = record.type;
        EXPECT_EQ(record.fixed % 4, 0u) << name;
        ASSERT_FALSE(record.fields.empty()) << name;
        const Field& last = record.fields.back();
        switch (record.rule) {
            case SizeRule::kFixed:
                expect_whole(record.fields, catalogue::kHeaderSize, record.fixed, name);
                EXPECT_NE(last.count, 0u) << name;
                break;
            case SizeRule::kText:
                expect_whole(record.fields, catalogue::kHeaderSize, record.fixed, name);
                EXPECT_EQ(last.kind, Kind::kText) << name;
                EXPECT_EQ(last.count, 0u) << name;
                EXPECT_EQ(record.least % 4, 0u) << name;
                EXPECT_EQ(record.most % 4, 0u) << name;
                EXPECT_LE(record.fixed + record.most, 252u) << name << ": sized in bytes too";
                break;
            case SizeRule::kArray: {
                expect_whole(record.fields, catalogue::kHeaderSize, record.fixed, name);
                EXPECT_EQ(last.count, 0u) << name;
                EXPECT_EQ(record.fields.front().offset, record.count_at) << name << ": the count";
                EXPECT_LE(catalogue::length_with(record, record.most), 255u * 4) << name;
                break;
            }
        }
    }
    for (const catalogue::Structure* structure : catalogue::structures()) {
        expect_whole(structure->fields, 0, structure->size, std::string(structure->name));
    }
    expect_whole(catalogue::header(), 0, catalogue::kHeaderSize, "header");
}

TEST(Catalogue, ValueNamesAreUniqueAndFlagsAreSingleBits) {
    std::set<std::string_view> titles;
    for (const catalogue::Values* values : catalogue::value_sets()) {
        EXPECT_TRUE(titles.insert(values->title).second) << values->title;
        std::set<std::string_view> names;
        std::set<uint32_t> numbers;
        for (const catalogue::ValueName& name : values->names) {
            EXPECT_TRUE(names.insert(name.name).second) << name.name;
            EXPECT_TRUE(numbers.insert(name.value).second) << name.name;
            if (values->flags) {
                EXPECT_TRUE(std::has_single_bit(name.value)) << name.name;
            }
        }
    }
}

// The library's own declarations of the records it uses agree with the
// catalogue where both speak of the same bytes.
TEST(Catalogue, AgreesWithTheLibrarysRecords) {
    const std::pair<const char*, std::size_t> sizes[] = {
        {"IS_ISI", sizeof(insim::IS_ISI)},
        {"IS_VER", sizeof(insim::IS_VER)},
        {"IS_TINY", sizeof(insim::IS_TINY)},
    };
    for (const auto& [name, size] : sizes) {
        EXPECT_EQ(catalogue::find(name)->fixed, size) << name;
    }
    const Record& btn = *catalogue::find("IS_BTN");
    EXPECT_EQ(btn.fixed, offsetof(insim::IS_BTN, Text));
    EXPECT_EQ(btn.fixed + btn.most, sizeof(insim::IS_BTN));
    EXPECT_EQ(field_at(btn, "H").second, offsetof(insim::IS_BTN, H));
    const Record& isi = *catalogue::find("IS_ISI");
    EXPECT_EQ(field_at(isi, "InSimVer").second, offsetof(insim::IS_ISI, Sp0));
    EXPECT_EQ(field_at(isi, "IName").second, offsetof(insim::IS_ISI, IName));
    const Record& mci = *catalogue::find("IS_MCI");
    EXPECT_EQ(mci.fixed, offsetof(insim::IS_MCI, Info));
    EXPECT_EQ(catalogue::element_size(mci), sizeof(insim::CompCar));
    EXPECT_EQ(field_at(mci, "Info.X").second - mci.fixed, offsetof(insim::CompCar, X));
    EXPECT_EQ(field_at(mci, "Info.AngVel").second - mci.fixed, offsetof(insim::CompCar, AngVel));
}

}  // namespace
