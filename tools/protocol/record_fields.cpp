#include "tools/protocol/record_fields.h"

#include <charconv>
#include <stdexcept>

#include "tools/protocol/record_rules.h"

namespace records {
namespace {

using catalogue::Field;
using catalogue::Kind;
using catalogue::Record;
using catalogue::SizeRule;

// Where a named field lies in a record: its element, or the field whole
// where the name gives no element of an array.
struct Place {
    const Field* field;
    std::size_t offset;
    std::size_t size;  // 0 for a record's variable text, whose length the record gives
};

[[noreturn]] void refuse(const std::string& what) {
    throw std::invalid_argument(what);
}

const Record& record_named(std::string_view type) {
    const Record* record = catalogue::find(type);
    if (record == nullptr) {
        refuse("no record type is called " + std::string(type));
    }
    return *record;
}

const Record& record_of(std::span<const uint8_t> bytes) {
    const Record* record =
        bytes.size() > catalogue::kTypeAt ? catalogue::find(bytes[catalogue::kTypeAt]) : nullptr;
    if (record == nullptr) {
        refuse("a record of a type the catalogue does not know");
    }
    return *record;
}

const Field* field_among(std::span<const Field> fields, std::string_view name) {
    for (const Field& field : fields) {
        if (field.name == name) {
            return &field;
        }
    }
    return nullptr;
}

// The place of `path` ("Info[1].Node") in a record of type `record`.
Place place_of(const Record& record, std::string_view path) {
    std::span<const Field> fields = record.fields;
    std::size_t base = 0;
    for (std::string_view rest = path;;) {
        const std::size_t dot = rest.find('.');
        std::string_view part = rest.substr(0, dot);
        std::optional<std::size_t> index;
        if (const std::size_t open = part.find('['); open != std::string_view::npos) {
            std::size_t at = 0;
            const std::string_view digits = part.substr(open + 1, part.size() - open - 2);
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), at);
            if (part.back() != ']' || error != std::errc() ||
                end != digits.data() + digits.size()) {
                refuse("no place in " + std::string(record.name) + " is called " +
                       std::string(path));
            }
            index = at;
            part = part.substr(0, open);
        }
        const Field* field = field_among(fields, part);
        if (field == nullptr && fields.data() == record.fields.data()) {
            field = field_among(catalogue::header(), part);
        }
        if (field == nullptr) {
            refuse(std::string(record.name) + " has no field " + std::string(path));
        }
        const std::size_t element = catalogue::element_size(*field);
        if (index && field->count != 0 && *index >= field->count) {
            refuse(std::string(path) + " is beyond the " + std::to_string(field->count) +
                   " elements of " + std::string(field->name));
        }
        Place place{field, base + field->offset + index.value_or(0) * element,
                    index || field->count == 1 ? element : catalogue::field_size(*field)};
        if (dot == std::string_view::npos) {
            return place;
        }
        if (field->kind != Kind::kStructure || (!index && field->count != 1)) {
            refuse(std::string(path) + ": " + std::string(field->name) + " is no single structure");
        }
        fields = field->structure->fields;
        base = place.offset;
        rest = rest.substr(dot + 1);
    }
}

// The value of `name` among `field`'s value names, bits joined by |.
uint32_t named_value(const Field& field, std::string_view names) {
    uint32_t value = 0;
    for (std::size_t start = 0; start <= names.size();) {
        const std::size_t bar = std::min(names.find('|', start), names.size());
        const std::string_view name = names.substr(start, bar - start);
        const catalogue::ValueName* found = nullptr;
        if (field.values != nullptr && (start == 0 || field.values->flags)) {
            for (const catalogue::ValueName& named : field.values->names) {
                found = named.name == name ? &named : found;
            }
        }
        if (found == nullptr) {
            refuse(std::string(field.name) + " has no value " + std::string(names));
        }
        value |= found->value;
        start = bar + 1;
    }
    return value;
}

}  // namespace

Builder::Builder(std::string_view type, std::size_t elements)
    : record_(record_named(type)),
      bytes_(rules::implied_length(record_, record_.rule == SizeRule::kArray ? elements : 0)) {
    if (record_.rule == SizeRule::kArray) {
        if (elements > record_.most) {
            refuse(std::string(type) + " holds at most " + std::to_string(record_.most));
        }
        bytes_[record_.count_at] = static_cast<uint8_t>(elements);
    }
    bytes_[catalogue::kTypeAt] = record_.type;
}

Builder& Builder::set(std::string_view field, uint32_t value) {
    const Place place = place_of(record_, field);
    if (place.field->kind == Kind::kText || place.field->kind == Kind::kStructure ||
        place.size != catalogue::element_size(*place.field) ||
        place.offset + place.size > bytes_.size()) {
        refuse(std::string(field) + " of " + std::string(record_.name) +
               " is no number of this record");
    }
    if (place.size < sizeof value && value >> (8 * place.size) != 0) {
        // A negative number of a signed field comes in two's complement.
        const uint32_t low = ~uint32_t{0} >> (8 * (sizeof value - place.size));
        const bool is_signed =
            place.field->kind == Kind::kSignedChar || place.field->kind == Kind::kShort;
        if (!is_signed || (value | (low >> 1)) != ~uint32_t{0}) {
            refuse(std::to_string(value) + " does not fit " + std::string(field));
        }
    }
    rules::write(*place.field, value, std::span(bytes_).subspan(place.offset, place.size));
    return *this;
}

Builder& Builder::set(std::string_view field, std::string_view text) {
    const Place place = place_of(record_, field);
    if (place.field->kind != Kind::kText) {
        return set(field, named_value(*place.field, text));
    }
    if (place.field->count == 0) {
        if (text.size() > record_.most) {
            refuse(std::string(field) + " holds at most " + std::to_string(record_.most) +
                   " bytes");
        }
        bytes_.resize(record_.fixed);
        bytes_.resize(rules::implied_length(record_, text.size()), 0);
        std::copy(text.begin(), text.end(), bytes_.begin() + record_.fixed);
        return *this;
    }
    if (text.size() > place.size) {
        refuse(std::string(field) + " holds " + std::to_string(place.size) + " bytes, not \"" +
               std::string(text) + "\"");
    }
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(place.offset), place.size, 0);
    std::copy(text.begin(), text.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(place.offset));
    return *this;
}

sim::Bytes Builder::bytes(std::size_t unit) const {
    const std::optional<uint8_t> size = rules::size_byte(bytes_.size(), unit);
    if (!size) {
        throw std::length_error(std::string(record_.name) + " of " + std::to_string(bytes_.size()) +
                                " bytes does not fit a size byte counting " + std::to_string(unit) +
                                "-byte units");
    }
    sim::Bytes record = bytes_;
    record[catalogue::kSizeAt] = *size;
    return record;
}

uint32_t value_at(std::span<const uint8_t> record, std::string_view field) {
    const Place place = place_of(record_of(record), field);
    if (place.field->kind == Kind::kText || place.field->kind == Kind::kStructure) {
        refuse(std::string(field) + " is no number");
    }
    if (place.offset + catalogue::element_size(*place.field) > record.size()) {
        return 0;
    }
    return rules::read(*place.field, record.subspan(place.offset));
}

std::string_view name_at(std::span<const uint8_t> record, std::string_view field) {
    const Place place = place_of(record_of(record), field);
    if (place.field->values == nullptr || place.field->values->flags) {
        return {};
    }
    return catalogue::name_of(*place.field->values, value_at(record, field)).value_or("");
}

std::string text_at(std::span<const uint8_t> record, std::string_view field) {
    const Place place = place_of(record_of(record), field);
    if (place.field->kind != Kind::kText) {
        refuse(std::string(field) + " is no text");
    }
    if (place.offset >= record.size()) {
        return {};
    }
    const std::size_t size = place.size == 0 ? record.size() - place.offset
                                             : std::min(place.size, record.size() - place.offset);
    const auto bytes = record.subspan(place.offset, size);
    std::size_t end = 0;
    while (end < bytes.size() && bytes[end] != 0) {
        ++end;
    }
    return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

uint32_t value_named(std::string_view type, std::string_view field, std::string_view name) {
    return named_value(*place_of(record_named(type), field).field, name);
}

bool is_whole(std::span<const uint8_t> record, std::string_view type) {
    const Record& wanted = record_named(type);
    return record.size() > catalogue::kTypeAt && record[catalogue::kTypeAt] == wanted.type &&
           !catalogue::misfit(wanted, record);
}

}  // namespace records
