// A position with signed 32-bit integer coordinates, free of units.
#pragma once

#include <cstdint>

namespace geometry {

class Point {
  public:
    Point() = default;  // (0, 0)
    Point(int32_t x, int32_t y) : x_(x), y_(y) {}

    int32_t getX() const { return x_; }
    int32_t getY() const { return y_; }

    friend bool operator==(const Point&, const Point&) = default;

  private:
    int32_t x_ = 0;
    int32_t y_ = 0;
};

}  // namespace geometry
