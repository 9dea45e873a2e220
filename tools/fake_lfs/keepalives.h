// fake_lfs's keep-alives and idle limit, as the simulator documents them: a
// keep-alive every --keepalive ms from the introduction on, a note on
// standard error when one went unanswered, and the end of a client that has
// been silent for the idle limit once a keep-alive sent in that time has
// gone unanswered for a second. The two clocks start together, so a client
// that answers every keep-alive stays, whatever the two settings.
#pragma once

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <functional>
#include <optional>

#include "tools/engine/link.h"
#include "tools/fake_lfs/fake_lfs.h"

namespace fake_lfs {

class KeepAlives {
  public:
    // `send` sends a keep-alive; `silent` ends a client silent for the limit.
    KeepAlives(asio::io_context& io, const Options& options, std::function<void()> send,
               std::function<void()> silent);

    // Starts both clocks, at the introduction.
    void start();
    // Any bytes from the client: a sign of life.
    void heard();
    // A keep-alive came back.
    void answered() { pending_ = false; }
    void stop();

  private:
    void keep_alive();
    void watch_idle();
    engine::Clock::time_point idle_deadline() const;

    const Options& options_;
    asio::steady_timer keepalive_timer_;
    asio::steady_timer idle_timer_;
    std::function<void()> send_;
    std::function<void()> silent_;
    bool running_ = false;
    bool pending_ = false;
    engine::Clock::time_point next_keepalive_;
    engine::Clock::time_point last_heard_;
    // When the first keep-alive since the client was last heard went.
    std::optional<engine::Clock::time_point> unanswered_since_;
};

}  // namespace fake_lfs
