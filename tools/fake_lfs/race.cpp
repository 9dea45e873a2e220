#include "tools/fake_lfs/race.h"

#include <algorithm>

#include "tools/simulator/lap_route.h"

namespace fake_lfs {

using engine::Clock;

Race::Race(asio::io_context& io, const Options& options, std::function<void()> laps_driven)
    : options_(options), end_timer_(io), laps_driven_(std::move(laps_driven)) {}

void Race::start(Clock::time_point first_step, Clock::duration step_time) {
    if (started_) {
        return;
    }
    started_ = true;
    first_step_ = first_step;
    step_time_ = step_time;
    if (options_.laps == 0) {
        return;
    }
    const auto steps =
        static_cast<Clock::rep>(options_.laps) * static_cast<Clock::rep>(sim::lap_route().size());
    // Laps that would end beyond the clock's range never end.
    const Clock::rep room = (Clock::time_point::max() - first_step).count() / step_time.count();
    if (steps - 1 > room) {
        return;
    }
    ends_ = true;
    last_step_ = first_step + (steps - 1) * step_time;
    end_timer_.expires_at(last_step_);
    end_timer_.async_wait([this](std::error_code error) {
        if (!error) {
            laps_driven_();
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

std::vector<sim::CarPosition> Race::cars_at(Clock::time_point when) const {
    const auto cars = static_cast<std::size_t>(options_.cars);
    const std::size_t step = step_at(when);
    std::vector<sim::CarPosition> positions;
    positions.reserve(cars);
    for (std::size_t car = 0; car < cars; ++car) {
        positions.push_back(sim::car_position(car, cars, step));
    }
    return positions;
}

void Race::stop() {
    end_timer_.cancel();
}

}  // namespace fake_lfs
