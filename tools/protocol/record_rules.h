// What the text form's writer (record_text.cpp) and reader
// (record_parse.cpp) must agree on: the length a line implies where it
// gives no Size, the size byte's rule, and values in little-endian bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "tools/protocol/catalogue.h"

namespace records::rules {

// The length a line implies without Size: for a text, the fixed part and
// `variable` text bytes, with room for the 0 that ends it where the type
// needs one, padded to a multiple of 4 and kept within the type's bounds;
// for an array, that of `variable` elements; else the fixed size.
std::size_t implied_length(const catalogue::Record& record, std::size_t variable);

// The length in bytes that size byte `size` gives a record of type
// `record` (nothing when unknown) in `unit`: size × unit, except for an
// introduction, which is 44 bytes whether its size byte counts bytes (44)
// or 4-byte units (11).
std::size_t length_of(const catalogue::Record* record, uint8_t size, std::size_t unit);

// The size byte for `length` bytes in `unit`; nothing when it does not fit
// a byte.
std::optional<uint8_t> size_byte(std::size_t length, std::size_t unit);

// One element of scalar `field`, as the unsigned value of its width (1, 2
// or 4 bytes, little-endian) at the start of `at`; and back.
uint32_t read(const catalogue::Field& field, std::span<const uint8_t> at);
void write(const catalogue::Field& field, uint32_t value, std::span<uint8_t> at);

// The text field's bytes, up to its last byte that is not 0.
std::string text_of(std::span<const uint8_t> bytes);

bool is_hex_digit(char c);

}  // namespace records::rules
