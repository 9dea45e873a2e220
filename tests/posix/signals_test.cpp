// Signals that interrupt the client's waits and sends (POSIX): nothing may
// fail, be cut, lost or mixed.
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cstring>
#include <future>
#include <thread>

#include "tests/support/connection_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

void ignore_signal(int) {}

// Installs a handler that interrupts blocking calls (no SA_RESTART).
class SignalStorm {
  public:
    explicit SignalStorm(pthread_t target) {
        struct sigaction action {};
        action.sa_handler = ignore_signal;
        sigaction(SIGUSR1, &action, &previous_);
        thread_ = std::thread([this, target] {
            while (running_) {
                pthread_kill(target, SIGUSR1);
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }
    ~SignalStorm() {
        running_ = false;
        thread_.join();
        sigaction(SIGUSR1, &previous_, nullptr);
    }

  private:
    std::atomic<bool> running_{true};
    std::thread thread_;
    struct sigaction previous_ {};
};

using Signals = ConnectedTest;

TEST_F(Signals, SignalsDuringWaitsLoseNothing) {
    constexpr int kRecords = 300;
    SignalStorm storm(pthread_self());
    auto sender = std::async(std::launch::async, [&] {
        for (int i = 0; i < kRecords; ++i) {
            if (!peer.send(Bytes{8, static_cast<uint8_t>(10 + i % 100), 1, 2, 3, 4, 5, 6})) {
                return false;
            }
            if (i % 10 == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));  // let the reader wait
            }
        }
        return true;
    });
    for (int i = 0; i < kRecords; ++i) {
        ASSERT_EQ(connection.read_packet(), 0) << "record " << i;
        ASSERT_EQ(connection.packet_type(), 10 + i % 100) << "record " << i;
    }
    EXPECT_TRUE(sender.get());
}

// Signals arriving while sends wait for buffer space neither fail a send nor
// cut, lose or mix a record.
TEST(WriteUnderSignals, SignalsDuringSendsLoseNothing) {
    sim::SimPeer peer(0, 4096);  // a small window keeps the sender waiting for space
    insim::InsimConnection connection;
    ASSERT_TRUE(open_without_version(connection, peer));

    struct sigaction action {};
    action.sa_handler = ignore_signal;  // no SA_RESTART: waits are interrupted
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);

    constexpr int kRecords = 6000;
    std::atomic<bool> writing{true};
    std::promise<pthread_t> writer_id;
    auto writer = std::async(std::launch::async, [&] {
        writer_id.set_value(pthread_self());
        int failures = 0;
        for (int i = 0; i < kRecords; ++i) {
            auto button = button_with_text(200 + i % 40, static_cast<char>('A' + i % 26));
            failures += connection.write_packet(&button) != 0;
        }
        writing = false;
        return failures;
    });
    const pthread_t target = writer_id.get_future().get();
    std::thread signaller([&] {
        while (writing) {
            pthread_kill(target, SIGUSR1);
            std::this_thread::sleep_for(100us);
        }
    });

    int whole = 0;
    for (int i = 0; i < kRecords; ++i) {
        auto got = peer.read_record(kWait);
        if (!got) {
            break;
        }
        const std::size_t length = 200 + i % 40;
        auto expected = button_with_text(length, static_cast<char>('A' + i % 26));
        expected.Size = static_cast<uint8_t>(12 + (length + 3) / 4 * 4);
        const auto* bytes = reinterpret_cast<const uint8_t*>(&expected);
        if (*got != Bytes(bytes, bytes + expected.Size)) {
            ADD_FAILURE() << "record " << i << " arrived cut or mixed";
            break;
        }
        ++whole;
        if (i % 64 == 0) {
            std::this_thread::sleep_for(1ms);  // let the sender fill the window again
        }
    }
    writing = false;
    signaller.join();
    peer.close_client();  // unblocks the writer if the peer stopped early
    EXPECT_EQ(writer.get(), 0);
    EXPECT_EQ(whole, kRecords);
    sigaction(SIGUSR1, &previous, nullptr);
}

}  // namespace
