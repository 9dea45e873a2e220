#include "tools/protocol/record_rules.h"

#include <algorithm>

namespace records::rules {
namespace {

using catalogue::Record;
using catalogue::SizeRule;

constexpr std::size_t kAlignment = 4;
constexpr uint8_t kIntroductionType = 1;
constexpr std::size_t kIntroductionLength = 44;
constexpr std::size_t kLargestSizeByte = 255;

std::size_t rounded_up(std::size_t length) {
    return (length + kAlignment - 1) / kAlignment * kAlignment;
}

}  // namespace

std::size_t implied_length(const Record& record, std::size_t variable) {
    if (record.rule != SizeRule::kText) {
        return catalogue::length_with(record, variable);
    }
    const std::size_t needed = variable + (record.terminated ? 1 : 0);
    const std::size_t area = std::max<std::size_t>(rounded_up(needed), record.least);
    // A text that fills the largest area leaves no room for its 0.
    return record.fixed +
           (variable <= record.most ? std::min<std::size_t>(area, record.most) : area);
}

std::size_t length_of(const Record* record, uint8_t size, std::size_t unit) {
    if (record != nullptr && record->type == kIntroductionType &&
        (size == kIntroductionLength || size * kAlignment == kIntroductionLength)) {
        return kIntroductionLength;
    }
    return size * unit;
}

std::optional<uint8_t> size_byte(std::size_t length, std::size_t unit) {
    if (length % unit != 0 || length / unit > kLargestSizeByte) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(length / unit);
}

uint32_t read(const catalogue::Field& field, std::span<const uint8_t> at) {
    uint32_t value = 0;
    const std::size_t width = catalogue::element_size(field);
    for (std::size_t i = width; i-- > 0;) {
        value = value << 8 | at[i];
    }
    return value;
}

void write(const catalogue::Field& field, uint32_t value, std::span<uint8_t> at) {
    const std::size_t width = catalogue::element_size(field);
    for (std::size_t i = 0; i < width; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

std::string text_of(std::span<const uint8_t> bytes) {
    std::size_t end = bytes.size();
    while (end > 0 && bytes[end - 1] == 0) {
        --end;
    }
    return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

bool is_hex_digit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace records::rules
