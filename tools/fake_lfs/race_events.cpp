#include "tools/fake_lfs/race_events.h"

#include <algorithm>

#include "tools/fake_lfs/session_records.h"
#include "tools/simulator/lap_route.h"

namespace fake_lfs {
namespace {

using engine::Clock;

uint32_t ms_of(Clock::duration time) {
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(time).count());
}

}  // namespace

RaceEvents::RaceEvents(asio::io_context& io, const Options& options, Session& session, Tell tell)
    : options_(options), session_(session), tell_(std::move(tell)), timer_(io) {}

void RaceEvents::started(Clock::time_point start, Clock::duration step) {
    start_ = start;
    step_ = step;
    session_.start_race();
    const std::size_t nodes = sim::lap_route().size();
    std::vector<sim::Bytes> records;
    const auto& players = session_.players();
    for (std::size_t i = 0; i < players.size(); ++i) {
        records.push_back(player_record(session_, players[i], 0, i + 1));
    }
    records.push_back(race_record(session_, nodes));
    records.push_back(start_order_record(session_));
    records.push_back(state_record(session_));
    tell_(records);
    const auto cars = static_cast<std::size_t>(options_.cars);
    timeline_.emplace(cars, nodes, options_.laps);
    for (std::size_t car = 0; car < cars; ++car) {
        if (session_.driver_of(car) == nullptr) {
            timeline_->retire(car);  // its driver left before the start
        }
    }
    wait();
}

void RaceEvents::due(Clock::time_point when) {
    if (!timeline_) {
        return;
    }
    std::vector<sim::Bytes> records;
    while (timeline_->next() &&
           start_ + timeline_->time_of(timeline_->next()->when, step_) <= when) {
        const Crossing crossing = *timeline_->next();
        timeline_->advance();
        cross(crossing, records);
    }
    if (!records.empty()) {
        tell_(records);
    }
    wait();
}

void RaceEvents::wait() {
    if (!timeline_ || !timeline_->next()) {
        return;
    }
    const Clock::time_point at = start_ + timeline_->time_of(timeline_->next()->when, step_);
    if (at == waiting_for_) {
        return;  // a report asked, and nothing is new: the timer stays
    }
    waiting_for_ = at;
    timer_.expires_at(at);
    timer_.async_wait([this, at](std::error_code error) {
        if (!error) {
            waiting_for_ = {};
            due(at);
        }
    });
}

void RaceEvents::cross(const Crossing& crossing, std::vector<sim::Bytes>& records) {
    Player* player = session_.driver_of(crossing.car);
    if (player == nullptr || player->finished) {
        return;
    }
    const uint32_t elapsed = ms_of(timeline_->time_of(crossing.when, step_));
    const uint32_t in_lap = elapsed - player->lap_began_ms;
    if (crossing.split != 0) {
        records.push_back(split_record(*player, crossing.split, in_lap, elapsed));
        return;
    }
    ++player->laps_done;
    player->lap_began_ms = elapsed;
    player->best_lap_ms = player->best_lap_ms == 0 ? in_lap : std::min(player->best_lap_ms, in_lap);
    records.push_back(lap_record(*player, in_lap, elapsed));
    if (options_.laps > 0 && player->laps_done >= static_cast<unsigned>(options_.laps)) {
        session_.finish(*player, elapsed);
        records.push_back(finish_record(*player, elapsed));
        records.push_back(state_record(session_));
    }
}

void RaceEvents::laps_driven() {
    due(Clock::now());
    timer_.cancel();
    timeline_.reset();
    std::vector<sim::Bytes> records;
    const auto& results = session_.results();
    // Confirmed one after the other, each counting the results so far.
    for (std::size_t i = 0; i < results.size(); ++i) {
        records.push_back(result_record(results[i], i, i + 1));
    }
    records.push_back(tiny("TINY_REN"));
    session_.end_race();
    records.push_back(state_record(session_));
    tell_(records);
}

void RaceEvents::left(const Player& player) {
    if (timeline_ && player.driving) {
        timeline_->retire(*player.driving);
        wait();
    }
}

uint32_t RaceEvents::race_ms(Clock::time_point when) const {
    return step_ == Clock::duration{} || when < start_ ? 0 : ms_of(when - start_);
}

}  // namespace fake_lfs
