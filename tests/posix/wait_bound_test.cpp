// Regression: every readiness wait is given the full stored 5-second bound.
// The system's select writes the time left back into its timeout; a wait
// handed the stored bound itself would shorten it to zero after the first
// quiet 5 s, and the reader would then spin and burn a CPU.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "tests/support/connection_fixture.h"
#include "tests/support/quick_timeouts.h"

namespace {

using namespace test_support;

class WaitBound : public ConnectedTest {
  protected:
    uint16_t udp_port() const override { return port_; }
    void TearDown() override { quick_timeouts(false); }

    // Lets `read` wait through several time-outs, then sends what ends it
    // and checks the bound of every wait.
    void expect_full_bounds(std::future<int>& read, const std::function<bool()>& send) {
        for (int i = 0; i < 500 && recorded_bounds().size() < 5; ++i) {
            std::this_thread::sleep_for(10ms);
        }
        ASSERT_GE(recorded_bounds().size(), 5u) << "the reader did not wait";
        ASSERT_TRUE(send());
        ASSERT_EQ(get_bounded(read, peer), 0);
        quick_timeouts(false);
        for (const timeval& bound : recorded_bounds()) {
            ASSERT_EQ(bound.tv_sec, 5);
            ASSERT_EQ(bound.tv_usec, 0);
        }
    }

    uint16_t port_ = free_udp_port();
};

TEST_F(WaitBound, StreamReaderWaitsWithTheFullBoundAfterTimeOuts) {
    quick_timeouts(true);
    auto read = std::async(std::launch::async, [&] { return connection.read_packet(); });
    expect_full_bounds(read, [&] { return peer.send(sim::Bytes{8, 21, 0, 0, 0, 0, 0, 0}); });
}

TEST_F(WaitBound, DatagramReaderWaitsWithTheFullBoundAfterTimeOuts) {
    quick_timeouts(true);
    auto read = std::async(std::launch::async, [&] { return connection.read_datagram(); });
    expect_full_bounds(read,
                       [&] { return peer.send_datagram(sim::Bytes{8, 21, 0, 0, 0, 0, 0, 0}, port_); });
}

}  // namespace
