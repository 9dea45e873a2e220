// The even-odd test, including the results that depend on rounding.
#include "geometry/polygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using geometry::Point;
using geometry::Polygon;
using Corners = std::vector<Point>;

const Corners kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const Corners kBackstraight = {{439, -730}, {407, -730}, {126, 403}, {174, 421}, {342, -233}};
const Corners kSlantedNear20000 = {{19990, 0}, {20000, 0}, {20001, 4000}, {19990, 4000}};

Corners reversed(Corners corners) {
    std::reverse(corners.begin(), corners.end());
    return corners;
}

struct ContainsCase {
    std::string label;
    Corners corners;
    Point point;
    bool inside;
};

std::vector<ContainsCase> contains_cases() {
    std::vector<ContainsCase> cases = {
        {"empty", {}, {0, 0}, false},
        {"one_corner_not_even_itself", {{3, 3}}, {3, 3}, false},
        {"segment_off_its_line", {{0, 0}, {10, 10}}, {5, 5}, false},
        // The two computed crossings of one segment fall on different sides
        // of 0, so a two-corner outline contains a point.
        {"segment_rounding", {{-1, -49}, {1, 49}}, {0, 0}, true},
        {"segment_rounding_reversed", {{1, 49}, {-1, -49}}, {0, 0}, true},
        {"backstraight_inside", kBackstraight, {330, -300}, true},
        {"backstraight_left_of_band", kBackstraight, {300, -300}, false},
        {"backstraight_middle", kBackstraight, {250, 0}, true},
        {"backstraight_left_of_middle", kBackstraight, {225, 0}, false},
        {"backstraight_above_lowest_edge", kBackstraight, {420, -729}, true},
        {"backstraight_on_lowest_edge", kBackstraight, {420, -730}, false},
        {"backstraight_corner_0", kBackstraight, {439, -730}, false},
        {"backstraight_corner_1", kBackstraight, {407, -730}, false},
        {"backstraight_corner_2", kBackstraight, {126, 403}, true},
        {"backstraight_corner_3", kBackstraight, {174, 421}, false},
        {"backstraight_corner_4", kBackstraight, {342, -233}, false},
        {"backstraight_on_left_upper_edge", kBackstraight, {150, 412}, true},
        {"backstraight_on_right_edge", kBackstraight, {258, 94}, false},
        // A crossing 0.00025 to the right of x = 20000 rounds onto 20000.
        {"rounding_loses_crossing", kSlantedNear20000, {20000, 1}, false},
        {"rounding_loses_crossing_higher", kSlantedNear20000, {20000, 2}, false},
        {"rounding_one_metre_left", kSlantedNear20000, {19999, 1}, true},
        {"rounding_near_zero", {{-1, -49}, {1, 49}, {-10, 49}}, {0, 0}, true},
        {"rounding_near_zero_reordered", {{-10, 49}, {1, 49}, {-1, -49}}, {0, 0}, false},
    };
    // The square gives the same answers in both directions.
    const std::vector<std::pair<Point, bool>> square_points = {
        {{5, 5}, true},    {{0, 5}, true},   {{10, 5}, false}, {{5, 0}, false},
        {{5, 10}, true},   {{0, 10}, true},  {{0, 0}, false},  {{10, 0}, false},
        {{10, 10}, false}, {{-1, 5}, false}, {{11, 5}, false},
    };
    for (const auto& [point, inside] : square_points) {
        const std::string at = std::to_string(point.getX()) + "_" + std::to_string(point.getY());
        cases.push_back({"square_" + at, kSquare, point, inside});
        cases.push_back({"square_reversed_" + at, reversed(kSquare), point, inside});
    }
    return cases;
}

class Contains : public ::testing::TestWithParam<ContainsCase> {};

TEST_P(Contains, FollowsTheEvenOddRuleAndItsRounding) {
    const ContainsCase& c = GetParam();
    EXPECT_EQ(Polygon(c.corners).contains(c.point), c.inside);
}

INSTANTIATE_TEST_SUITE_P(Cases, Contains, ::testing::ValuesIn(contains_cases()),
                         [](const auto& info) {
                             std::string name = info.param.label;
                             std::replace(name.begin(), name.end(), '-', 'm');
                             return name;
                         });

// Regression: differences of coordinates near the 32-bit limits overflowed a
// 32-bit integer (undefined behaviour, which the sanitizer build reports);
// they are formed in 64 bits.
TEST(ContainsLargeCoordinates, DifferencesBeyondThirtyTwoBitsStayExact) {
    constexpr int32_t lo = std::numeric_limits<int32_t>::min();
    constexpr int32_t hi = std::numeric_limits<int32_t>::max();
    const Polygon huge({{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}});
    EXPECT_TRUE(huge.contains({0, 0}));
    EXPECT_TRUE(huge.contains({lo, 0}));
    EXPECT_FALSE(huge.contains({0, lo}));
    const Polygon slanted({{lo, lo}, {hi, hi}, {lo, hi}});
    EXPECT_TRUE(slanted.contains({-1000000000, 1000000000}));
    EXPECT_FALSE(slanted.contains({1000000000, -1000000000}));
}

TEST(PolygonCorners, RemoveVertexTakesOneCornerOrNone) {
    Polygon area(kBackstraight);
    EXPECT_FALSE(area.removeVertex(5));
    EXPECT_EQ(area.getVertices(), kBackstraight);
    EXPECT_TRUE(area.removeVertex(4));
    EXPECT_EQ(area.getVertices(), Corners(kBackstraight.begin(), kBackstraight.end() - 1));

    // Removing the first corner closes the outline from the old last corner
    // to the old second one.
    Polygon square(kSquare);
    ASSERT_TRUE(square.removeVertex(0));
    EXPECT_EQ(square.getVertices(), (Corners{{10, 0}, {10, 10}, {0, 10}}));
    EXPECT_TRUE(square.contains({8, 5}));
    EXPECT_FALSE(square.contains({2, 5}));
}

TEST(PolygonCorners, PositionsPastTheEndThrowAndChangeNothing) {
    Polygon area(kSquare);
    EXPECT_THROW(area.getVertex(4), std::out_of_range);
    EXPECT_THROW(area.setVertex({1, 1}, 4), std::out_of_range);
    EXPECT_THROW(Polygon().getVertex(0), std::out_of_range);
    EXPECT_EQ(area.getVertices(), kSquare);
}

TEST(PolygonCorners, CopiesAreIndependent) {
    Polygon area;
    for (const Point& corner : kSquare) {
        area.addVertex(corner);
    }
    Polygon copy(area);
    const std::vector<Point> listed = area.getVertices();
    const Point first = area.getVertex(0);
    area.setVertex({-5, -5}, 0);
    EXPECT_EQ(area.getVertex(0), Point(-5, -5));
    EXPECT_EQ(copy.getVertices(), kSquare);
    EXPECT_EQ(listed, kSquare);
    EXPECT_EQ(first, Point(0, 0));
    copy.addVertex({20, 20});
    EXPECT_EQ(area.getVertices().size(), 4u);
}

}  // namespace
