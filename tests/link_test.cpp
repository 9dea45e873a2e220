// The tools' link (tools/engine/link.h) over a real loopback connection:
// what is queued goes before the end of the stream however long the reader
// waits, a reader that takes nothing is reported after the send bound, and
// a reset peer ends sending with what was dropped counted.
#include "tools/engine/link.h"

#include <gtest/gtest.h>

#include <asio/io_context.hpp>
#include <asio/read.hpp>
#include <optional>
#include <thread>

#include "tools/engine/loopback.h"

namespace {

using namespace std::chrono_literals;

// A link to a plain socket that the test reads (or not) itself, on one
// io_context that the test runs.
struct LinkedPair {
    explicit LinkedPair(engine::Clock::duration send_bound) {
        std::error_code error;
        auto acceptor = engine::listen_on_loopback(io, 0, error);
        EXPECT_FALSE(error);
        asio::ip::tcp::socket client_end(io);
        client_end.connect(acceptor.local_endpoint());
        // A small system buffer, so that most of a burst waits in the link.
        client_end.set_option(asio::socket_base::send_buffer_size(1 << 16));
        server_end = acceptor.accept();
        link.emplace(std::move(client_end), send_bound);
        link->start({.reading_ended = [this](std::error_code e) { read_end = e; },
                     .sending_ended = [this](std::error_code e) { send_end = e; },
                     .stalled = [this] { stalled = true; }});
    }
    void run_for(engine::Clock::duration time) {
        io.restart();
        io.run_for(time);
    }

    asio::io_context io;
    asio::ip::tcp::socket server_end{io};
    std::optional<engine::Link> link;
    std::optional<std::error_code> read_end;
    std::optional<std::error_code> send_end;
    bool stalled = false;
};

const sim::Bytes kBurst(4 << 20, 7);

TEST(Link, SendsEverythingQueuedBeforeTheEndHoweverLongTheReaderWaits) {
    LinkedPair pair(10s);
    pair.link->send(kBurst);
    pair.link->end_sending();
    pair.run_for(1500ms);  // the reader takes nothing meanwhile
    EXPECT_GT(pair.link->queued(), 0u) << "the burst fits the system's buffers";
    EXPECT_FALSE(pair.send_end);
    sim::Bytes got(kBurst.size());
    std::error_code read_error;
    std::thread reader([&] { asio::read(pair.server_end, asio::buffer(got), read_error); });
    const auto deadline = engine::Clock::now() + 30s;
    while (!pair.send_end && engine::Clock::now() < deadline) {
        pair.run_for(100ms);
    }
    if (!pair.send_end) {
        std::error_code ignored;
        pair.server_end.shutdown(asio::socket_base::shutdown_both, ignored);
    }
    reader.join();
    ASSERT_TRUE(pair.send_end);
    EXPECT_FALSE(*pair.send_end) << pair.send_end->message();
    EXPECT_TRUE(got == kBurst);
    EXPECT_EQ(pair.link->undelivered(), 0u);
    std::error_code end;
    uint8_t byte = 0;
    pair.server_end.read_some(asio::buffer(&byte, 1), end);
    EXPECT_EQ(end, asio::error::eof) << "the end of the stream follows the last byte";
}

TEST(Link, ReportsAReaderThatTakesNothingForTheSendBound) {
    LinkedPair pair(300ms);
    pair.link->send(kBurst);
    pair.run_for(200ms);
    EXPECT_FALSE(pair.stalled) << "not before the bound";
    pair.run_for(1000ms);
    EXPECT_TRUE(pair.stalled);
    EXPECT_GT(pair.link->queued(), 0u);
}

TEST(Link, CountsWhatAResetPeerNeverTook) {
    LinkedPair pair(10s);
    pair.server_end.set_option(asio::socket_base::linger(true, 0));
    pair.server_end.close();
    pair.run_for(200ms);
    ASSERT_TRUE(pair.read_end);
    // Wine reports the reset as the end of the stream.
    EXPECT_TRUE(*pair.read_end == asio::error::connection_reset ||
                *pair.read_end == asio::error::eof)
        << pair.read_end->message();
    pair.link->send(kBurst);
    pair.run_for(500ms);
    ASSERT_TRUE(pair.send_end);
    EXPECT_TRUE(*pair.send_end);
    EXPECT_EQ(pair.link->undelivered(), kBurst.size());
}

}  // namespace
