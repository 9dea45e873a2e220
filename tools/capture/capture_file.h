// The capture file: one session of the client protocol as text, so that it
// reads without the protocol's layouts at hand, diffs, greps and can be
// written by hand. insim_tap writes it (capture_writer.h); fake_lfs
// --replay reads it, and fake_lfs --print prints any capture in this form.
//
//   # insim capture 2
//   # any further line starting with # is a comment; blank lines are ignored
//   <ms> <S|C> <record>
//
// - The first line is exactly "# insim capture 2", or "# insim capture 1"
//   for a capture written before records had names. A reader refuses any
//   other first line, so that a later format can change it.
// - <ms>: whole milliseconds since the client connected, at most kLongestMs;
//   the times never decrease down the file.
// - S: a record from the simulator to the client; C: a record from the
//   client to the simulator.
// - <record>: the record as one line of words (tools/protocol/record_text.h):
//   by name and fields, fields that are 0 left out ("IS_TINY
//   SubT=TINY_NONE"), or its bytes in hex, two digits each (either case),
//   followed by "# " and why it is not by name, which the reader ignores.
//   In a capture of format 1 it is the hex alone. The first byte is the
//   record's size, and a record in hex holds exactly that many bytes, or
//   four times as many after the comment line kWordUnitsLine (a session
//   whose introduction declares protocol 9 or later), which comes before
//   the first record. An introduction's size byte may count bytes or
//   4-byte units (44 or 11) in either.
// The reader also takes several spaces or tabs between fields, and lines
// that end in CR LF, as an editor may leave them; the writer writes one
// space and LF.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "tools/protocol/sim_records.h"

namespace capture {

constexpr char kFirstLine[] = "# insim capture 2";
// The first line of a capture whose records are hex alone.
constexpr char kFormat1Line[] = "# insim capture 1";
// Starts the comment line that says record sizes count 4-byte units.
constexpr char kWordUnitsLine[] = "# record sizes count 4-byte units";
// The latest time a capture may give: about a century, far inside what a
// steady clock can wait for.
constexpr long long kLongestMs = 100LL * 365 * 24 * 3600 * 1000;

enum class From : char { kSimulator = 'S', kClient = 'C' };

struct Entry {
    long long ms;  // since the client connected
    From from;
    sim::Bytes record;
    std::size_t line;  // where it stands in the file, from 1
};

struct Capture {
    std::string path;
    std::size_t unit = 1;        // bytes that one step of a size byte counts
    std::vector<Entry> entries;  // in file order
    std::size_t last_line = 0;   // the file's number of lines
};

// Reads the capture at `path`. On a file that cannot be read or is
// malformed, returns nothing and sets `error` to "FILE:LINE: what is wrong"
// (or "FILE: ..." when the file cannot be read at all).
std::optional<Capture> read_capture(const std::string& path, std::string& error);

// The line of `record`, whose size byte counts `unit` bytes: "<ms> <S|C>
// <record>" without its line end.
std::string record_line(long long ms, From from, std::span<const uint8_t> record, std::size_t unit);

// Writes `capture` in this format, records by name where their type fits:
// the first line, the units line where sizes count 4-byte units, and a line
// for each record.
void print(const Capture& capture, std::ostream& out);

using sim::hex_of;

}  // namespace capture
