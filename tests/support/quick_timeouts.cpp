#include "tests/support/quick_timeouts.h"

#include <dlfcn.h>
#include <sys/select.h>

#include <atomic>
#include <mutex>

namespace {

std::atomic<bool> quick{false};
std::mutex bounds_lock;
std::vector<timeval> bounds;

}  // namespace

namespace test_support {

void quick_timeouts(bool on) {
    if (on) {
        std::lock_guard<std::mutex> hold(bounds_lock);
        bounds.clear();
    }
    quick = on;
}

std::vector<timeval> recorded_bounds() {
    std::lock_guard<std::mutex> hold(bounds_lock);
    return bounds;
}

}  // namespace test_support

// Interposes the C library's select for the whole test program.
extern "C" int select(int count, fd_set* read_set, fd_set* write_set, fd_set* except_set,
                      timeval* timeout) {
    using Select = int (*)(int, fd_set*, fd_set*, fd_set*, timeval*);
    static const auto real_select = reinterpret_cast<Select>(dlsym(RTLD_NEXT, "select"));
    if (!quick || timeout == nullptr) {
        return real_select(count, read_set, write_set, except_set, timeout);
    }
    {
        std::lock_guard<std::mutex> hold(bounds_lock);
        bounds.push_back(*timeout);
    }
    timeval brief{0, 10000};
    const int ready = real_select(count, read_set, write_set, except_set, &brief);
    if (ready == 0) {
        *timeout = timeval{0, 0};  // the time left, written back
    }
    return ready;
}
