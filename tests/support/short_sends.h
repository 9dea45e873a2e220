// Fault injection: while set, every send of this process takes at most
// `limit` bytes, as a send interrupted part-way does. Linked only into the
// tests that use it; it stands in front of the C library's send.
#pragma once

#include <cstddef>

namespace test_support {

void limit_sends(std::size_t limit);  // 0: no limit

}  // namespace test_support
