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

// A field read out of a record: a value, a text, or the parts of a
// structure or an array.
struct Node {
    enum class Form { kValue, kText, kStructure, kArray };
    Form form = Form::kValue;
    std::string name;   // the field's; empty for an element of an array
    std::string value;  // kValue: as written; kText: the bytes up to the last that is not 0
    std::vector<Node> parts;
    bool zero = false;   // may be left out: 0, and 0 has no name of its own
    bool whole = false;  // kArray: every element is written, as the count goes by it
};

// How a line is written.
struct Style {
    std::size_t longest_text = 0;  // 0: whole
};

std::string hex_number(uint32_t value) {
    static const char kDigits[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 15]);
        value >>= 4;
    } while (value != 0);
    return "0x" + digits;
}

bool is_signed(Kind kind) {
    return kind == Kind::kSignedChar || kind == Kind::kShort || kind == Kind::kInt;
}

std::string number_text(const Field& field, uint32_t raw) {
    if (!is_signed(field.kind)) {
        return std::to_string(raw);
    }
    const unsigned bits = 8 * static_cast<unsigned>(catalogue::element_size(field));
    const uint32_t sign = 1u << (bits - 1);
    const int64_t value = static_cast<int64_t>(raw ^ sign) - static_cast<int64_t>(sign);
    return std::to_string(value);
}

std::string float_text(uint32_t bits) {
    const float value = std::bit_cast<float>(bits);
    if (value != value) {
        return hex_number(bits);  // a NaN's payload is kept only in its bits
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string flags_text(const catalogue::Values& values, uint32_t raw) {
    if (raw == 0) {
        return "0";
    }
    std::string text;
    uint32_t left = raw;
    for (const catalogue::ValueName& name : values.names) {
        if (name.value != 0 && (raw & name.value) == name.value) {
            text += (text.empty() ? "" : "|") + std::string(name.name);
            left &= ~name.value;
        }
    }
    if (left != 0) {
        text += (text.empty() ? "" : "|") + hex_number(left);
    }
    return text;
}

std::string value_text(const Field& field, uint32_t raw) {
    if (field.kind == Kind::kFloat) {
        return float_text(raw);
    }
    if (field.kind == Kind::kCharacter && raw >= static_cast<uint32_t>(kFirstPrintable) &&
        raw <= static_cast<uint32_t>(kLastPrintable) && raw != '\'' && raw != '\\') {
        return std::string("'") + static_cast<char>(raw) + "'";
    }
    if (field.values != nullptr) {
        if (field.values->flags) {
            return flags_text(*field.values, raw);
        }
        if (const auto name = catalogue::name_of(*field.values, raw)) {
            return std::string(*name);
        }
    }
    return number_text(field, raw);
}

bool zero_is_named(const Field& field) {
    return field.values != nullptr && !field.values->flags &&
           catalogue::name_of(*field.values, 0).has_value();
}

Node element_of(const Field& field, std::span<const uint8_t> bytes);

Node structure_of(const catalogue::Structure& structure, std::span<const uint8_t> bytes) {
    Node node;
    node.form = Node::Form::kStructure;
    node.zero = true;
    node.parts.reserve(structure.fields.size());
    for (const Field& part : structure.fields) {
        Node read = element_of(part, bytes.subspan(part.offset, catalogue::field_size(part)));
        read.name = part.name;
        node.zero = node.zero && read.zero;
        node.parts.push_back(std::move(read));
    }
    return node;
}

Node scalar_of(const Field& field, std::span<const uint8_t> bytes) {
    const uint32_t raw = rules::read(field, bytes);
    Node node;
    node.value = value_text(field, raw);
    node.zero = raw == 0 && !zero_is_named(field);
    return node;
}

// `count` elements of `field` from `bytes`.
Node array_of(const Field& field, std::span<const uint8_t> bytes, std::size_t count, bool whole) {
    Node node;
    node.form = Node::Form::kArray;
    node.whole = whole;
    node.zero = !whole || count == 0;
    const std::size_t element = catalogue::element_size(field);
    node.parts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto at = bytes.subspan(i * element, element);
        Node read = field.kind == Kind::kStructure ? structure_of(*field.structure, at)
                                                   : scalar_of(field, at);
        node.zero = node.zero && read.zero;
        node.parts.push_back(std::move(read));
    }
    return node;
}

// A field of fixed count from `bytes`, which hold exactly its bytes.
Node element_of(const Field& field, std::span<const uint8_t> bytes) {
    if (field.kind == Kind::kText) {
        Node node;
        node.form = Node::Form::kText;
        node.value = rules::text_of(bytes);
        node.zero = node.value.empty();
        return node;
    }
    if (field.count != 1) {
        return array_of(field, bytes, field.count, false);
    }
    if (field.kind == Kind::kStructure) {
        return structure_of(*field.structure, bytes);
    }
    return scalar_of(field, bytes);
}

// The fields of `bytes`, a record of type `record`; with `lenient`, of a
// record that does not fit it, as far as its bytes go. The Size node comes
// first, marked zero where the line implies it.
Node fields_of(const Record& record, std::span<const uint8_t> bytes, std::size_t unit,
               bool lenient) {
    Node node;
    node.form = Node::Form::kStructure;
    const std::vector<const Field*> fields = rules::line_fields(record);
    node.parts.reserve(fields.size() + 1);
    node.parts.emplace_back();
    Node& size = node.parts.front();
    size.name = "Size";
    size.value = std::to_string(bytes[catalogue::kSizeAt]);
    std::size_t variable = 0;
    const Field& last = record.fields.back();
    for (const Field* field : fields) {
        const bool is_variable = record.rule != SizeRule::kFixed && field == &last;
        Node read;
        if (is_variable) {
            const auto rest = bytes.subspan(std::min<std::size_t>(field->offset, bytes.size()));
            if (field->kind == Kind::kText) {
                read = element_of(*field, rest);
                variable = read.value.size();
            } else {
                variable = lenient ? rest.size() / catalogue::element_size(*field)
                                   : bytes[record.count_at];
                read = array_of(*field, rest, variable, true);
            }
        } else if (field->offset + catalogue::field_size(*field) <= bytes.size()) {
            read = element_of(*field, bytes.subspan(field->offset, catalogue::field_size(*field)));
        } else {
            continue;
        }
        read.name = field->name;
        node.parts.push_back(std::move(read));
    }
    const auto implied = rules::size_byte(rules::implied_length(record, variable), unit);
    node.parts.front().zero = !lenient && implied == bytes[catalogue::kSizeAt];
    return node;
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
            const auto byte = static_cast<uint8_t>(c);
            out += "\\x" + sim::hex_of(&byte, 1);
        }
    }
    out += '"';
    if (cut) {
        out += "...(" + std::to_string(text.size()) + " bytes)";
    }
}

void write_node(const Node& node, std::string& out, const Style& style) {
    switch (node.form) {
        case Node::Form::kValue:
            out += node.value;
            return;
        case Node::Form::kText:
            quote(node.value, out, style);
            return;
        case Node::Form::kStructure: {
            out += '{';
            bool first = true;
            for (const Node& part : node.parts) {
                if (!part.zero) {
                    out += first ? "" : " ";
                    out += part.name + "=";
                    write_node(part, out, style);
                    first = false;
                }
            }
            out += '}';
            return;
        }
        case Node::Form::kArray: {
            std::size_t end = node.parts.size();
            while (!node.whole && end > 0 && node.parts[end - 1].zero) {
                --end;
            }
            out += '[';
            for (std::size_t i = 0; i < end; ++i) {
                out += i == 0 ? "" : " ";
                write_node(node.parts[i], out, style);
            }
            out += ']';
            return;
        }
    }
}

std::string line_from(const Record& record, const Node& fields, const Style& style) {
    std::string line(record.name);
    for (const Node& part : fields.parts) {
        if (!part.zero) {
            line += " " + part.name + "=";
            write_node(part, line, style);
        }
    }
    return line;
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

// Every value of `node` with its path ("Info[2].X"), zeros included.
void flatten(const Node& node, const std::string& path,
             std::vector<std::pair<std::string, std::string>>& out, const Style& style) {
    if (node.form == Node::Form::kStructure) {
        for (const Node& part : node.parts) {
            flatten(part, path.empty() ? part.name : path + "." + part.name, out, style);
        }
    } else if (node.form == Node::Form::kArray) {
        for (std::size_t i = 0; i < node.parts.size(); ++i) {
            flatten(node.parts[i], path + "[" + std::to_string(i) + "]", out, style);
        }
        if (node.parts.empty()) {
            out.emplace_back(path, "[]");
        }
    } else {
        std::string value;
        write_node(node, value, style);
        out.emplace_back(path, value);
    }
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
    const Record& type = *catalogue::find(record[catalogue::kTypeAt]);
    return line_from(type, fields_of(type, record, unit, false), Style{});
}

std::string shown(std::span<const uint8_t> record, std::size_t unit) {
    if (unit == 0) {
        unit = unit_told_by(record);
    }
    const Style style{kShownText};
    const auto reason = misfit(record, unit);
    if (!reason) {
        const Record& type = *catalogue::find(record[catalogue::kTypeAt]);
        return line_from(type, fields_of(type, record, unit, false), style);
    }
    const Record* type =
        record.size() >= catalogue::kSmallestRecord ? catalogue::find(record[1]) : nullptr;
    if (type == nullptr) {
        return hex_line(record, *reason, kShownHex);
    }
    return line_from(*type, fields_of(*type, record, unit, true), style) + "  # " + *reason;
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
    std::vector<std::pair<std::string, std::string>> before;
    std::vector<std::pair<std::string, std::string>> after;
    for (const auto& [bytes, side] : {std::pair(expected, &before), std::pair(came, &after)}) {
        Node fields = fields_of(type, bytes, unit, false);
        if (fields.parts.front().zero) {
            fields.parts.erase(fields.parts.begin());  // a Size the rest implies
        }
        flatten(fields, "", *side, style);
    }
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
