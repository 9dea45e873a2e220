#include "geometry/polygon.h"

namespace geometry {

Polygon::Polygon() {
    vertices_.reserve(3);
}

Polygon::Polygon(const std::vector<Point>& corners) : vertices_(corners) {}

void Polygon::addVertex(const Point& point) {
    vertices_.push_back(point);
}

bool Polygon::contains(const Point& point) const {
    // Differences are taken in 64 bits, so that no coordinates overflow; they
    // convert to double exactly, as 32-bit differences would where they fit.
    const int64_t x = point.getX();
    const int64_t y = point.getY();
    bool inside = false;
    const std::size_t n = vertices_.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& current = vertices_[i];
        const Point& previous = vertices_[i == 0 ? n - 1 : i - 1];
        if ((previous.getY() < y) == (current.getY() < y)) {
            continue;  // both ends on the same side; horizontal edges too
        }
        const int64_t dx = int64_t{previous.getX()} - current.getX();
        const int64_t dy = int64_t{previous.getY()} - current.getY();
        const int64_t h = y - current.getY();
        const double t = static_cast<double>(dx) / static_cast<double>(dy);
        const double u = static_cast<double>(h) * t;
        const double s = static_cast<double>(current.getX()) + u;
        const float crossing = static_cast<float>(s);
        if (static_cast<double>(crossing) > static_cast<double>(x)) {
            inside = !inside;
        }
    }
    return inside;
}

bool Polygon::removeVertex(uint32_t position) {
    if (position >= vertices_.size()) {
        return false;
    }
    vertices_.erase(vertices_.begin() + position);
    return true;
}

void Polygon::setVertex(const Point& point, uint32_t position) {
    vertices_.at(position) = point;
}

Point Polygon::getVertex(uint32_t position) const {
    return vertices_.at(position);
}

std::vector<Point> Polygon::getVertices() const {
    return vertices_;
}

}  // namespace geometry
