// The Windows Sockets layer's own promises.
#include "insim/socket_layer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

namespace sl = insim::socket_layer;

// A Windows set holds FD_SETSIZE sockets by count, whatever their handle
// values: a handle value past FD_SETSIZE must be waited on like any other.
TEST(WindowsSocketLayer, HandleValuesPastTheSetSizeAreWaitedOn) {
    ASSERT_EQ(sl::start_up(), 0);
    std::vector<sl::Socket> sockets;
    sl::Socket high = sl::kInvalidSocket;
    while (high == sl::kInvalidSocket && sockets.size() < 4 * FD_SETSIZE) {
        const sl::Socket s = sl::open_datagram();
        ASSERT_NE(s, sl::kInvalidSocket);
        sockets.push_back(s);
        if (s > FD_SETSIZE) {
            high = s;
        }
    }
    ASSERT_NE(high, sl::kInvalidSocket) << "no handle value past " << FD_SETSIZE;

    // Readable by a datagram it sends itself.
    sockaddr_in address{};
    ASSERT_TRUE(sl::resolve("127.0.0.1", 0, address));
    ASSERT_EQ(sl::bind_to(high, address), 0);
    int length = sizeof address;
    ASSERT_EQ(::getsockname(high, reinterpret_cast<sockaddr*>(&address), &length), 0);
    ASSERT_EQ(::sendto(high, "x", 1, 0, reinterpret_cast<sockaddr*>(&address), sizeof address), 1);

    fd_set read_set;
    fd_set except_set;
    EXPECT_EQ(sl::wait_readable(high, read_set, except_set, timeval{5, 0}), 1);
    EXPECT_TRUE(sl::is_in(high, read_set));
    EXPECT_FALSE(sl::is_in(high, except_set));
    char byte = 0;
    EXPECT_EQ(sl::receive(high, &byte, 1), 1);

    for (const sl::Socket s : sockets) {
        sl::close_socket(s);
    }
    sl::clean_up();
}

// Start-ups and clean-ups pair up in Windows Sockets itself, not only in the
// layer's own count: one clean-up of two leaves it working, and after the
// second a socket call fails as not started.
TEST(WindowsSocketLayer, StartUpsPairWithCleanUps) {
    ASSERT_EQ(sl::start_up(), 0);
    ASSERT_EQ(sl::start_up(), 0);
    EXPECT_EQ(sl::started_count(), 2);
    sl::clean_up();
    const sl::Socket still_started = sl::open_stream();
    EXPECT_NE(still_started, sl::kInvalidSocket);
    sl::close_socket(still_started);
    sl::clean_up();
    EXPECT_EQ(sl::started_count(), 0);
    EXPECT_EQ(sl::open_stream(), sl::kInvalidSocket);
    EXPECT_EQ(::WSAGetLastError(), WSANOTINITIALISED);
}

}  // namespace
