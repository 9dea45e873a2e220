// The named areas of the track, in whole metres of the simulator's ground
// plane, and the look-up of a position's area name.
#pragma once

#include "geometry/point.h"
#include "geometry/polygon.h"

namespace street_names {

extern geometry::Polygon backstraightArea;
extern geometry::Polygon chicaneArea;
extern geometry::Polygon sector2Area;

extern const char backstraightName[];
extern const char chicaneName[];
extern const char sector2Name[];
extern const char noAreaName[];

// Adds the corners of the three areas; called once, before connecting.
void addAreaCorners();

// The name of the first area, in table order, that contains `pos`, or the
// empty name when none does.
const char* areaNameAt(const geometry::Point& pos);

}  // namespace street_names
