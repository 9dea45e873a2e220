// Runs a command in a network namespace of its own where the system allows
// it, so that a test script whose programs use the fixed port 29999 meets no
// other listener (Linux).
//
// usage: in_own_network_namespace COMMAND [ARGUMENTS...]
#include <unistd.h>

#include <cstdio>

#include "tests/support/network_namespace.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: in_own_network_namespace COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    if (!test_support::enter_own_network_namespace()) {
        std::fprintf(stderr, "note: no network namespace of our own; sharing the host's\n");
    }
    ::execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}
