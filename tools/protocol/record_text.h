// Records as one line of words, and back, by the catalogue (catalogue.h):
//
//   IS_BTN ReqI=1 ClickID=237 BStyle=ISB_DARK L=1 T=70 W=60 H=10 Text="Chicane"
//
// The line names the record type and then its fields as Name=value, in the
// record's order. A field that is 0 is left out, unless 0 has a name of its
// own (SubT=TINY_NONE); a line that leaves fields out means them 0. Values:
//   - numbers in decimal (or 0x and hex digits); signed fields may be
//     negative; a float is a decimal number, or 0x and the 8 hex digits of
//     its bits;
//   - a value with a name by its name (SubT=TINY_NONE), bits that combine
//     joined by | (Flags=ISF_LOCAL|ISF_MCI), with any bits that have no name
//     as a number (ISF_MCI|0x8000);
//   - a character field as 'c' (Prefix='!');
//   - text in double quotes, up to its last byte that is not 0, with \" and
//     \\ for " and \ and \xHH for any byte that is not printable ASCII;
//   - a structure in braces, {PLID=1 X=65536}, fields 0 left out as above;
//   - an array in brackets, [3 1 2] or [{...} {...}]; an array of fixed
//     length leaves out the elements that are 0 at its end.
// Size is shown (Size=N, the size byte as it travels) only where it is not
// the one the rest of the line implies: a text padded beyond its first
// multiple of 4, or an introduction sized in bytes where sizes count 4-byte
// units. The count of a record's array (IS_MCI's NumC) may be left out: the
// array's length gives it.
//
// A record the catalogue does not know, or that does not fit its type's
// size rule, is its bytes in hex, followed by "  # " and the reason. Either
// form reads back into the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tools/protocol/sim_records.h"

namespace records {

// Where records are shown to a person: texts longer than this are cut, and
// hex longer than kShownHex bytes.
constexpr std::size_t kShownText = 40;
constexpr std::size_t kShownHex = 24;

// Why `record`, a whole record whose size byte counts `unit` bytes, is not
// written by name: an unknown type, a length that does not fit its type, a
// size byte that does not give its length. Nothing when it is.
std::optional<std::string> misfit(std::span<const uint8_t> record, std::size_t unit);

// The line of `record`, whose size byte counts `unit` bytes: by name, or in
// hex with the reason. Reads back exactly with record_of.
std::string line_of(std::span<const uint8_t> record, std::size_t unit = 1);

// The record a line gives, its size byte in `unit` bytes: a line by name,
// or hex (two digits a byte) with an optional "# comment" after it, whose
// size byte must give its length. Nothing, with `error` set to what is
// wrong, for a line that gives no record.
std::optional<sim::Bytes> record_of(std::string_view line, std::size_t unit, std::string& error);

// The record of a line of hex alone, two digits a byte, whose size byte in
// `unit` must give its length (the records of a capture of format 1).
std::optional<sim::Bytes> record_of_hex(std::string_view hex, std::size_t unit, std::string& error);

// `record` for a person to read: its line, with texts over kShownText cut
// and followed by their length, and a record that does not fit its type
// read as far as the type's layout goes (or in hex, cut), with the reason.
// `unit` 0 takes the unit the record's own size byte suggests (1, or 4
// where four times the size byte is its length).
std::string shown(std::span<const uint8_t> record, std::size_t unit = 0);

// How `came` differs from `expected`, two whole records in `unit`: for two
// of one type, "IS_BTN with Text="Chicane", came Text="Chicano"", naming
// each field that differs with both values; otherwise both records as
// shown, "IS_TINY SubT=TINY_NONE, came IS_BTN ...". Read after "expected ".
std::string difference(std::span<const uint8_t> expected, std::span<const uint8_t> came,
                       std::size_t unit);

}  // namespace records
