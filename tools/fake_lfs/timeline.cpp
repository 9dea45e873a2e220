#include "tools/fake_lfs/timeline.h"

namespace fake_lfs {

Timeline::Timeline(std::size_t cars, std::size_t nodes, long laps)
    : cars_(cars), nodes_(nodes), laps_(laps), crossed_(cars, 0), retired_(cars, false) {
    find_next();
}

std::size_t line_node(std::size_t nodes) {
    return nodes - 1;
}

std::size_t split_node(std::size_t nodes, unsigned split) {
    return (line_node(nodes) + split * nodes / kSectors) % nodes;
}

uint64_t Timeline::when(std::size_t car, uint64_t index) const {
    const uint64_t lap = (index - 1) / kSectors;
    const uint64_t sector = (index - 1) % kSectors + 1;
    const uint64_t distance = lap * nodes_ + sector * nodes_ / kSectors;  // nodes past the line
    return distance * cars_ + car * nodes_;
}

void Timeline::find_next() {
    next_.reset();
    const uint64_t last = static_cast<uint64_t>(laps_) * kSectors;
    for (std::size_t car = 0; car < cars_; ++car) {
        const uint64_t index = crossed_[car] + 1;
        if (retired_[car] || (laps_ > 0 && index > last)) {
            continue;
        }
        const uint64_t at = when(car, index);
        // The car ahead first when two cross at once.
        if (!next_ || at < next_->when) {
            next_ = Crossing{car, static_cast<unsigned>((index - 1) / kSectors + 1),
                             static_cast<unsigned>(index % kSectors), at};
        }
    }
}

void Timeline::advance() {
    if (next_) {
        ++crossed_[next_->car];
        find_next();
    }
}

void Timeline::retire(std::size_t car) {
    if (car < cars_) {
        retired_[car] = true;
        find_next();
    }
}

uint64_t Timeline::steps(long laps) const {
    const uint64_t last_finish =
        static_cast<uint64_t>(laps) * nodes_ * cars_ + (cars_ - 1) * nodes_;
    return (last_finish + cars_ - 1) / cars_;
}

std::chrono::nanoseconds Timeline::time_of(uint64_t when, std::chrono::nanoseconds step) const {
    const auto cars = static_cast<int64_t>(cars_);
    return step * static_cast<int64_t>(when / cars_) +
           step * static_cast<int64_t>(when % cars_) / cars;
}

}  // namespace fake_lfs
