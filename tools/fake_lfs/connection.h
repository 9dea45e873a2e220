// One program's connection to fake_lfs: its records cut out of the stream in
// the unit its introduction decides, records sent to it in that unit, sends
// that it may leave waiting no longer than the idle limit, lines about it
// marked with it once a second program has connected, and its end,
// after what was queued for it has gone. What a program is served (laps or
// a replay) is the business of a class made from this one.
//
// A connection is held by a shared pointer: every operation pending on it
// holds it too, so that its owner can let it go at any time.
#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "tools/engine/link.h"
#include "tools/fake_lfs/fake_lfs.h"
#include "tools/fake_lfs/marked_lines.h"
#include "tools/protocol/record_splitter.h"

namespace fake_lfs {

using engine::Clock;

class Connection : public std::enable_shared_from_this<Connection> {
  public:
    // What a connection tells the side that keeps it (the server).
    class Host {
      public:
        // The connection has ended with `status` (0, or 1 for a failure of
        // the program or of its connection); it may still deliver what was
        // queued. Once more, with 1, when it then cannot.
        virtual void finished(Connection& connection, int status) = 0;
        // The connection is closed; the host may let it go.
        virtual void closed(Connection& connection) = 0;
        // Whether lines about a program are marked with it now.
        virtual bool marking() const = 0;

      protected:
        ~Host() = default;
    };

    // The connection of program `number` (counted from 1 as they connect).
    Connection(asio::io_context& io, asio::ip::tcp::socket socket, const Options& options,
               int number, Host& host);
    virtual ~Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Starts reading; calls connected(). Once held by a shared pointer.
    void start();

    // Sends `record`, whose length in bytes is its size: its size byte is
    // set in the program's unit. Nothing once the connection has ended.
    void send_record(const sim::Bytes& record);
    // Sends `records` so, back to back, in one send.
    void send_records(const std::vector<sim::Bytes>& records);

    // Ends the connection with `status`. What is queued still goes to the
    // program, within the send bound; then the connection closes.
    void finish(int status);
    // Closes at once, dropping what is queued.
    void close();
    bool finished() const { return finished_; }

    int number() const { return number_; }
    // "program N", with the name from its introduction once known.
    std::string mark() const;

  protected:
    // The program has connected.
    virtual void connected() = 0;
    // Bytes from the program, whole records or not: a sign of life.
    virtual void heard() {}
    // One whole record from the program.
    virtual void received(const sim::Bytes& record) = 0;
    // The program has ended its side of the connection, or it failed.
    virtual void program_gone() = 0;
    // Stops the connection's own timers, once, as it ends.
    virtual void stop_timers() = 0;
    // Everything sent so far has been taken by the program.
    virtual void sent_all() {}

    // Sends bytes as they are.
    void send(std::span<const uint8_t> bytes);
    // Whether sends wait for the program to take them.
    bool waiting() const { return link_.queued() > 0; }
    // Bytes that one step of the size byte counts on this connection: set by
    // the program's introduction, 1 until then.
    std::size_t unit() const;
    // The protocol version served to the program's introduction; 0 before.
    int version() const { return splitter_.version().value_or(0); }
    void set_name(std::string name) { name_ = std::move(name); }
    // Standard output and standard error, each line marked with the program
    // once a second program has connected.
    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }
    // A handler that holds the connection while it waits.
    template <typename Handler>
    auto held(Handler handler) {
        return [self = shared_from_this(), handler = std::move(handler)](auto&&... args) mutable {
            handler(std::forward<decltype(args)>(args)...);
        };
    }

    asio::io_context& io_;
    const Options& options_;
    Clock::time_point connected_at_;

  private:
    void take(std::span<const uint8_t> bytes);
    void reading_ended(std::error_code error);
    void sending_ended(std::error_code error);
    void stalled();

    Host& host_;
    const int number_;
    std::string name_;
    engine::Link link_;
    framing::RecordSplitter splitter_;
    asio::steady_timer close_timer_;
    MarkedLines out_;
    MarkedLines err_;
    bool reading_done_ = false;
    bool sending_done_ = false;
    bool finished_ = false;
    bool closed_ = false;
};

}  // namespace fake_lfs
