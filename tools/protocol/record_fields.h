// Records' fields by name, by the catalogue (catalogue.h): a record built
// from its type's name and its fields' names, and a field of a record read
// by its name, so that no layout is written down twice.
//
//   records::Builder("IS_TINY").set("ReqI", 7).set("SubT", "TINY_REPLY").bytes(unit)
//   records::value_at(request, "SubT"), records::name_at(request, "SubT") == "TINY_NCN"
//
// A field is named as the catalogue names it, with a place in an array or
// a field of a structure where it has them: "PLID", "ReqI", "PLID[2]",
// "Info[1].Node", "A.PLID". Names that the catalogue does not have, and
// values that do not fit their field, are faults of the code that gives
// them: the builder throws std::invalid_argument for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tools/protocol/catalogue.h"
#include "tools/protocol/sim_records.h"

namespace records {

class Builder {
  public:
    // A record of type `type` ("IS_NPL"), every byte 0 but its type (and
    // its count), as long as its type is with `elements` elements in its
    // variable array; a text record as long as its shortest text, growing
    // with the text it is given.
    explicit Builder(std::string_view type, std::size_t elements = 0);

    // Sets one element of a number field to `value`.
    Builder& set(std::string_view field, uint32_t value);
    // Sets a text field to `text`, or a field with named values to the value
    // of that name (bits that combine joined by |: "ISS_GAME|ISS_MULTI"). A
    // text longer than its field throws; a record's variable text makes the
    // record as long as the text and its 0 need.
    Builder& set(std::string_view field, std::string_view text);
    Builder& set(std::string_view field, const char* text) {
        return set(field, std::string_view(text));
    }

    // The record with its size byte counting `unit` bytes (1, or 4 from
    // protocol version 9). Throws std::length_error when its length does not
    // fit a size byte in that unit.
    sim::Bytes bytes(std::size_t unit = 1) const;

  private:
    const catalogue::Record& record_;
    sim::Bytes bytes_;
};

// One element of number field `field` of `record`, a whole record whose
// type the catalogue knows; 0 where the record is too short to hold it.
// Throws std::invalid_argument for a type or field the catalogue does not
// have.
uint32_t value_at(std::span<const uint8_t> record, std::string_view field);
// The name of that value among the field's value names; empty when it has
// none, or the value no name.
std::string_view name_at(std::span<const uint8_t> record, std::string_view field);
// Text field `field` of `record`, up to its first 0.
std::string text_at(std::span<const uint8_t> record, std::string_view field);

// The value that `name` names for field `field` of record type `type`
// ("IS_ISI", "Flags", "ISF_NLP"). Throws std::invalid_argument for names the
// catalogue does not have.
uint32_t value_named(std::string_view type, std::string_view field, std::string_view name);

// Whether `record` is a record of type `type` that fits its type's size
// rule, so that its fields can be read.
bool is_whole(std::span<const uint8_t> record, std::string_view type);

}  // namespace records
