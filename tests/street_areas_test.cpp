// The area table and the reading of the first car's position.
#include "app/street_areas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/display_loop.h"
#include "tools/protocol/sim_records.h"
#include "tools/simulator/lap_route.h"

namespace {

using geometry::Point;

class StreetAreas : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { street_names::addAreaCorners(); }
};

TEST_F(StreetAreas, PositionsGetTheirAreaName) {
    const std::pair<Point, std::string> cases[] = {
        {{330, -300}, "Backstraight"},
        {{250, 0}, "Backstraight"},
        {{420, -729}, "Backstraight"},
        {{300, -300}, ""},
        {{225, 0}, ""},
        {{420, -730}, ""},
        {{50, 550}, "Chicane"},
        {{160, -700}, "Sector 2"},
        {{0, 0}, ""},
    };
    for (const auto& [pos, name] : cases) {
        EXPECT_EQ(street_names::areaNameAt(pos), name) << pos.getX() << ", " << pos.getY();
    }
}

TEST_F(StreetAreas, EveryAreaHasItsFiveCorners) {
    EXPECT_EQ(street_names::backstraightArea.getVertices().size(), 5u);
    EXPECT_EQ(street_names::chicaneArea.getVertices().size(), 5u);
    EXPECT_EQ(street_names::sector2Area.getVertices().size(), 5u);
    EXPECT_EQ(street_names::chicaneArea.getVertex(0), Point(124, 541));
    EXPECT_EQ(street_names::sector2Area.getVertex(4), Point(183, -663));
}

std::optional<Point> first_car(const sim::Bytes& report) {
    char packet[512] = {};
    std::memcpy(packet, report.data(), report.size());
    return street_names::firstCarPosition(packet);
}

TEST(FirstCarPosition, MetresTruncateTowardZero) {
    const std::pair<int32_t, int32_t> cases[] = {
        {-98304, -1}, {-65535, 0}, {65536, 1}, {-65536, -1}, {330 * 65536 + 65535, 330}};
    for (const auto& [raw, metres] : cases) {
        auto pos = first_car(sim::car_report({{raw, -raw}, {7 * 65536, 7 * 65536}}));
        ASSERT_TRUE(pos);
        EXPECT_EQ(*pos, Point(metres, -metres)) << raw;
    }
}

TEST(FirstCarPosition, ReportsWithoutAFirstCarGiveNothing) {
    EXPECT_FALSE(first_car(sim::car_report({})));
    sim::Bytes cut = sim::car_report({{65536, 65536}});
    cut.resize(19);  // Y would end at byte 20
    cut[0] = 19;
    EXPECT_FALSE(first_car(cut));
    cut[0] = 20;
    cut.resize(20, 0);
    EXPECT_TRUE(first_car(cut));
}

}  // namespace

namespace {

TEST_F(StreetAreas, FakeLapPassesThroughEveryAreaAndThroughNone) {
    std::set<std::string> names;
    for (const sim::CarPosition& at : sim::lap_route()) {
        names.insert(
            street_names::areaNameAt({at.x / insim::kPositionUnit, at.y / insim::kPositionUnit}));
    }
    EXPECT_EQ(names, (std::set<std::string>{"", "Backstraight", "Chicane", "Sector 2"}));
}

}  // namespace
