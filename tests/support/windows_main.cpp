// Test entry for the Windows build. The process keeps one Windows Sockets
// start-up of its own until it ends: under Wine a test process that had
// cleaned up its last start-up was seen, now and then, to hang at exit. The
// client's socket layer counts its own start-ups apart, so the tests of its
// pairing see those alone.
#include <gtest/gtest.h>
#include <winsock2.h>

int main(int argc, char** argv) {
    WSADATA wsadata;
    if (::WSAStartup(MAKEWORD(2, 2), &wsadata) != 0) {
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
