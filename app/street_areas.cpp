#include "app/street_areas.h"

#include <array>

namespace street_names {

geometry::Polygon backstraightArea;
geometry::Polygon chicaneArea;
geometry::Polygon sector2Area;

const char backstraightName[] = "Backstraight";
const char chicaneName[] = "Chicane";
const char sector2Name[] = "Sector 2";
const char noAreaName[] = "";

namespace {

using Corners = std::array<geometry::Point, 5>;

const Corners backstraightCorners = {
    {{439, -730}, {407, -730}, {126, 403}, {174, 421}, {342, -233}}};
const Corners chicaneCorners = {{{124, 541}, {72, 628}, {17, 592}, {12, 508}, {40, 508}}};
const Corners sector2Corners = {{{203, -767}, {134, -724}, {143, -623}, {159, -604}, {183, -663}}};

void addCorners(geometry::Polygon& area, const Corners& corners) {
    for (const geometry::Point& corner : corners) {
        area.addVertex(corner);
    }
}

}  // namespace

void addAreaCorners() {
    addCorners(backstraightArea, backstraightCorners);
    addCorners(chicaneArea, chicaneCorners);
    addCorners(sector2Area, sector2Corners);
}

const char* areaNameAt(const geometry::Point& pos) {
    if (backstraightArea.contains(pos)) {
        return backstraightName;
    }
    if (chicaneArea.contains(pos)) {
        return chicaneName;
    }
    if (sector2Area.contains(pos)) {
        return sector2Name;
    }
    return noAreaName;
}

}  // namespace street_names
