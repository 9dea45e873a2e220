// The capture file: one session of the client protocol as text, so that it
// diffs, greps and can be edited by hand. insim_tap writes it
// (capture_writer.h); fake_lfs --replay reads it.
//
//   # insim capture 1
//   # any further line starting with # is a comment; blank lines are ignored
//   <ms> <S|C> <hex>
//
// - The first line is exactly "# insim capture 1". A reader refuses any other
//   first line, so that a later format can change it.
// - <ms>: whole milliseconds since the client connected, at most kLongestMs;
//   the times never decrease down the file.
// - S: a record from the simulator to the client; C: a record from the
//   client to the simulator.
// - <hex>: the record's bytes, two hex digits each (written in lower case;
//   either case is read), with no separators. The first byte is the record's
//   size, and the line holds exactly that many bytes, or four times as many
//   after the comment line kWordUnitsLine (a session whose introduction
//   declares protocol 9 or later), which comes before the first record.
// The reader also takes several spaces or tabs between fields, and lines
// that end in CR LF, as an editor may leave them; the writer writes one
// space and LF.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/protocol/sim_records.h"

namespace capture {

constexpr char kFirstLine[] = "# insim capture 1";
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

// Lower-case hex of `size` bytes, as a record line holds them.
std::string hex_of(const uint8_t* bytes, std::size_t size);
inline std::string hex_of(const sim::Bytes& bytes) {
    return hex_of(bytes.data(), bytes.size());
}

}  // namespace capture
