// Network namespaces on Linux.
#include "tests/support/network_namespace.h"

#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace test_support {

bool enter_own_network_namespace() {
    if (::unshare(CLONE_NEWNET) != 0) {
        return false;
    }
    const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq loopback{};
    std::strncpy(loopback.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = s >= 0 && ::ioctl(s, SIOCGIFFLAGS, &loopback) == 0;
    loopback.ifr_flags = static_cast<short>(loopback.ifr_flags | IFF_UP);
    up = up && ::ioctl(s, SIOCSIFFLAGS, &loopback) == 0;
    if (s >= 0) {
        ::close(s);
    }
    if (!up) {
        throw std::runtime_error("cannot bring up the loopback interface of a new namespace");
    }
    return true;
}

}  // namespace test_support
