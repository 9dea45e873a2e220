// What a test can see of the handles its process holds open, and of the
// sockets among them.
#pragma once

#include "insim/socket_layer.h"

namespace test_support {

// Number of descriptors this process has open (POSIX), or of sockets
// (Windows, where a process's handle count is not reliable under Wine).
long open_descriptors();

// Whether `socket` sends without coalescing small writes (TCP_NODELAY).
bool send_coalescing_off(insim::socket_layer::Socket socket);

}  // namespace test_support
