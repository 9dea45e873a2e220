#include "tools/protocol/record_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <vector>

#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_rules.h"

namespace records {
namespace {

using catalogue::Field;
using catalogue::Kind;
using catalogue::Record;
using catalogue::SizeRule;

constexpr std::size_t kMostDifferencesShown = 6;
constexpr char kFirstPrintable = ' ';
constexpr char kLastPrintable = '~';

// How a line is written.
struct Style {
    std::size_t longest_text = 0;  // 0: whole
};

// Appends `value` in decimal, or in hex after 0x.
template <typename Number>
void append_number(std::string& out, Number value, int base = 10) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
    if (base == 16) {
        out += "0x";
    }
    out.append(digits, end);
}

bool is_signed(Kind kind) {
    return kind == Kind::kSignedChar || kind == Kind::kShort || kind == Kind::kInt;
}

void append_float(std::string& out, uint32_t bits) {
    const float value = std::bit_cast<float>(bits);
    if (value != value) {
        append_number(out, bits, 16);  // a NaN's payload is kept only in its bits
        return;
    }
    char text[32];
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

void append_flags(std::string& out, const catalogue::Values& values, uint32_t raw) {
    if (raw == 0) {
        out += '0';
        return;
    }
    uint32_t left = raw;
    bool first = true;
    for (const catalogue::ValueName& name : values.names) {
        if (name.value != 0 && (raw & name.value) == name.value) {
            if (!first) {
                out += '|';
            }
            out += name.name;
            left &= ~name.value;
            first = false;
        }
    }
    if (left != 0) {
        if (!first) {
            out += '|';
        }
        append_number(out, left, 16);
    }
}

// Appends the value `raw` of one element of `field`, as a line writes it.
void append_value(std::string& out, const Field& field, uint32_t raw) {
    if (field.kind == Kind::kFloat) {
        append_float(out, raw);
        return;
    }
    if (field.kind == Kind::kCharacter && raw >= static_cast<uint32_t>(kFirstPrintable) &&
        raw <= static_cast<uint32_t>(kLastPrintable) && raw != '\'' && raw != '\\') {
        out += '\'';
        out += static_cast<char>(raw);
        out += '\'';
        return;
    }
    if (field.values != nullptr) {
        if (field.values->flags) {
            append_flags(out, *field.values, raw);
            return;
        }
        if (const auto name = catalogue::name_of(*field.values, raw)) {
            out += *name;
            return;
        }
    }
    if (!is_signed(field.kind)) {
        append_number(out, raw);
        return;
    }
    const unsigned bits = 8 * static_cast<unsigned>(catalogue::element_size(field));
    const uint32_t sign = 1u << (bits - 1);
    append_number(out, static_cast<int64_t>(raw ^ sign) - static_cast<int64_t>(sign));
}

bool zero_is_named(const Field& field) {
    return field.values != nullptr && !field.values->flags &&
           catalogue::name_of(*field.values, 0).has_value();
}

bool all_zero(std::span<const uint8_t> bytes) {
    for (const uint8_t b : bytes) {
        if (b != 0) {
            return false;
        }
    }
    return true;
}

// Whether a field of these bytes is left out of a line: 0, with no name.
bool omitted(const Field& field, std::span<const uint8_t> bytes) {
    return all_zero(bytes) && !zero_is_named(field);
}

void quote(const std::string& text, std::string& out, const Style& style) {
    const bool cut = style.longest_text != 0 && text.size() > style.longest_text;
    const std::size_t end = cut ? style.longest_text : text.size();
    out += '"';
    for (std::size_t i = 0; i < end; ++i) {
        const char c = text[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c >= kFirstPrintable && c <= kLastPrintable) {
            out += c;
        } else {
            static const char kDigits[] = "0123456789abcdef";
            const auto byte = static_cast<uint8_t>(c);
            out += "\\x";
            out += kDigits[byte >> 4];
            out += kDigits[byte & 15];
        }
    }
    out += '"';
    if (cut) {
        out += "...(" + std::to_string(text.size()) + " bytes)";
    }
}

void write_field(const Field& field, std::span<const uint8_t> bytes, std::size_t count, bool whole,
                 std::string& out, const Style& style);

void write_structure(const catalogue::Structure& structure, std::span<const uint8_t> bytes,
                     std::string& out, const Style& style) {
    out += '{';
    bool first = true;
    for (const Field& part : structure.fields) {
        const auto at = bytes.subspan(part.offset, catalogue::field_size(part));
        if (!omitted(part, at)) {
            out += first ? "" : " ";
            out += part.name;
            out += '=';
            write_field(part, at, part.count, false, out, style);
            first = false;
        }
    }
    out += '}';
}

// `count` elements of `field` from `bytes`; an array of fixed length
// (not `whole`) leaves out the elements at its end that are 0.
void write_field(const Field& field, std::span<const uint8_t> bytes, std::size_t count, bool whole,
                 std::string& out, const Style& style) {
    if (field.kind == Kind::kText) {
        quote(rules::text_of(bytes), out, style);
        return;
    }
    const std::size_t element = catalogue::element_size(field);
    if (count == 1 && !whole) {
        if (field.kind == Kind::kStructure) {
            write_structure(*field.structure, bytes, out, style);
        } else {
            append_value(out, field, rules::read(field, bytes));
        }
        return;
    }
    std::size_t end = count;
    while (!whole && end > 0 && omitted(field, bytes.subspan((end - 1) * element, element))) {
        --end;
    }
    out += '[';
    for (std::size_t i = 0; i < end; ++i) {
        out += i == 0 ? "" : " ";
        const auto at = bytes.subspan(i * element, element);
        if (field.kind == Kind::kStructure) {
            write_structure(*field.structure, at, out, style);
        } else {
            append_value(out, field, rules::read(field, at));
        }
    }
    out += ']';
}

// How a line sees the bytes of a record of type `record`: its variable
// part's length (text bytes, or elements) and whether Size must be shown.
// With `lenient`, for a record that does not fit its type: the variable
// part is what its bytes hold, and Size is always shown.
struct Reading {
    std::size_t variable = 0;
    bool size_shown = false;
};

Reading reading_of(const Record& record, std::span<const uint8_t> bytes, std::size_t unit,
                   bool lenient) {
    Reading reading;
    const auto rest = bytes.subspan(std::min<std::size_t>(record.fixed, bytes.size()));
    if (record.rule == SizeRule::kText) {
        reading.variable = rules::text_of(rest).size();
    } else if (record.rule == SizeRule::kArray) {
        reading.variable =
            lenient ? rest.size() / catalogue::element_size(record) : bytes[record.count_at];
    }
    reading.size_shown =
        lenient || rules::size_byte(rules::implied_length(record, reading.variable), unit) !=
                       bytes[catalogue::kSizeAt];
    return reading;
}

// Calls `visit(field, bytes, count, whole)` for each field a line of
// `bytes` names, in order: ReqI, then the record's own fields as far as
// the bytes hold them, the variable part with its elements.
template <typename Visit>
void for_each_field(const Record& record, std::span<const uint8_t> bytes, const Reading& reading,
                    Visit&& visit) {
    const Field& req_i = catalogue::header()[catalogue::kReqIAt];
    visit(req_i, bytes.subspan(req_i.offset, 1), 1, false);
    for (const Field& field : record.fields) {
        if (record.rule != SizeRule::kFixed && &field == &record.fields.back()) {
            const auto rest = bytes.subspan(std::min<std::size_t>(field.offset, bytes.size()));
            visit(field, rest, reading.variable, field.kind != Kind::kText);
        } else if (field.offset + catalogue::field_size(field) <= bytes.size()) {
            visit(field, bytes.subspan(field.offset, catalogue::field_size(field)), field.count,
                  false);
        }
    }
}

std::string line_from(const Record& record, std::span<const uint8_t> bytes, std::size_t unit,
                      bool lenient, const Style& style) {
    const Reading reading = reading_of(record, bytes, unit, lenient);
    std::string line(record.name);
    line.reserve(4 * bytes.size());
    if (reading.size_shown) {
        line += " Size=";
        append_number(line, bytes[catalogue::kSizeAt]);
    }
    for_each_field(
        record, bytes, reading,
        [&](const Field& field, std::span<const uint8_t> at, std::size_t count, bool whole) {
            if (whole ? count == 0 : omitted(field, at)) {
                return;
            }
            line += ' ';
            line += field.name;
            line += '=';
            write_field(field, at, count, whole, line, style);
        });
    return line;
}

using Values = std::vector<std::pair<std::string, std::string>>;

// Every value of a field with its path ("Info[2].X"), zeros included.
void flatten(const Field& field, std::span<const uint8_t> bytes, std::size_t count, bool whole,
             const std::string& path, Values& out, const Style& style) {
    const std::size_t element = catalogue::element_size(field);
    const auto structure = [&](std::span<const uint8_t> at, const std::string& base) {
        for (const Field& part : field.structure->fields) {
            flatten(part, at.subspan(part.offset, catalogue::field_size(part)), part.count, false,
                    base + "." + std::string(part.name), out, style);
        }
    };
    if (field.kind != Kind::kText && (count != 1 || whole)) {
        for (std::size_t i = 0; i < count; ++i) {
            const auto at = bytes.subspan(i * element, element);
            const std::string at_path = path + "[" + std::to_string(i) + "]";
            if (field.kind == Kind::kStructure) {
                structure(at, at_path);
            } else {
                std::string value;
                append_value(value, field, rules::read(field, at));
                out.emplace_back(at_path, value);
            }
        }
        if (count == 0) {
            out.emplace_back(path, "[]");
        }
    } else if (field.kind == Kind::kStructure) {
        structure(bytes, path);
    } else {
        std::string value;
        write_field(field, bytes, count, whole, value, style);
        out.emplace_back(path, value);
    }
}

Values values_of(const Record& record, std::span<const uint8_t> bytes, std::size_t unit,
                 bool with_size, const Style& style) {
    Values values;
    if (with_size) {
        values.emplace_back("Size", std::to_string(bytes[catalogue::kSizeAt]));
    }
    for_each_field(
        record, bytes, reading_of(record, bytes, unit, false),
        [&](const Field& field, std::span<const uint8_t> at, std::size_t count, bool whole) {
            flatten(field, at, count, whole, std::string(field.name), values, style);
        });
    return values;
}

std::string hex_line(std::span<const uint8_t> record, const std::string& reason,
                     std::size_t longest) {
    const bool cut = longest != 0 && record.size() > longest;
    std::string line = sim::hex_of(record.data(), cut ? longest : record.size());
    if (cut) {
        line += "...(" + std::to_string(record.size()) + " bytes)";
    }
    return line + "  # " + reason;
}

std::size_t unit_told_by(std::span<const uint8_t> record) {
    constexpr std::size_t kWords = 4;
    return !record.empty() && record[0] != record.size() && record[0] * kWords == record.size()
               ? kWords
               : 1;
}

}  // namespace

std::optional<std::string> misfit(std::span<const uint8_t> record, std::size_t unit) {
    if (record.size() < catalogue::kSmallestRecord) {
        return std::to_string(record.size()) + " bytes, shorter than any record (" +
               std::to_string(catalogue::kSmallestRecord) + ")";
    }
    const Record* type = catalogue::find(record[catalogue::kTypeAt]);
    if (type == nullptr) {
        return "type " + std::to_string(record[catalogue::kTypeAt]) +
               " is not a record type of the protocol";
    }
    if (auto reason = catalogue::misfit(*type, record)) {
        return reason;
    }
    if (rules::length_of(type, record[catalogue::kSizeAt], unit) != record.size()) {
        return "its size byte says " +
               std::to_string(rules::length_of(type, record[catalogue::kSizeAt], unit)) +
               " bytes, it has " + std::to_string(record.size());
    }
    return std::nullopt;
}

std::string line_of(std::span<const uint8_t> record, std::size_t unit) {
    if (const auto reason = misfit(record, unit)) {
        return hex_line(record, *reason, 0);
    }
    return line_from(*catalogue::find(record[catalogue::kTypeAt]), record, unit, false, Style{});
}

std::string shown(std::span<const uint8_t> record, std::size_t unit) {
    if (unit == 0) {
        unit = unit_told_by(record);
    }
    const Style style{kShownText};
    const auto reason = misfit(record, unit);
    if (!reason) {
        return line_from(*catalogue::find(record[catalogue::kTypeAt]), record, unit, false, style);
    }
    const Record* type =
        record.size() >= catalogue::kSmallestRecord ? catalogue::find(record[1]) : nullptr;
    if (type == nullptr) {
        return hex_line(record, *reason, kShownHex);
    }
    return line_from(*type, record, unit, true, style) + "  # " + *reason;
}

std::string difference(std::span<const uint8_t> expected, std::span<const uint8_t> came,
                       std::size_t unit) {
    const bool comparable = !misfit(expected, unit) && !misfit(came, unit) &&
                            expected[catalogue::kTypeAt] == came[catalogue::kTypeAt];
    if (!comparable) {
        return shown(expected, unit) + ", came " + shown(came, unit);
    }
    const Record& type = *catalogue::find(expected[catalogue::kTypeAt]);
    const Style style{kShownText};
    const bool with_size = reading_of(type, expected, unit, false).size_shown ||
                           reading_of(type, came, unit, false).size_shown;
    const Values before = values_of(type, expected, unit, with_size, style);
    const Values after = values_of(type, came, unit, with_size, style);
    std::vector<std::string> paths;
    for (const auto* side : {&before, &after}) {
        for (const auto& [path, value] : *side) {
            if (std::find(paths.begin(), paths.end(), path) == paths.end()) {
                paths.push_back(path);
            }
        }
    }
    const auto value_at = [](const auto& side, const std::string& path) -> std::string {
        const auto at = std::find_if(side.begin(), side.end(),
                                     [&](const auto& item) { return item.first == path; });
        return at == side.end() ? "(none)" : at->second;
    };
    std::string was;
    std::string is;
    std::size_t differences = 0;
    for (const std::string& path : paths) {
        const std::string one = value_at(before, path);
        const std::string other = value_at(after, path);
        if (one == other) {
            continue;
        }
        if (++differences <= kMostDifferencesShown) {
            was += " " + path + "=" + one;
            is += " " + path + "=" + other;
        }
    }
    if (differences > kMostDifferencesShown) {
        is += " (and " + std::to_string(differences - kMostDifferencesShown) +
              " more fields that differ)";
    }
    return std::string(type.name) + " with" + was + ", came" + is;
}

}  // namespace records
