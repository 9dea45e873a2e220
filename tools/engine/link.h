// One stream connection of a tool, driven by the tool's io_context: bytes
// handed on as they come, sends queued without end but bounded in time, and
// each direction ended on its own, so that a half-close can be passed on as
// a half-close.
//
// Every callback runs on the thread that runs the io_context. The owner keeps
// the link alive until the io_context has run out of work.
#pragma once

#include <array>
#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <system_error>

#include "tools/protocol/sim_records.h"

namespace engine {

using Clock = std::chrono::steady_clock;

class Link {
  public:
    struct Events {
        // Bytes as they come.
        std::function<void(std::span<const uint8_t>)> received = {};
        // Reading has ended: asio::error::eof for the end of the stream,
        // anything else for a failure such as a reset.
        std::function<void(std::error_code)> reading_ended = {};
        // Sending has ended: no error once everything queued went and the
        // sending direction was shut down (end_sending), or the failure that
        // dropped what was still queued.
        std::function<void(std::error_code)> sending_ended = {};
        // Everything queued has gone after some of it had to wait (a send
        // that the system takes at once does not call it).
        std::function<void()> drained = {};
        // A send has waited the send bound without the other end taking a
        // byte. The link goes on waiting; the owner decides.
        std::function<void()> stalled = {};
    };

    Link(asio::ip::tcp::socket socket, Clock::duration send_bound);
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Starts reading; every event goes to `events`.
    void start(Events events);

    // Keeps `owner` alive while any operation of the link is pending, so
    // that an owner held by a shared pointer (the link among its members)
    // can be let go at any time: it goes once the last operation is done.
    void hold(std::weak_ptr<void> owner) { owner_ = std::move(owner); }

    // Queues `bytes` after everything queued before. Nothing is queued once
    // sending has ended.
    void send(std::span<const uint8_t> bytes);
    // Shuts the sending direction down once everything queued has gone.
    void end_sending();

    // Stops and resumes reading, so that a side that cannot take what comes
    // holds the sender back instead of growing a queue without end.
    void pause_reading();
    void resume_reading();

    // Closes at once, dropping what is still queued, normally or with a
    // reset.
    void close();
    void reset();

    bool is_open() const { return socket_.is_open(); }
    bool reading() const { return reading_; }
    bool sending() const { return !sending_done_; }
    // Bytes queued and not yet taken by the other end.
    std::size_t queued() const { return sending_.size() - offset_ + waiting_.size(); }
    // Bytes dropped because sending failed or the link was closed first.
    std::size_t undelivered() const { return undelivered_; }

  private:
    void read_next();
    void write_next();
    void written(std::error_code error, std::size_t count);
    void drop_queue();
    void stop_sending(std::error_code error);
    void watch_stall();

    asio::ip::tcp::socket socket_;
    asio::steady_timer stall_timer_;
    const Clock::duration send_bound_;
    Events events_;
    std::weak_ptr<void> owner_;

    std::array<uint8_t, 16384> read_buffer_{};
    bool reading_ = false;  // reads go on (not ended)
    bool read_pending_ = false;
    bool paused_ = false;

    sim::Bytes sending_;  // in flight from offset_, unchanged while in flight
    std::size_t offset_ = 0;
    sim::Bytes waiting_;  // queued behind sending_
    bool writing_ = false;
    bool end_requested_ = false;
    bool sending_done_ = false;
    bool stall_watched_ = false;
    Clock::time_point last_progress_;
    std::size_t undelivered_ = 0;
};

}  // namespace engine
