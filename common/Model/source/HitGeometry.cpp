#include "HitGeometry.h"

#include <algorithm>
#include <cmath>

namespace qiv {

namespace {

const double kRightAngle = 1.5707963267948966;

// The angle at (px, py) between the directions to the two points, in
// radians; 0 when either direction has no length.
double angleAt(double px, double py, double x1, double y1, double x2, double y2) {
    const double ax = x1 - px, ay = y1 - py, bx = x2 - px, by = y2 - py;
    const double lengths = std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by);
    if (lengths == 0.0) return 0.0;
    return std::acos(std::clamp((ax * bx + ay * by) / lengths, -1.0, 1.0));
}

}  // namespace

bool HitGeometry::withinWN(const GeoBaseLine& ring, double x, double y) {
    if (ring.getPtNum() < 2) return false;
    int winding = 0;
    for (size_t i = 0; i + 1 < ring.getPtNum(); ++i) {
        const double x0 = ring.x(i), y0 = ring.y(i), x1 = ring.x(i + 1), y1 = ring.y(i + 1);
        const bool upward = y0 <= y && y < y1;
        const bool downward = y1 <= y && y < y0;
        if (!upward && !downward) continue;
        const double crossingX = x0 + (x1 - x0) * ((y - y0) / (y1 - y0));
        if (x < crossingX) winding += upward ? 1 : -1;
    }
    return winding != 0;
}

bool HitGeometry::findCrossPoint(double x, double y, double r, double x1, double y1, double x2,
                                 double y2, GeoDataPoint& cross) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0.0) {
        if (r * r != (x - x1) * (x - x1) + (y - y1) * (y - y1)) return false;
        cross = GeoDataPoint(x1, y1);
        return true;
    }
    double footX, footY, distance;
    if (dx == 0.0) {
        footX = x1, footY = y, distance = x - x1;
    } else if (dy == 0.0) {
        footX = x, footY = y1, distance = y - y1;
    } else {
        const double m = dy / dx;
        footX = (x1 * m + y + x / m - y1) / (m + 1.0 / m);
        footY = y1 + m * (footX - x1);
        distance = std::hypot(x - footX, y - footY);
    }
    if (r < std::fabs(distance)) return false;
    const double half = r == std::fabs(distance) ? 0.0 : std::sqrt(r * r - distance * distance);
    const double stepX = dx * half / std::sqrt(length2), stepY = dy * half / std::sqrt(length2);
    for (const double sign : {-1.0, 1.0}) {
        const double cx = footX + sign * stepX, cy = footY + sign * stepY;
        if (isPointOnSegment(cx, cy, x1, y1, x2, y2)) {
            cross = GeoDataPoint(cx, cy);
            return true;
        }
    }
    return false;
}

bool HitGeometry::findCrossPointOnPolyLine(const GeoBaseLine& line, int& segment, GeoDataPoint& cross,
                                           double x, double y, double r) {
    for (size_t i = 0; i + 1 < line.getPtNum(); ++i) {
        if (findCrossPoint(x, y, r, line.x(i), line.y(i), line.x(i + 1), line.y(i + 1), cross)) {
            segment = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

bool HitGeometry::isPointOnSegment(double px, double py, double x1, double y1, double x2, double y2) {
    if ((px == x1 && py == y1) || (px == x2 && py == y2)) return true;
    if (x1 == x2 && y1 == y2) return false;
    return angleAt(px, py, x1, y1, x2, y2) > kRightAngle;
}

bool HitGeometry::pointInCircle(const GeoBaseLine& points, double x, double y, double r) {
    for (size_t i = 0; i < points.getPtNum(); ++i) {
        const double dx = points.x(i) - x, dy = points.y(i) - y;
        if (r * r >= dx * dx + dy * dy) return true;
    }
    return false;
}

bool HitGeometry::circleInPolygon(const GeoBaseLine& ring, const std::vector<GeoBaseLine>& holes,
                                  double x, double y, double r) {
    if (!withinWN(ring, x, y)) return touchesOutline(ring, x, y, r);
    bool insideHole = false;
    for (const GeoBaseLine& hole : holes) {
        if (!withinWN(hole, x, y)) continue;
        if (touchesOutline(hole, x, y, r)) return true;
        insideHole = true;
    }
    return !insideHole;
}

bool HitGeometry::touchesOutline(const GeoBaseLine& ring, double x, double y, double r) {
    int segment = 0;
    GeoDataPoint cross;
    return findCrossPointOnPolyLine(ring, segment, cross, x, y, r) || pointInCircle(ring, x, y, r);
}

}  // namespace qiv
