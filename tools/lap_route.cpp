#include "tools/lap_route.h"

namespace sim {
namespace {

constexpr int32_t kUnit = 65536;

// Whole metres plus a fraction, so that the client's truncation toward zero
// is exercised on both signs.
constexpr CarPosition at(int32_t x, int32_t y, int32_t x_fraction = kUnit / 2,
                         int32_t y_fraction = kUnit / 4) {
    return {x * kUnit + (x < 0 ? -x_fraction : x_fraction),
            y * kUnit + (y < 0 ? -y_fraction : y_fraction)};
}

constexpr std::size_t kFollowingGap = 3;

}  // namespace

const std::vector<CarPosition>& lap_route() {
    static const std::vector<CarPosition> route = {
        at(420, -700),  // up the backstraight
        at(330, -300), at(250, 0),    at(180, 300),
        at(150, 470),                            // between backstraight and chicane
        at(100, 550),  at(50, 580),              // through the chicane
        at(-20, 620),  at(-50, 300),  at(0, 0),  // round the back of the track
        at(60, -400),  at(100, -650), at(160, -700),
        at(185, -720),                 // sector 2
        at(300, -780), at(430, -750),  // back to the start
    };
    return route;
}

CarPosition car_position(std::size_t car, std::size_t step) {
    const auto& route = lap_route();
    const std::size_t behind = car * kFollowingGap % route.size();
    return route[(step + route.size() - behind) % route.size()];
}

}  // namespace sim
