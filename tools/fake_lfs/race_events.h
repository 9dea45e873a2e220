// What the race tells every program as it happens (5.2): at its start the
// drivers joining (IS_NPL each), the race (IS_RST), its start order
// (IS_REO) and the state (IS_STA); each car's splits (IS_SPX) and laps
// (IS_LAP), with times that follow from its place on the race's clock
// (timeline.h), and its finish (IS_FIN, and IS_STA); once the last car is
// in, the results (IS_RES each), the race's end (TINY_REN) and the state.
// Each comes on a timer of its own at its time; a program's report asks
// first for what is due by then, so that it comes before the report.
#pragma once

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <functional>
#include <optional>
#include <vector>

#include "tools/engine/link.h"
#include "tools/fake_lfs/session.h"
#include "tools/fake_lfs/timeline.h"

namespace fake_lfs {

class RaceEvents {
  public:
    // Records for every program, in order.
    using Tell = std::function<void(const std::vector<sim::Bytes>& records)>;

    RaceEvents(asio::io_context& io, const Options& options, Session& session, Tell tell);

    // The race has started at `start`, a step being `step`.
    void started(engine::Clock::time_point start, engine::Clock::duration step);
    // Tells what has happened by `when`.
    void due(engine::Clock::time_point when);
    // The last step of the laps has gone: the results and the race's end.
    void laps_driven();
    // The player has left the race: its car crosses nothing more.
    void left(const Player& player);
    // Milliseconds of the race so far at `when`, 0 before it started.
    uint32_t race_ms(engine::Clock::time_point when) const;
    // Tells nothing more. A wait that had already fired still runs its
    // handler, which then finds no timeline and waits no more.
    void stop() {
        timer_.cancel();
        timeline_.reset();
    }

  private:
    void wait();
    // The records of one crossing, told with what else is due.
    void cross(const Crossing& crossing, std::vector<sim::Bytes>& records);

    const Options& options_;
    Session& session_;
    Tell tell_;
    asio::steady_timer timer_;
    std::optional<Timeline> timeline_;
    engine::Clock::time_point start_;
    engine::Clock::duration step_{};
    engine::Clock::time_point waiting_for_{};  // the timer's time, while it waits
};

}  // namespace fake_lfs
