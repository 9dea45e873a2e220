// A program's keep-alives and idle limit, as the simulator documents them: a
// keep-alive every --keepalive ms from the introduction on, a note when one
// went unanswered (when the next goes, or at the end, a second after it
// went), and the end of a program from which nothing at all has
// come for the idle limit, whatever --keepalive is. Only when the first
// keep-alive sent since the program was last heard went less than a second
// before the limit is its answer waited for to the end of that second, so
// that a program that answers every keep-alive stays, whatever the two
// settings.
#pragma once

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

#include "tools/engine/link.h"
#include "tools/fake_lfs/fake_lfs.h"

namespace fake_lfs {

class KeepAlives {
  public:
    struct Events {
        std::function<void()> send;        // sends a keep-alive
        std::function<void()> silent;      // ends a program silent for the limit
        std::function<void()> unanswered;  // a keep-alive went unanswered
    };

    // Notes go to `err`.
    KeepAlives(asio::io_context& io, const Options& options, std::ostream& err, Events events);

    // Starts both clocks, at the introduction. The timers hold `owner`
    // while they wait.
    void start(std::weak_ptr<void> owner);
    // Any bytes from the program: a sign of life.
    void heard();
    // A keep-alive came back.
    void answered() { pending_ = false; }
    // Stops both clocks; a keep-alive sent a second or more before and not
    // answered is noted first.
    void stop();

  private:
    void keep_alive();
    void unanswered(long long sent_ms_ago);
    void watch_idle();
    engine::Clock::time_point idle_deadline() const;

    const Options& options_;
    std::ostream& err_;
    asio::steady_timer keepalive_timer_;
    asio::steady_timer idle_timer_;
    Events events_;
    std::weak_ptr<void> owner_;
    bool running_ = false;
    bool pending_ = false;
    engine::Clock::time_point last_sent_;  // of the last keep-alive
    engine::Clock::time_point next_keepalive_;
    engine::Clock::time_point last_heard_;
    // When the first keep-alive since the program was last heard went.
    std::optional<engine::Clock::time_point> unanswered_since_;
};

}  // namespace fake_lfs
