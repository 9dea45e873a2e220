#include "tests/support/allocation_counter.h"

#include <atomic>
#include <cstdlib>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

namespace {

thread_local bool counting = false;
std::atomic<std::size_t> allocations{0};

void note() {
    if (counting) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
}

}  // namespace

namespace test_support {

void count_allocations(bool on) {
    counting = on;
}

std::size_t counted_allocations() {
    return allocations.load();
}

}  // namespace test_support

// operator new and the standard library allocate through these.
extern "C" {

void* malloc(std::size_t size) {
    note();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    note();
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size) {
    note();
    return __libc_realloc(pointer, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
    note();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** pointer, std::size_t alignment, std::size_t size) {
    note();
    *pointer = __libc_memalign(alignment, size);
    return *pointer == nullptr ? 12 /* ENOMEM */ : 0;
}

}  // extern "C"
