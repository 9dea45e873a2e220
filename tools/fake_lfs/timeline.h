// When the race's cars cross the line and the splits, in the order they
// do: the cars go one node of the lap a step, as car_position() drives them,
// the first from the line at the start and each other behind it by its
// share of the lap; the line is the lap's last node and three splits part
// it in four. A car's first crossing of the line is its start (the first
// car's is the race's start itself), and no split before it counts; each
// crossing of the line after it ends a lap, and the last lap's is its
// finish: the first lap is timed from the race's start, as from a grid. Times count in 1/cars of a
// step from the race's start, which is one step before the cars' first report, so that the first
// car ends each lap exactly at a report.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace fake_lfs {

// The splits of a lap, and the sectors they make.
constexpr unsigned kSplits = 3;
constexpr unsigned kSectors = kSplits + 1;

struct Crossing {
    std::size_t car;  // from 0
    unsigned lap;     // the lap it is in, from 1; for the line, the lap it ends
    unsigned split;   // 1 to kSplits, or 0 for the line
    uint64_t when;    // in 1/cars of a step after the race's start
};

// The node of the line on a lap of `nodes` nodes, and of its split
// `split` (1 to kSplits).
std::size_t line_node(std::size_t nodes);
std::size_t split_node(std::size_t nodes, unsigned split);

class Timeline {
  public:
    // The crossings of `cars` cars on a lap of `nodes` nodes, for `laps`
    // laps (0: without end).
    Timeline(std::size_t cars, std::size_t nodes, long laps);

    // The next crossing, if there is one still to come.
    const std::optional<Crossing>& next() const { return next_; }
    // Goes past the next crossing.
    void advance();
    // The car crosses no more (its player left the race).
    void retire(std::size_t car);

    // The steps from the race's start to the step of the last report of
    // `laps` laps: the first at or after the last car's finish.
    uint64_t steps(long laps) const;
    // `when` as a time after the race's start, one step being `step`.
    std::chrono::nanoseconds time_of(uint64_t when, std::chrono::nanoseconds step) const;

  private:
    // When crossing `index` (1: the first after the start) of `car` is.
    uint64_t when(std::size_t car, uint64_t index) const;
    void find_next();

    std::size_t cars_;
    std::size_t nodes_;
    long laps_;
    std::vector<uint64_t> crossed_;  // each car's crossings so far
    std::vector<bool> retired_;
    std::optional<Crossing> next_;
};

}  // namespace fake_lfs
