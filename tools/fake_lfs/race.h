// The race that fake_lfs's programs watch: the cars driven round the
// scripted lap on one clock for all, a step of the lap at a time, from its
// start, one step before the first, to its end once the last car has
// finished the laps asked for (timeline.h). Each program samples the cars
// at its own interval; programs that sample at the same moment get the
// same cars.
#pragma once

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <cstddef>
#include <functional>
#include <vector>

#include "tools/engine/link.h"
#include "tools/fake_lfs/fake_lfs.h"
#include "tools/protocol/sim_records.h"

namespace fake_lfs {

class Race {
  public:
    struct Events {
        // The race has started at `start`, a step being `step_time`.
        std::function<void(engine::Clock::time_point start, engine::Clock::duration step_time)>
            started;
        // The last step of the laps is due.
        std::function<void()> laps_driven;
    };

    Race(asio::io_context& io, const Options& options, Events events);

    // Starts the clock, unless it runs: the first step at `first_step`, and
    // one more every `step_time`.
    void start(engine::Clock::time_point first_step, engine::Clock::duration step_time);
    bool started() const { return started_; }
    // When the race started, one step before its first.
    engine::Clock::time_point start_time() const { return first_step_ - step_time_; }
    engine::Clock::duration step_time() const { return step_time_; }
    // Whether the race has ended before `when`: never with --laps 0.
    bool over_at(engine::Clock::time_point when) const;
    // The time of the last step of the laps.
    engine::Clock::time_point last_step() const { return last_step_; }
    void stop();
    // The step the cars are at, at `when` (the first before it); where each
    // is then, car_position() says.
    std::size_t step_at(engine::Clock::time_point when) const;

  private:
    // Sets the time of the last step, when the laps end.
    void time_the_laps();

    const Options& options_;
    asio::steady_timer end_timer_;
    Events events_;
    bool started_ = false;
    bool ends_ = false;  // the laps end within the clock's range
    bool stopped_ = false;
    engine::Clock::time_point first_step_;
    engine::Clock::duration step_time_{};
    engine::Clock::time_point last_step_;
};

}  // namespace fake_lfs
