// The POSIX socket layer's own promises.
#include "insim/socket_layer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

namespace sl = insim::socket_layer;

// A descriptor number past what a select set holds is refused, never written
// past the set.
TEST(PosixSocketLayer, DescriptorPastTheSetSizeIsRefused) {
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    if (limit.rlim_max <= FD_SETSIZE + 1) {
        GTEST_SKIP() << "descriptors past " << FD_SETSIZE << " are not allowed here";
    }
    rlimit raised = limit;
    raised.rlim_cur = FD_SETSIZE + 2;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &raised), 0);
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    const int high = dup2(pair[0], FD_SETSIZE + 1);
    ASSERT_EQ(high, FD_SETSIZE + 1);
    ASSERT_EQ(write(pair[1], "x", 1), 1);  // readable, so only the refusal can fail it

    fd_set read_set;
    fd_set except_set;
    EXPECT_EQ(sl::wait_readable(high, read_set, except_set, timeval{0, 1000}), -1);
    EXPECT_FALSE(sl::is_in(high, read_set));
    EXPECT_EQ(sl::wait_readable(pair[0], read_set, except_set, timeval{0, 1000}), 1);

    close(high);
    close(pair[0]);
    close(pair[1]);
    setrlimit(RLIMIT_NOFILE, &limit);
}

}  // namespace
