// The part both of fake_lfs's sessions share: one client served on the
// listening socket (any further client is refused at once), its records cut
// out of the stream, sends that the client may leave waiting no longer than
// the idle limit, and the end of the session on a signal, a time-out or the
// session's own say, after what was queued for the client has gone.
#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>
#include <functional>
#include <optional>
#include <span>

#include "tools/engine/link.h"
#include "tools/engine/stop_signals.h"
#include "tools/fake_lfs/fake_lfs.h"
#include "tools/protocol/record_splitter.h"

namespace fake_lfs {

using engine::Clock;

class ClientSession {
  public:
    ClientSession(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options);
    virtual ~ClientSession() = default;
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    // Calls `announce` once stop signals are taken (it tells a caller where
    // the session listens; false ends it with status 1), then serves the
    // session to its end; the process's exit status.
    int run(const std::function<bool()>& announce);

  protected:
    // The client has connected.
    virtual void connected() = 0;
    // Bytes from the client, whole records or not: a sign of life.
    virtual void heard() {}
    // One whole record from the client.
    virtual void received(const sim::Bytes& record) = 0;
    // The client has ended its side of the connection, or it failed.
    virtual void client_gone() = 0;
    // Stops the session's own timers, once, as it ends.
    virtual void stop_timers() = 0;
    // Everything sent so far has been taken by the client.
    virtual void sent_all() {}

    void send(std::span<const uint8_t> bytes);
    // Ends the session with `status`. What is queued still goes to the
    // client, within the send bound; then its connection closes.
    void finish(int status);
    bool finished() const { return finished_; }
    // Whether sends wait for the client to take them.
    bool waiting() const { return client_ && client_->queued() > 0; }
    uint16_t port() const { return port_; }

    asio::io_context& io_;
    const Options& options_;
    Clock::time_point connected_at_;

  private:
    void accept_next();
    void serve(asio::ip::tcp::socket socket);
    void take(std::span<const uint8_t> bytes);
    void reading_ended(std::error_code error);
    void sending_ended(std::error_code error);
    void stalled();
    void close_client();

    asio::ip::tcp::acceptor& acceptor_;
    const uint16_t port_;
    asio::steady_timer accept_timer_;
    asio::steady_timer accept_retry_timer_;
    asio::steady_timer close_timer_;
    engine::StopSignals signals_;
    std::optional<engine::Link> client_;
    framing::RecordSplitter splitter_;
    bool accept_failed_ = false;
    bool reading_done_ = false;
    bool sending_done_ = false;
    bool finished_ = false;
    int status_ = 0;
};

}  // namespace fake_lfs
