// Display text for a time in milliseconds.
#pragma once

#include <cstdint>

namespace insim {

// Longest text with its terminator: "-99:59:59.999".
constexpr int kFormattedTimeSize = 14;

// Writes `milliseconds` into `buffer` (at least kFormattedTimeSize bytes) as
// [-][h:]mm:ss.fff, leaving out leading units while they are zero ("0.005",
// "1:01.005", "1:00:00.000"); the fraction is cut (not rounded) to hundredths,
// or given in thousandths when `thousandths` is non-zero. Clears the first 14
// bytes and writes nothing past them. Returns `buffer`, or null for a
// magnitude of 100 hours or more; the buffer then holds "" or, for a negative
// time, "-". Keeps no state; safe on any thread.
char* format_time(int32_t milliseconds, char* buffer, int32_t thousandths);

}  // namespace insim
