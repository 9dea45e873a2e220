// Test entry for tests that run the built program on its fixed port: each
// test process gets a network namespace of its own where the system allows
// it (CTest also serialises these tests, for systems that do not).
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/network_namespace.h"

int main(int argc, char** argv) {
    if (!test_support::enter_own_network_namespace()) {
        std::fprintf(stderr, "note: no network namespace of our own; sharing the host's\n");
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
