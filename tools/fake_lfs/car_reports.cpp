#include "tools/fake_lfs/car_reports.h"

#include <algorithm>
#include <string>

#include "tools/fake_lfs/timeline.h"
#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_fields.h"
#include "tools/simulator/lap_route.h"

namespace fake_lfs {
namespace {

// Where a player waits in the pits, and its node.
std::size_t pit_node() {
    return line_node(sim::lap_route().size());
}

// The node where driver `car` of `cars` is at step `step`, as
// car_position() places it.
std::size_t node_of(std::size_t car, std::size_t cars, std::size_t step) {
    const std::size_t nodes = sim::lap_route().size();
    const std::size_t lap = nodes * cars;
    return (step % nodes * cars + lap - car % cars * nodes) % lap / cars;
}

}  // namespace

std::vector<sim::Bytes> car_reports(const Session& session, const Race& race,
                                    engine::Clock::time_point when, int version, uint8_t reqi) {
    const auto cars = static_cast<std::size_t>(std::max<long>(session.cars(), 1));
    const std::size_t step = race.step_at(when);
    std::vector<sim::ReportedCar> reported;
    reported.reserve(session.players().size());
    for (const Player& player : session.players()) {
        reported.push_back({player.driving ? sim::car_position(*player.driving, cars, step)
                                           : sim::lap_route()[pit_node()],
                            player.plid, player.position});
    }
    std::vector<sim::Bytes> reports = sim::interval_reports(reported, version);
    for (sim::Bytes& report : reports) {
        report[catalogue::kReqIAt] = reqi;
    }
    return reports;
}

sim::Bytes node_lap_report(const Session& session, const Race& race, engine::Clock::time_point when,
                           uint8_t reqi) {
    const auto& players = session.players();
    const std::size_t count =
        std::min<std::size_t>(players.size(), catalogue::find("IS_NLP")->most);
    if (count == 0) {
        return {};
    }
    const auto cars = static_cast<std::size_t>(std::max<long>(session.cars(), 1));
    const std::size_t step = race.step_at(when);
    records::Builder report("IS_NLP", count);
    report.set("ReqI", reqi);
    for (std::size_t i = 0; i < count; ++i) {
        const Player& player = players[i];
        const std::string car = "Info[" + std::to_string(i) + "].";
        report
            .set(car + "Node",
                 static_cast<uint32_t>(player.driving ? node_of(*player.driving, cars, step)
                                                      : pit_node()))
            .set(car + "Lap", player.laps_done + 1)
            .set(car + "PLID", player.plid)
            .set(car + "Position", player.position);
    }
    return report.bytes();
}

}  // namespace fake_lfs
