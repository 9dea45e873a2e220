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

}  // namespace test_support
