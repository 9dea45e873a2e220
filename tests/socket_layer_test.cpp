// The platform socket layer's own promises that the connection's tests do not
// reach, on both platforms.
#include "insim/socket_layer.h"

#include <gtest/gtest.h>

#include "tests/support/descriptors.h"

namespace {

namespace sl = insim::socket_layer;

// Runs each test between a start-up and its clean-up, as the connection does.
class SocketLayer : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(sl::start_up(), 0); }
    void TearDown() override {
        sl::clean_up();
        EXPECT_EQ(sl::started_count(), 0);
    }
};

TEST_F(SocketLayer, WaitTimesOutWithZeroAndEmptySets) {
    const sl::Socket s = sl::open_datagram();
    ASSERT_NE(s, sl::kInvalidSocket);
    fd_set read_set;
    fd_set except_set;
    const timeval timeout{0, 20000};
    EXPECT_EQ(sl::wait_readable(s, read_set, except_set, timeout), 0);
    EXPECT_FALSE(sl::is_in(s, read_set));
    EXPECT_FALSE(sl::is_in(s, except_set));
    sl::close_socket(s);
}

// A record must leave as soon as it is sent, never held back to be joined
// with the next: stream sockets come with send coalescing off.
TEST_F(SocketLayer, StreamSocketsSendWithoutCoalescing) {
    const sl::Socket s = sl::open_stream();
    ASSERT_NE(s, sl::kInvalidSocket);
    EXPECT_TRUE(test_support::send_coalescing_off(s));
    sl::close_socket(s);
}

TEST_F(SocketLayer, HostLookupTakesNamesThenDottedAddresses) {
    sockaddr_in address{};
    ASSERT_TRUE(sl::resolve("localhost", 29999, address));
    EXPECT_EQ(address.sin_family, AF_INET);
    EXPECT_EQ(ntohl(address.sin_addr.s_addr) >> 24, 127u);
    EXPECT_EQ(ntohs(address.sin_port), 29999);
    ASSERT_TRUE(sl::resolve("10.1.2.3", 1, address));
    EXPECT_EQ(ntohl(address.sin_addr.s_addr), 0x0A010203u);
    EXPECT_FALSE(sl::resolve("", 1, address)) << "an empty host names no host";
    EXPECT_FALSE(sl::resolve("1.2.3.4.5", 1, address));
}

}  // namespace
