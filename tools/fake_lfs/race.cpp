#include "tools/fake_lfs/race.h"

#include <algorithm>

#include "tools/fake_lfs/timeline.h"
#include "tools/simulator/lap_route.h"

namespace fake_lfs {

using engine::Clock;

Race::Race(asio::io_context& io, const Options& options, Events events)
    : options_(options), end_timer_(io), events_(std::move(events)) {}

void Race::start(Clock::time_point first_step, Clock::duration step_time) {
    if (started_) {
        return;
    }
    started_ = true;
    first_step_ = first_step;
    step_time_ = step_time;
    time_the_laps();
    events_.started(start_time(), step_time);
}

void Race::time_the_laps() {
    if (options_.laps == 0) {
        return;
    }
    const auto steps = static_cast<Clock::rep>(
        Timeline(static_cast<std::size_t>(options_.cars), sim::lap_route().size(), options_.laps)
            .steps(options_.laps));
    // Laps that would end beyond the clock's range never end.
    const Clock::rep room = (Clock::time_point::max() - first_step_).count() / step_time_.count();
    if (steps - 1 > room) {
        return;
    }
    ends_ = true;
    last_step_ = first_step_ + (steps - 1) * step_time_;
    end_timer_.expires_at(last_step_);
    end_timer_.async_wait([this](std::error_code error) {
        if (!error && !stopped_) {  // the wait may have fired before the stop
            events_.laps_driven();
        }
    });
}

bool Race::over_at(Clock::time_point when) const {
    return ends_ && when > last_step_;
}

std::size_t Race::step_at(Clock::time_point when) const {
    if (!started_ || when <= first_step_) {
        return 0;
    }
    return static_cast<std::size_t>((std::min(when, ends_ ? last_step_ : when) - first_step_) /
                                    step_time_);
}

void Race::stop() {
    stopped_ = true;
    end_timer_.cancel();
}

}  // namespace fake_lfs
