#include "tools/simulator/lap_route.h"

#include <algorithm>

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

CarPosition car_position(std::size_t car, std::size_t cars, std::size_t step) {
    const auto& route = lap_route();
    const std::size_t n = route.size();
    cars = std::max<std::size_t>(cars, 1);
    // Progress round the lap in 1/cars of a route step; car c is c * n / cars
    // steps behind the first.
    const std::size_t lap = n * cars;
    const std::size_t progress = (step % n * cars + lap - car % cars * n) % lap;
    const CarPosition& from = route[progress / cars];
    const CarPosition& to = route[(progress / cars + 1) % n];
    const auto part = static_cast<int64_t>(progress % cars);
    const auto between = [&](int32_t a, int32_t b) {
        return static_cast<int32_t>(a + (static_cast<int64_t>(b) - a) * part /
                                            static_cast<int64_t>(cars));
    };
    return {between(from.x, to.x), between(from.y, to.y)};
}

}  // namespace sim
