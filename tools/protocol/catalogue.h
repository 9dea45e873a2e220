// The protocol's records as data, declared once: every record type with its
// number, direction, size rule and fields, the structures inside records,
// and the names of the values a person reads (sub-types, flags, reasons).
// The records' text form (record_text.h), the captures, the judgement of a
// program's records and docs/records.md are all made from this one table.
//
// Offsets and sizes are in bytes, whatever unit the size byte counts.
// Every record starts with the same three fields, Size, Type and ReqI
// (header()); a record's own fields follow from byte 3.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace catalogue {

enum class Kind : uint8_t {
    kByte,        // unsigned 8 bits
    kCharacter,   // a byte that holds one character, such as a prefix or a key
    kSignedChar,  // a char that holds a signed number
    kWord,        // unsigned 16 bits, little-endian
    kShort,       // signed 16 bits
    kUnsigned,    // unsigned 32 bits
    kInt,         // signed 32 bits
    kFloat,       // IEEE-754 single
    kText,        // chars of text, read up to the first 0 (or the end)
    kStructure,   // a Structure
};

// One named value of a field: a sub-type, a reason, or one bit of a set.
struct ValueName {
    uint32_t value;
    std::string_view name;
    std::string_view meaning;
};

// The names of one field's values: one value of a list, or bits that
// combine ("ISF_MCI|ISF_LOCAL").
struct Values {
    std::string_view title;  // "TINY_ sub-types"
    bool flags;
    std::span<const ValueName> names;
};

struct Structure;

struct Field {
    std::string_view name;
    uint16_t offset;
    Kind kind;
    // 1 for one value; the bytes of a text; the elements of an array. 0:
    // the variable part of the record, as long as its size rule makes it.
    uint16_t count;
    std::string_view meaning;
    const Values* values = nullptr;        // names for the values, if any
    const Structure* structure = nullptr;  // for kStructure
    // kText: a first byte of 0 starts a caption, which ends at the next 0;
    // the text shown follows it.
    bool caption = false;
};

// A structure inside records (a car of a report, a layout object).
struct Structure {
    std::string_view name;
    uint16_t size;
    std::span<const Field> fields;
    std::string_view meaning;
};

enum class Direction : uint8_t { kToSimulator, kToProgram, kBoth };

enum class SizeRule : uint8_t {
    kFixed,  // always `fixed` bytes
    kText,   // `fixed` bytes and a text of `least` to `most` bytes, in steps of 4
    kArray,  // `fixed` bytes and as many elements as the byte at `count_at`
             // says (at most `most`), zeros up to a multiple of 4
};

struct Record {
    uint8_t type;
    std::string_view name;  // "IS_BTN"
    Direction direction;
    std::string_view purpose;
    uint16_t fixed;                 // the fixed part's bytes: the whole record for kFixed
    std::span<const Field> fields;  // from byte 3 on; for kText and kArray the last is
                                    // the variable part, at `fixed`, of count 0
    SizeRule rule = SizeRule::kFixed;
    uint16_t least = 0;       // kText: fewest text bytes
    uint16_t most = 0;        // kText: most text bytes; kArray: most elements
    uint8_t count_at = 0;     // kArray: the byte that counts the elements
    bool terminated = false;  // kText: the text needs a 0 within its bytes
    std::string_view note = {};
};

// Size, Type and ReqI.
std::span<const Field> header();
constexpr std::size_t kHeaderSize = 3;
// The offsets of the header's fields.
constexpr std::size_t kSizeAt = 0;
constexpr std::size_t kTypeAt = 1;
constexpr std::size_t kReqIAt = 2;
// The smallest record: the header and one byte.
constexpr std::size_t kSmallestRecord = 4;

// Every record type, by type number.
std::span<const Record> records();
// Every structure, and every set of value names, in the order the reference
// lists them.
std::span<const Structure* const> structures();
std::span<const Values* const> value_sets();

// The record type of number `type`, or of name `name` ("IS_BTN"); nothing
// for one the protocol does not have.
const Record* find(uint8_t type);
const Record* find(std::string_view name);

// Bytes of one element of `field` (a structure's size for a structure).
std::size_t element_size(const Field& field);
// Bytes of `field` where its count is fixed.
std::size_t field_size(const Field& field);
// The element of a kArray record's variable part, in bytes.
std::size_t element_size(const Record& record);

// The length a record of `record`'s type has with `variable` text bytes or
// elements (ignored for kFixed): the fixed part, the variable part, and
// zeros up to a multiple of 4.
std::size_t length_with(const Record& record, std::size_t variable);

// The size rule in words: "8 bytes", "12 + a text of 0 to 240 bytes in
// steps of 4 (12 to 252 bytes)", "4 + 28 × NumC (NumC up to 16)".
std::string size_rule(const Record& record);

// Why `bytes`, a whole record of type `record` (its Size byte not looked
// at), does not fit that type's size rule; nothing when it fits.
std::optional<std::string> misfit(const Record& record, std::span<const uint8_t> bytes);

// A text field with bytes other than 0 after its end, where the protocol
// has 0 (unused text bytes after the terminating zero).
struct TextTail {
    const Field* field;
    std::size_t end;    // offset of the text's terminating 0 in the record
    std::size_t first;  // offset of the first byte after it that is not 0
};

// The first text field of `bytes`, a record of type `record` (its Size
// byte not looked at), that is followed within its width by bytes other
// than 0; nothing when every text ends in zeros, or fills its field.
std::optional<TextTail> text_tail(const Record& record, std::span<const uint8_t> bytes);

// The name of `value` among `values`, or nothing.
std::optional<std::string_view> name_of(const Values& values, uint32_t value);

std::string_view direction_text(Direction direction);

}  // namespace catalogue
