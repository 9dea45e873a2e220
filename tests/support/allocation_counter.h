// Counts the heap allocations that threads make while they have counting
// switched on. Linked only into the allocation tests: it stands in front of
// the C library's allocator for the whole test program.
#pragma once

#include <cstddef>

namespace test_support {

// Switches counting on or off for the calling thread.
void count_allocations(bool on);
// Allocations made by counting threads so far.
std::size_t counted_allocations();

}  // namespace test_support
