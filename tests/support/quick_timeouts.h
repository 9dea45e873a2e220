// Fault injection: while on, every readiness wait of this process times out
// after 10 ms instead of its own bound, and reports the time left as zero in
// its timeout argument, as the system's select does when it times out. The
// bound each wait was given is recorded. Linked only into the tests that use
// it; it stands in front of the C library's select.
#pragma once

#include <sys/time.h>

#include <vector>

namespace test_support {

void quick_timeouts(bool on);  // on: also forgets the bounds recorded before
// The bounds the waits were given while quick time-outs were on.
std::vector<timeval> recorded_bounds();

}  // namespace test_support
