// Faults the tap puts into a session on demand (--fault), each on one
// direction's records: DIRECTION:KIND[=VALUE][@RECORD], where DIRECTION is
// to-program (the simulator's records) or to-simulator (the program's), and
// RECORD counts that direction's records from 1.
//
//   latency=MS[~JITTER]  every record waits MS ms (and up to JITTER more),
//                        in order
//   slice=N              every record goes in pieces of at most N bytes,
//                        sent apart
//   stall=MS@R           nothing goes that way for MS ms before record R
//   drop@R               record R is not relayed
//   cut@R                both connections close before record R
//   reset@R              the program's connection is reset before record R
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace insim_tap {

enum class Direction { kToProgram, kToSimulator };
enum class FaultKind { kLatency, kSlice, kStall, kDrop, kCut, kReset };

struct Fault {
    Direction direction;
    FaultKind kind;
    long value = 0;   // latency and stall in ms, slice in bytes
    long jitter = 0;  // latency's, in ms
    long record = 0;  // the record it comes before; 0 for every record
};

// The fault `text` names, or nothing with `problem` saying what is wrong.
std::optional<Fault> parse_fault(const std::string& text, std::string& problem);

// "to-program", "to-simulator".
const char* direction_name(Direction direction);

// The help's list of kinds, one example each.
extern const char kFaultHelp[];

}  // namespace insim_tap
