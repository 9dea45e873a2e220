#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <filesystem>

#include "tests/support/descriptors.h"

namespace test_support {

long open_descriptors() {
    long count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

bool send_coalescing_off(insim::socket_layer::Socket socket) {
    int on = 0;
    socklen_t length = sizeof on;
    return ::getsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, &length) == 0 && on != 0;
}

}  // namespace test_support
