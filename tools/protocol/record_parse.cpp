// Reading a record's line (record_text.h) back into its bytes.
#include <algorithm>
#include <bit>
#include <charconv>
#include <limits>

#include "tools/protocol/catalogue.h"
#include "tools/protocol/counted.h"
#include "tools/protocol/record_rules.h"
#include "tools/protocol/record_text.h"

namespace records {
namespace {

using catalogue::Field;
using catalogue::Kind;
using catalogue::Record;
using catalogue::SizeRule;

constexpr int kHexBase = 16;
constexpr std::size_t kEscapedDigits = 2;

bool is_name_char(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The place of the field called `name` among `fields`. The catalogue's test
// holds every record and structure to fewer than 62 fields, so that a
// 64-bit mask can tell which were given.
std::optional<std::size_t> index_of(std::span<const Field> fields, std::string_view name) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// A line being read, and the first thing wrong with it.
class Reader {
  public:
    Reader(std::string_view line, std::size_t unit) : line_(line), unit_(unit) {}

    std::optional<sim::Bytes> record();
    std::optional<sim::Bytes> hex_record();
    const std::string& error() const { return error_; }

  private:
    void skip_spaces() {
        while (at_ < line_.size() && (line_[at_] == ' ' || line_[at_] == '\t')) {
            ++at_;
        }
    }
    char peek() const { return at_ < line_.size() ? line_[at_] : '\0'; }
    bool take(char c) {
        if (peek() != c) {
            return false;
        }
        ++at_;
        return true;
    }
    // Whether nothing but a comment is left.
    bool at_end() {
        skip_spaces();
        return at_ == line_.size() || line_[at_] == '#';
    }
    std::string_view word();
    // A value up to a space or the end of an enclosing structure or array.
    std::string_view token();
    // The rest of the line from here, shortened, for an error.
    std::string here() const;
    // Whether what follows `item`'s value ends it: a space, the end, or `close`.
    bool separated(std::string_view item, char close) {
        const char next = peek();
        if (next == ' ' || next == '\t' || next == '\0' || next == close) {
            return true;
        }
        return fail("expected a space after " + std::string(item) + "'s value, got " + here());
    }
    bool fail(const std::string& what) {
        if (error_.empty()) {
            error_ = what;
        }
        return false;
    }

    std::optional<sim::Bytes> named_record();
    bool items(std::span<const Field> fields, std::span<uint8_t> bytes, char close);
    bool value(const Field& field, std::span<uint8_t> bytes);
    bool scalar(const Field& field, std::span<uint8_t> at);
    bool number(const Field& field, std::string_view text, uint32_t& raw);
    bool text(const Field& field, std::string& bytes);
    // Elements of `field` in brackets, each appended to `bytes`.
    bool elements(const Field& field, sim::Bytes& bytes);
    bool variable_part(const Record& record, const Field& field, sim::Bytes& bytes,
                       std::size_t& count);

    std::string_view line_;
    std::size_t unit_;
    std::size_t at_ = 0;
    std::string error_;
};

std::string_view Reader::word() {
    const std::size_t start = at_;
    while (at_ < line_.size() && is_name_char(line_[at_])) {
        ++at_;
    }
    return line_.substr(start, at_ - start);
}

std::string_view Reader::token() {
    const std::size_t start = at_;
    while (at_ < line_.size() && line_[at_] != ' ' && line_[at_] != '\t' && line_[at_] != ']' &&
           line_[at_] != '}') {
        ++at_;
    }
    return line_.substr(start, at_ - start);
}

std::string Reader::here() const {
    constexpr std::size_t kShown = 20;
    const std::string_view rest = line_.substr(at_);
    return rest.empty() ? "the end of the line"
                        : quoted(rest.size() > kShown ? std::string(rest.substr(0, kShown)) + "..."
                                                      : std::string(rest));
}

std::optional<sim::Bytes> Reader::record() {
    skip_spaces();
    const std::size_t start = at_;
    const std::string_view first = token();
    at_ = start;
    const bool hex =
        !first.empty() && ((first[0] >= '0' && first[0] <= '9') ||
                           std::all_of(first.begin(), first.end(), rules::is_hex_digit));
    return hex ? hex_record() : named_record();
}

std::optional<sim::Bytes> Reader::hex_record() {
    const std::string_view hex = token();
    if (hex.empty()) {
        fail("expected the record's hex, got " + here());
        return std::nullopt;
    }
    for (const char c : hex) {
        if (!rules::is_hex_digit(c)) {
            fail(std::string("bad hex digit '") + c + "'");
            return std::nullopt;
        }
    }
    if (hex.size() % 2 != 0) {
        fail("odd number of hex digits (" + std::to_string(hex.size()) + ")");
        return std::nullopt;
    }
    if (!at_end()) {
        fail("unexpected " + here() + " after the record's hex; a comment starts with #");
        return std::nullopt;
    }
    sim::Bytes bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        uint8_t byte = 0;
        std::from_chars(hex.data() + i, hex.data() + i + 2, byte, kHexBase);
        bytes.push_back(byte);
    }
    const Record* type = bytes.size() > catalogue::kTypeAt ? catalogue::find(bytes[1]) : nullptr;
    const std::size_t said = rules::length_of(type, bytes[0], unit_);
    if (said != bytes.size()) {
        fail("the size byte says " + sim::counted(said, "byte") + ", the line holds " +
             std::to_string(bytes.size()));
        return std::nullopt;
    }
    return bytes;
}

std::optional<sim::Bytes> Reader::named_record() {
    const std::string_view name = word();
    const Record* record = catalogue::find(name);
    if (record == nullptr) {
        fail(name.empty() ? "expected a record's name or its hex, got " + here()
                          : "no record type is called " + quoted(name));
        return std::nullopt;
    }
    sim::Bytes bytes(record->fixed);
    bytes[catalogue::kTypeAt] = record->type;
    std::optional<uint8_t> size;
    sim::Bytes variable;
    std::size_t count = 0;
    bool count_given = false;
    // Which of Size (0), ReqI (1) and the record's fields (2 on) were given.
    uint64_t seen = 0;
    const Field& req_i = catalogue::header()[catalogue::kReqIAt];
    while (!at_end()) {
        const std::string_view item = word();
        if (item.empty() || !take('=')) {
            fail("expected Name=value, got " + here());
            return std::nullopt;
        }
        const std::optional<std::size_t> own = index_of(record->fields, item);
        const std::size_t index = item == "Size" ? 0 : item == req_i.name ? 1 : own ? *own + 2 : 64;
        if (index == 64) {
            fail(std::string(record->name) + " has no field " + quoted(item));
            return std::nullopt;
        }
        if ((seen & (uint64_t{1} << index)) != 0) {
            fail(std::string(item) + " is given twice");
            return std::nullopt;
        }
        seen |= uint64_t{1} << index;
        if (index == 0) {
            uint32_t raw = 0;
            if (!number(catalogue::header()[catalogue::kSizeAt], token(), raw)) {
                return std::nullopt;
            }
            size = static_cast<uint8_t>(raw);
        } else {
            const Field& field = index == 1 ? req_i : record->fields[*own];
            const bool is_variable =
                record->rule != SizeRule::kFixed && &field == &record->fields.back();
            count_given = count_given ||
                          (record->rule == SizeRule::kArray && field.offset == record->count_at);
            if (is_variable ? !variable_part(*record, field, variable, count)
                            : !value(field, std::span(bytes).subspan(
                                                field.offset, catalogue::field_size(field)))) {
                return std::nullopt;
            }
        }
        if (!separated(item, '#')) {
            return std::nullopt;
        }
    }
    if (record->rule == SizeRule::kText) {
        count = variable.size();
    } else if (record->rule == SizeRule::kArray) {
        if (count_given && bytes[record->count_at] != count) {
            fail(std::string(record->fields.front().name) + " " +
                 std::to_string(bytes[record->count_at]) + ", but " +
                 std::string(record->fields.back().name) + " holds " + std::to_string(count));
            return std::nullopt;
        }
        if (count > std::numeric_limits<uint8_t>::max()) {
            fail(std::string(record->fields.back().name) + " holds " + std::to_string(count) +
                 ", more than a count byte can say");
            return std::nullopt;
        }
        bytes[record->count_at] = static_cast<uint8_t>(count);
    }
    const std::size_t needed = record->fixed + variable.size();
    const std::size_t length =
        size ? rules::length_of(record, *size, unit_) : rules::implied_length(*record, count);
    if (length < needed) {
        fail("Size " + std::to_string(*size) + " makes " + std::to_string(length) +
             " bytes, fewer than the fields need (" + std::to_string(needed) + ")");
        return std::nullopt;
    }
    bytes.insert(bytes.end(), variable.begin(), variable.end());
    bytes.resize(length);
    const std::optional<uint8_t> size_byte = size ? size : rules::size_byte(length, unit_);
    if (!size_byte) {
        fail(std::to_string(length) + " bytes are more than a size byte counting " +
             std::to_string(unit_) + "-byte units can say");
        return std::nullopt;
    }
    bytes[catalogue::kSizeAt] = *size_byte;
    if (const auto reason = misfit(bytes, unit_)) {
        fail(*reason);
        return std::nullopt;
    }
    return bytes;
}

bool Reader::variable_part(const Record& record, const Field& field, sim::Bytes& bytes,
                           std::size_t& count) {
    if (field.kind == Kind::kText) {
        std::string read;
        if (!text(field, read)) {
            return false;
        }
        if (read.size() > record.most) {
            return fail(std::string(field.name) + " holds at most " + std::to_string(record.most) +
                        " bytes, the text has " + std::to_string(read.size()));
        }
        bytes.assign(read.begin(), read.end());
        return true;
    }
    if (!elements(field, bytes)) {
        return false;
    }
    count = bytes.size() / catalogue::element_size(field);
    return true;
}

bool Reader::items(std::span<const Field> fields, std::span<uint8_t> bytes, char close) {
    uint64_t seen = 0;
    for (skip_spaces(); !take(close); skip_spaces()) {
        const std::string_view item = word();
        if (item.empty() || !take('=')) {
            return fail("expected Name=value or '" + std::string(1, close) + "', got " + here());
        }
        const std::optional<std::size_t> index = index_of(fields, item);
        if (!index) {
            return fail("no field " + quoted(item) + " here");
        }
        if ((seen & (uint64_t{1} << *index)) != 0) {
            return fail(std::string(item) + " is given twice");
        }
        seen |= uint64_t{1} << *index;
        const Field& field = fields[*index];
        if (!value(field, bytes.subspan(field.offset, catalogue::field_size(field))) ||
            !separated(item, close)) {
            return false;
        }
    }
    return true;
}

// A field of fixed count into `bytes`, which are exactly its own.
bool Reader::value(const Field& field, std::span<uint8_t> bytes) {
    if (field.kind == Kind::kText) {
        std::string read;
        if (!text(field, read)) {
            return false;
        }
        if (read.size() > bytes.size()) {
            return fail(std::string(field.name) + " holds " + std::to_string(bytes.size()) +
                        " bytes, the text has " + std::to_string(read.size()));
        }
        std::copy(read.begin(), read.end(), bytes.begin());
        return true;
    }
    if (field.count != 1) {
        sim::Bytes read;
        if (!elements(field, read)) {
            return false;
        }
        if (read.size() > bytes.size()) {
            return fail(std::string(field.name) + " has " + std::to_string(field.count) +
                        " elements, the line gives " +
                        std::to_string(read.size() / catalogue::element_size(field)));
        }
        std::copy(read.begin(), read.end(), bytes.begin());
        return true;
    }
    if (field.kind == Kind::kStructure) {
        if (!take('{')) {
            return fail(std::string(field.name) + " takes {Name=value ...}, got " + here());
        }
        return items(field.structure->fields, bytes, '}');
    }
    return scalar(field, bytes);
}

bool Reader::elements(const Field& field, sim::Bytes& bytes) {
    if (!take('[')) {
        return fail(std::string(field.name) + " takes [...], got " + here());
    }
    const std::size_t size = catalogue::element_size(field);
    for (skip_spaces(); !take(']'); skip_spaces()) {
        if (at_ == line_.size()) {
            return fail(std::string(field.name) + " has no closing ']'");
        }
        bytes.resize(bytes.size() + size);
        const std::span<uint8_t> element = std::span(bytes).subspan(bytes.size() - size);
        if (field.kind == Kind::kStructure) {
            if (!take('{')) {
                return fail("an element of " + std::string(field.name) +
                            " is {Name=value ...}, got " + here());
            }
            if (!items(field.structure->fields, element, '}')) {
                return false;
            }
        } else if (!scalar(field, element)) {
            return false;
        }
    }
    return true;
}

bool Reader::scalar(const Field& field, std::span<uint8_t> at) {
    uint32_t raw = 0;
    if (field.kind == Kind::kCharacter && take('\'')) {
        if (at_ + 1 >= line_.size() || line_[at_ + 1] != '\'') {
            return fail(std::string(field.name) +
                        " takes one character in quotes, 'c', or a number");
        }
        raw = static_cast<uint8_t>(line_[at_]);
        at_ += 2;
    } else {
        const std::string_view value = token();
        if (value.empty()) {
            return fail(std::string(field.name) + " has no value");
        }
        std::size_t start = 0;
        for (std::size_t bar = 0; start <= value.size(); start = bar + 1) {
            bar = std::min(value.find('|', start), value.size());
            uint32_t part = 0;
            if (!number(field, value.substr(start, bar - start), part)) {
                return false;
            }
            if (start > 0 && (field.values == nullptr || !field.values->flags)) {
                return fail(std::string(field.name) + " takes one value, not " + quoted(value));
            }
            raw |= part;
        }
    }
    rules::write(field, raw, at);
    return true;
}

bool Reader::number(const Field& field, std::string_view text, uint32_t& raw) {
    if (field.values != nullptr) {
        for (const catalogue::ValueName& name : field.values->names) {
            if (name.name == text) {
                raw = name.value;
                return true;
            }
        }
    }
    const std::size_t width = catalogue::element_size(field);
    const uint64_t most = width == 4 ? 0xffffffffULL : (1ULL << (8 * width)) - 1;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (field.kind == Kind::kFloat && !hex) {
        float value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) {
            return fail(std::string(field.name) + " takes a number, not " + quoted(text));
        }
        raw = std::bit_cast<uint32_t>(value);
        return true;
    }
    const bool negative = !hex && !text.empty() && text[0] == '-';
    const bool is_signed =
        field.kind == Kind::kSignedChar || field.kind == Kind::kShort || field.kind == Kind::kInt;
    const std::string_view digits = hex ? text.substr(2) : negative ? text.substr(1) : text;
    uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, hex ? 16 : 10);
    const uint64_t half = (most + 1) / 2;
    const uint64_t largest = is_signed && !hex ? half - 1 : most;
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() ||
        (negative && (!is_signed || magnitude > half)) || (!negative && magnitude > largest)) {
        const std::string range =
            is_signed ? "-" + std::to_string(half) + " to " + std::to_string(half - 1)
                      : "0 to " + std::to_string(most);
        return fail(std::string(field.name) + " takes " +
                    (field.values != nullptr
                         ? "a name of " + std::string(field.values->title) + " or "
                         : std::string()) +
                    "a number from " + range + ", not " + quoted(text));
    }
    raw = static_cast<uint32_t>(negative ? (most + 1 - magnitude) & most : magnitude);
    return true;
}

bool Reader::text(const Field& field, std::string& bytes) {
    if (!take('"')) {
        return fail(std::string(field.name) + " takes a text in double quotes, got " + here());
    }
    while (!take('"')) {
        if (at_ == line_.size()) {
            return fail(std::string(field.name) + "'s text has no closing quote");
        }
        const char c = line_[at_++];
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (take('"') || take('\\')) {
            bytes += line_[at_ - 1];
            continue;
        }
        uint8_t byte = 0;
        if (!take('x') || at_ + kEscapedDigits > line_.size() || !rules::is_hex_digit(line_[at_]) ||
            !rules::is_hex_digit(line_[at_ + 1])) {
            return fail(std::string(field.name) +
                        "'s text has an escape other than \\\", \\\\ "
                        "and \\xHH");
        }
        std::from_chars(line_.data() + at_, line_.data() + at_ + kEscapedDigits, byte, kHexBase);
        at_ += kEscapedDigits;
        bytes += static_cast<char>(byte);
    }
    return true;
}

}  // namespace

std::optional<sim::Bytes> record_of_hex(std::string_view hex, std::size_t unit,
                                        std::string& error) {
    Reader reader(hex, unit);
    auto record = reader.hex_record();
    if (!record) {
        error = reader.error();
    }
    return record;
}

std::optional<sim::Bytes> record_of(std::string_view line, std::size_t unit, std::string& error) {
    Reader reader(line, unit);
    auto record = reader.record();
    if (!record) {
        error = reader.error();
    }
    return record;
}

}  // namespace records
