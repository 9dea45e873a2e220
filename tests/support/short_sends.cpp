#include "tests/support/short_sends.h"

#include <dlfcn.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>

namespace {

std::atomic<std::size_t> send_limit{0};

}  // namespace

namespace test_support {

void limit_sends(std::size_t limit) {
    send_limit = limit;
}

}  // namespace test_support

// Interposes the C library's send for the whole test program.
extern "C" ssize_t send(int socket, const void* buffer, size_t length, int flags) {
    using Send = ssize_t (*)(int, const void*, size_t, int);
    static const auto real_send = reinterpret_cast<Send>(dlsym(RTLD_NEXT, "send"));
    const std::size_t limit = send_limit.load();
    return real_send(socket, buffer, limit == 0 ? length : std::min(length, limit), flags);
}
