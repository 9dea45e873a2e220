// What a test can see of the handles its process holds open.
#pragma once

namespace test_support {

// Number of descriptors this process has open (POSIX), or of sockets
// (Windows, where a process's handle count is not reliable under Wine).
long open_descriptors();

}  // namespace test_support
