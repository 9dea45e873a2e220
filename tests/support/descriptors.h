#pragma once

#include <filesystem>

namespace test_support {

// Number of descriptors this process has open.
inline long open_descriptors() {
    long count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

}  // namespace test_support
