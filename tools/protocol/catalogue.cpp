#include "tools/protocol/catalogue.h"

#include <algorithm>

namespace catalogue {
namespace {

constexpr std::size_t kRecordAlignment = 4;

std::size_t rounded_up(std::size_t length) {
    return (length + kRecordAlignment - 1) / kRecordAlignment * kRecordAlignment;
}

std::string bytes_text(std::size_t length) {
    return std::to_string(length) + (length == 1 ? " byte" : " bytes");
}

const Field& variable_part(const Record& record) {
    return record.fields.back();
}

std::string_view count_name(const Record& record) {
    for (const Field& field : record.fields) {
        if (field.offset == record.count_at) {
            return field.name;
        }
    }
    return "count";
}

}  // namespace

const Record* find(uint8_t type) {
    const auto all = records();
    const auto at = std::lower_bound(all.begin(), all.end(), type,
                                     [](const Record& r, uint8_t t) { return r.type < t; });
    return at != all.end() && at->type == type ? &*at : nullptr;
}

const Record* find(std::string_view name) {
    for (const Record& record : records()) {
        if (record.name == name) {
            return &record;
        }
    }
    return nullptr;
}

std::size_t element_size(const Field& field) {
    switch (field.kind) {
        case Kind::kWord:
        case Kind::kShort:
            return 2;
        case Kind::kUnsigned:
        case Kind::kInt:
        case Kind::kFloat:
            return 4;
        case Kind::kStructure:
            return field.structure->size;
        default:
            return 1;
    }
}

std::size_t field_size(const Field& field) {
    return element_size(field) * field.count;
}

std::size_t element_size(const Record& record) {
    return record.rule == SizeRule::kArray ? element_size(variable_part(record)) : 1;
}

std::size_t length_with(const Record& record, std::size_t variable) {
    if (record.rule == SizeRule::kFixed) {
        return record.fixed;
    }
    return rounded_up(record.fixed + variable * element_size(record));
}

std::string size_rule(const Record& record) {
    const std::string fixed = std::to_string(record.fixed);
    switch (record.rule) {
        case SizeRule::kFixed:
            return bytes_text(record.fixed);
        case SizeRule::kText:
            return fixed + " + a text of " + std::to_string(record.least) + " to " +
                   std::to_string(record.most) + " bytes in steps of 4 (" +
                   std::to_string(record.fixed + record.least) + " to " +
                   bytes_text(record.fixed + record.most) + ")";
        case SizeRule::kArray: {
            const std::string count(count_name(record));
            const std::size_t element = element_size(record);
            return fixed + " + " + std::to_string(element) + " x " + count +
                   (rounded_up(element) != element ? ", rounded up to a multiple of 4" : "") +
                   " (" + count + " up to " + std::to_string(record.most) + ")";
        }
    }
    return "";
}

std::optional<TextTail> text_tail(const Record& record, std::span<const uint8_t> bytes) {
    for (const Field& field : record.fields) {
        if (field.kind != Kind::kText || field.offset >= bytes.size()) {
            continue;
        }
        const std::size_t width =
            field.count == 0 ? bytes.size() - field.offset
                             : std::min<std::size_t>(field.count, bytes.size() - field.offset);
        const auto begin = bytes.begin() + field.offset;
        const auto last = begin + static_cast<std::ptrdiff_t>(width);
        const auto zero = [&](auto from) { return std::find(from, last, uint8_t{0}); };
        auto end = zero(begin);
        if (field.caption && end == begin && end != last) {
            // A caption: the text shown starts after the 0 that ends it.
            const auto caption_end = zero(begin + 1);
            end = caption_end == last ? last : zero(caption_end + 1);
        }
        if (end == last) {
            continue;
        }
        const auto first = std::find_if(end + 1, last, [](uint8_t b) { return b != 0; });
        if (first != last) {
            return TextTail{&field, static_cast<std::size_t>(end - bytes.begin()),
                            static_cast<std::size_t>(first - bytes.begin())};
        }
    }
    return std::nullopt;
}

std::optional<std::string> misfit(const Record& record, std::span<const uint8_t> bytes) {
    // The reasons are words for a person, made only when a record does not fit.
    const std::size_t length = bytes.size();
    const std::string_view name = record.name;
    const auto broken_rule = [&] {
        return std::string(name) + " has " + size_rule(record) + ", this one " +
               std::to_string(length);
    };
    switch (record.rule) {
        case SizeRule::kFixed:
            if (length != record.fixed) {
                return broken_rule();
            }
            return std::nullopt;
        case SizeRule::kText:
            if (length < record.fixed + record.least || length > record.fixed + record.most ||
                length % kRecordAlignment != 0) {
                return broken_rule();
            }
            return std::nullopt;
        case SizeRule::kArray:
            break;
    }
    if (length < record.fixed) {
        return broken_rule();
    }
    const std::size_t count = bytes[record.count_at];
    const std::string_view count_field = count_name(record);
    if (count > record.most) {
        return std::string(name) + " with " + std::string(count_field) + " " +
               std::to_string(count) + ": " + std::string(count_field) + " goes up to " +
               std::to_string(record.most);
    }
    const std::size_t expected = length_with(record, count);
    if (length != expected) {
        return std::string(name) + " with " + std::string(count_field) + " " +
               std::to_string(count) + " has " + bytes_text(expected) + ", this one " +
               std::to_string(length);
    }
    const std::size_t used = record.fixed + count * element_size(record);
    if (std::any_of(bytes.begin() + static_cast<std::ptrdiff_t>(used), bytes.end(),
                    [](uint8_t b) { return b != 0; })) {
        const Field& last = variable_part(record);
        return std::string(name) + ": the " + bytes_text(length - used) +
               " of padding after its last " +
               std::string(last.structure != nullptr ? last.structure->name : last.name) +
               " are not 0";
    }
    return std::nullopt;
}

std::optional<std::string_view> name_of(const Values& values, uint32_t value) {
    for (const ValueName& name : values.names) {
        if (name.value == value) {
            return name.name;
        }
    }
    return std::nullopt;
}

std::string_view direction_text(Direction direction) {
    switch (direction) {
        case Direction::kToSimulator:
            return "program to simulator";
        case Direction::kToProgram:
            return "simulator to program";
        default:
            return "both ways";
    }
}

}  // namespace catalogue
