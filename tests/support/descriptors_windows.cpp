#include <winsock2.h>

#include "tests/support/descriptors.h"

namespace test_support {

// Handle values are multiples of 4 and stay small in a test process: every
// value that answers a socket option is an open socket.
long open_descriptors() {
    long count = 0;
    for (UINT_PTR value = 4; value < (UINT_PTR{1} << 14); value += 4) {
        int type = 0;
        int length = sizeof type;
        if (::getsockopt(static_cast<SOCKET>(value), SOL_SOCKET, SO_TYPE,
                         reinterpret_cast<char*>(&type), &length) == 0) {
            ++count;
        }
    }
    return count;
}

bool send_coalescing_off(insim::socket_layer::Socket socket) {
    BOOL on = FALSE;
    int length = sizeof on;
    return ::getsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<char*>(&on), &length) ==
               0 &&
           on != FALSE;
}

}  // namespace test_support
