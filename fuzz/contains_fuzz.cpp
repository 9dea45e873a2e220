// Fuzzes the even-odd test on small polygons against exact integer
// arithmetic, wherever single-precision rounding cannot decide the answer:
// inputs with a crossing within 1/100 of the point's x are left out.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/loopback.h"
#include "geometry/polygon.h"

namespace {

// The exact even-odd answer, or false in `decidable` when a crossing lies so
// close to the point that rounding may decide it.
bool exact_contains(const std::vector<geometry::Point>& corners, const geometry::Point& point,
                    bool& decidable) {
    decidable = true;
    bool inside = false;
    const int64_t x = point.getX();
    const int64_t y = point.getY();
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const geometry::Point& c = corners[i];
        const geometry::Point& p = corners[i == 0 ? corners.size() - 1 : i - 1];
        if ((p.getY() < y) == (c.getY() < y)) {
            continue;
        }
        const int64_t dx = int64_t{p.getX()} - c.getX();
        const int64_t dy = int64_t{p.getY()} - c.getY();
        const int64_t h = y - c.getY();
        // crossing - x = ((c.x - x) * dy + h * dx) / dy
        const int64_t numerator = (c.getX() - x) * dy + h * dx;
        if (100 * std::llabs(numerator) <= std::llabs(dy)) {
            decidable = false;
        }
        if ((numerator > 0) == (dy > 0) && numerator != 0) {
            inside = !inside;
        }
    }
    return inside;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 8);
    std::vector<geometry::Point> corners;
    for (std::size_t i = 0; i < count; ++i) {
        corners.emplace_back(input.ConsumeIntegral<int16_t>(), input.ConsumeIntegral<int16_t>());
    }
    const geometry::Point point(input.ConsumeIntegral<int16_t>(), input.ConsumeIntegral<int16_t>());

    bool decidable = false;
    const bool expected = exact_contains(corners, point, decidable);
    if (!decidable) {
        return 0;
    }
    fuzz::check(geometry::Polygon(corners).contains(point) == expected, "contains");
    std::reverse(corners.begin(), corners.end());
    fuzz::check(geometry::Polygon(corners).contains(point) == expected,
                "contains, corners listed the other way");
    return 0;
}
