// The loop that turns each car-position report into a button naming the
// area in which the first reported car drives.
#pragma once

#include <optional>

#include "geometry/point.h"
#include "insim/insim_connection.h"
#include "insim/records.h"

namespace street_names {

// Sets the button's fixed fields: a dark button with identifier 237 near the
// top left of the screen.
void fillStreetButton(insim::IS_BTN& button);

// The first car's position in whole metres (truncated toward zero), or
// nothing when the report carries no first car: no car records, or a Size
// too short to hold its X and Y.
std::optional<geometry::Point> firstCarPosition(const char* report);

// Reads records until reading fails, sending one button per car-position
// report; other records are ignored. Returns -1.
int runDisplayLoop(insim::InsimConnection& connection, insim::IS_BTN& streetButton);

}  // namespace street_names
