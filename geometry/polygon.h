// A closed area given by its corners, with an even-odd point-in-polygon test.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/point.h"

namespace geometry {

// The outline runs through the corners in the order they were added and
// closes from the last back to the first. Corners are not validated: any
// list is accepted, and fewer than 3 corners enclose nothing.
class Polygon {
  public:
    Polygon();  // no corners, room for 3
    Polygon(const Polygon& other) = default;
    Polygon(const std::vector<Point>& corners);
    Polygon& operator=(const Polygon& other) = default;

    // Appends a corner.
    void addVertex(const Point& point);

    // Even-odd test: whether a half-line from `point` towards greater x
    // crosses the outline an odd number of times. A point on the outline is
    // inside exactly when the interior lies on its greater-x side (on a
    // horizontal stretch, on its smaller-y side). Each crossing is computed
    // in double precision and rounded to single precision before it is
    // compared, so a crossing within half a single-precision step of x does
    // not count. Allocates nothing.
    bool contains(const Point& point) const;

    // Removes the corner at `position` (0-based); false, changing nothing,
    // when there is no such corner.
    bool removeVertex(uint32_t position);
    // Replace or read the corner at `position`; both throw std::out_of_range
    // when there is no such corner.
    void setVertex(const Point& point, uint32_t position);
    Point getVertex(uint32_t position) const;
    // A copy of the corners, in order.
    std::vector<Point> getVertices() const;

  private:
    std::vector<Point> vertices_;
};

}  // namespace geometry
