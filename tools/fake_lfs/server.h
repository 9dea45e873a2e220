// fake_lfs's listening side: up to a number of programs at once, each on a
// connection of its own, and one more turned away at once with a line
// saying why; the time-out for a first program, the stop signals, and the
// end of fake_lfs, with status 1 when any program or connection failed.
#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tools/engine/stop_signals.h"
#include "tools/fake_lfs/connection.h"

namespace fake_lfs {

class Server : public Connection::Host {
  public:
    struct Rules {
        std::size_t max_programs;
        // Whether fake_lfs ends once no program is connected any more.
        bool end_when_all_gone;
        // The line for a program turned away.
        std::string turned_away;
    };
    // Makes the connection of program `number` on `socket`.
    using Make =
        std::function<std::shared_ptr<Connection>(asio::ip::tcp::socket socket, int number)>;

    Server(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options,
           Rules rules, Make make);
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Calls `announce` once stop signals are taken (it tells a caller where
    // fake_lfs listens; false ends it with status 1), then serves programs
    // until fake_lfs ends; the process's exit status.
    int run(const std::function<bool()>& announce);

    // Ends fake_lfs: no more programs are taken, and every connection ends
    // after what is queued for it has gone. The status is `status`, or 1
    // when a program or connection failed.
    void finish(int status);
    // Makes the status 1 at the end.
    void fail() { status_ = 1; }
    bool finishing() const { return finished_; }
    // Calls `about_to_end` as fake_lfs ends, before its connections do.
    void on_finish(std::function<void()> about_to_end) { about_to_end_ = std::move(about_to_end); }

    // The connections that have not ended, oldest first.
    std::vector<std::shared_ptr<Connection>> live() const;
    // Sends `record` to every program connected, each in its own unit.
    void send_to_all(const sim::Bytes& record);

    uint16_t port() const { return port_; }

  private:
    void accept_next();
    void serve(asio::ip::tcp::socket socket);
    void finished(Connection& connection, int status) override;
    void closed(Connection& connection) override;
    // From the second program on, for good: lines printed while several
    // were connected keep their meaning when fewer are left.
    bool marking() const override { return connected_ > 1; }

    asio::io_context& io_;
    asio::ip::tcp::acceptor& acceptor_;
    const Options& options_;
    const Rules rules_;
    const Make make_;
    const uint16_t port_;
    asio::steady_timer accept_timer_;
    asio::steady_timer accept_retry_timer_;
    engine::StopSignals signals_;
    std::function<void()> about_to_end_;
    std::vector<std::shared_ptr<Connection>> connections_;  // until closed
    int connected_ = 0;                                     // programs ever connected
    bool accept_failed_ = false;
    bool finished_ = false;
    int status_ = 0;
};

}  // namespace fake_lfs
