// Preloaded into a program under measurement: counts its heap allocations
// and, on SIGUSR2, writes "allocations N" to its standard error, so that a
// measurement can take the count at two moments and compare.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
}

namespace {

std::atomic<unsigned long> allocations{0};

void report(int) {
    char text[40] = "allocations ";
    char digits[24];
    int count = 0;
    unsigned long value = allocations.load();
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::size_t at = 12;
    while (count > 0) {
        text[at++] = digits[--count];
    }
    text[at++] = '\n';
    const ssize_t written = ::write(2, text, at);
    (void)written;
}

__attribute__((constructor)) void install() {
    struct sigaction action {};
    action.sa_handler = report;
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR2, &action, nullptr);
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(pointer, size);
}

}  // extern "C"
