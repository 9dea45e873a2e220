// The scripted lap that fake_lfs's cars drive: one closed route of positions,
// one per car-position report, through every street area and through
// stretches that belong to none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/protocol/sim_records.h"

namespace sim {

// The route's positions in 1/65536 m, in driving order; after the last the
// car is back at the first.
const std::vector<CarPosition>& lap_route();

// Where car `car` (0 = the first) of `cars` is at report `step`. The cars are
// spread evenly along the lap, each behind the one before; a car between two
// route positions is on the straight line joining them. The first car is
// always at a route position.
CarPosition car_position(std::size_t car, std::size_t cars, std::size_t step);

}  // namespace sim
