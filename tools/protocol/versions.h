// What the protocol version of a session decides: the unit of the size
// byte, the longest record and the cars one report holds. The simulator
// chooses the version per connection from the one the program's
// introduction declares.
#pragma once

#include <cstddef>

namespace sim {

// Today's simulator speaks version 9, since its release 0.7A.
constexpr int kSimulatorVersion = 9;
// The first version whose size byte counts 4-byte units.
constexpr int kFirstVersionInWordUnits = 9;

// The version a simulator of `simulator_version` serves a program that
// declares `declared`: 0 as 6, as old programs mean it; any other as
// declared, but never above the simulator's own.
int served_version(int declared, int simulator_version = kSimulatorVersion);

// Bytes that one step of the size byte counts at `version`: 1 up to 8, 4
// from 9.
std::size_t size_unit(int version);

// The longest record at `version`: 252 bytes up to 8 (the largest multiple
// of 4 a byte holds), 1020 from 9.
std::size_t longest_record(int version);

// The most cars one report holds at `version`: 8 up to 8, 16 from 9.
std::size_t cars_per_report(int version);

}  // namespace sim
