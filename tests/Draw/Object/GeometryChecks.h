#ifndef TOLKMAPS_TESTS_DRAW_OBJECT_GEOMETRYCHECKS_H
#define TOLKMAPS_TESTS_DRAW_OBJECT_GEOMETRYCHECKS_H

#include <cmath>
#include <cstddef>
#include <vector>

// Plane geometry for checking triangulations against their rings (flat x, y).
namespace geometry {

// Absolute area of a ring (closed or not) by the shoelace formula.
inline double ringArea(const std::vector<double>& ring) {
    double twice = 0.0;
    const size_t n = ring.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        twice += ring[2 * i] * ring[2 * j + 1] - ring[2 * j] * ring[2 * i + 1];
    }
    return std::fabs(twice) / 2.0;
}

inline double triangleArea(double ax, double ay, double bx, double by, double cx, double cy) {
    return std::fabs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2.0;
}

// Even-odd test of a point strictly inside a ring.
inline bool insideRing(const std::vector<double>& ring, double x, double y) {
    bool inside = false;
    const size_t n = ring.size() / 2;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = ring[2 * i], yi = ring[2 * i + 1];
        const double xj = ring[2 * j], yj = ring[2 * j + 1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

}  // namespace geometry

#endif
