#include "EarClipping.h"

#include <algorithm>
#include <cmath>

namespace qiv {

std::vector<GeoBasePoint> EarClipping::readRing(const std::vector<double>& flatXY) {
    std::vector<GeoBasePoint> ring;
    ring.reserve(flatXY.size() / 2);
    for (size_t i = 0; i + 1 < flatXY.size(); i += 2) {
        const GeoBasePoint point(flatXY[i], flatXY[i + 1]);
        if (ring.empty() || ring.back() != point) ring.push_back(point);
    }
    while (ring.size() > 1 && ring.back() == ring.front()) ring.pop_back();
    return ring;
}

bool EarClipping::polygon_triangulate(const std::vector<double>& flatXY,
                                      std::vector<GeoDataLine>* triangles) {
    std::vector<GeoBasePoint> ring = readRing(flatXY);
    if (ring.size() < 3 || triangles == nullptr) return false;
    if (polygon_orientation(ring) == COUNTER_CLOCKWISE) std::reverse(ring.begin(), ring.end());
    while (ring.size() > 3) {
        const int ear = findEar(ring);
        if (ear < 0) return false;
        triangles->push_back(vertex_triangle(ear, ring));
        ring.erase(ring.begin() + ear);
    }
    triangles->push_back(vertex_triangle(1, ring));
    return true;
}

int EarClipping::findEar(const std::vector<GeoBasePoint>& ring) {
    const int n = static_cast<int>(ring.size());
    for (int i = 0; i < n; ++i) {
        if (convex_vertex(i, ring, RIGHT) && vertex_is_ear(i, ring)) return i;
    }
    return -1;
}

int EarClipping::polygon_orientation(const std::vector<GeoBasePoint>& ring) {
    if (ring.size() < 2) return CLOCKWISE;
    const GeoBasePoint& p0 = ring[0];
    double area = 0.0;
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
        const GeoBasePoint& a = ring[i];
        const GeoBasePoint& b = ring[i + 1];
        area += (p0.x() - a.x()) * (p0.y() - b.y()) - (p0.x() - b.x()) * (p0.y() - a.y());
    }
    return area > 0.0 ? COUNTER_CLOCKWISE : CLOCKWISE;
}

bool EarClipping::convex_vertex(const int& i, const std::vector<GeoBasePoint>& ring,
                                const int& orientationWanted) {
    const int n = static_cast<int>(ring.size());
    return orientation(ring[previous(i, n)], ring[i], ring[next(i, n)]) == orientationWanted;
}

bool EarClipping::vertex_is_ear(const int& i, const std::vector<GeoBasePoint>& ring) {
    const int n = static_cast<int>(ring.size());
    const int before = previous(i, n);
    const int after = next(i, n);
    const GeoBasePoint& a = ring[before];
    const GeoBasePoint& b = ring[i];
    const GeoBasePoint& c = ring[after];
    if (robust_collinear(a.x(), a.y(), b.x(), b.y(), c.x(), c.y(), Epsilon_Medium)) return false;
    const std::vector<GeoBasePoint> triangle = {a, b, c};
    for (int k = 0; k < n; ++k) {
        if (k == before || k == i || k == after) continue;
        if (point_in_triangle(ring[k], triangle)) return false;
    }
    return true;
}

GeoDataLine EarClipping::vertex_triangle(const int& i, const std::vector<GeoBasePoint>& ring) {
    const int n = static_cast<int>(ring.size());
    GeoDataLine triangle;
    for (int k : {previous(i, n), i, next(i, n)}) triangle.addCoord(ring[k].x(), ring[k].y());
    return triangle;
}

int EarClipping::orientation(const GeoBasePoint& a, const GeoBasePoint& b, const GeoBasePoint& c) {
    const double d = (b.x() - a.x()) * (c.y() - a.y()) - (c.x() - a.x()) * (b.y() - a.y());
    if (d > 0.0) return LEFT;
    if (d < 0.0) return RIGHT;
    return COLLINEAR;
}

bool EarClipping::point_in_triangle(const GeoBasePoint& p, const std::vector<GeoBasePoint>& triangle) {
    const int t = orientation(triangle[0], triangle[1], p);
    const int w = orientation(triangle[1], triangle[2], p);
    const int u = orientation(triangle[2], triangle[0], p);
    if (t * w == -1) return false;
    if (t == u || u == 0) return true;
    if (t == 0) return w * u >= 0;
    if (w == 0) return t * u >= 0;
    return false;
}

bool EarClipping::robust_collinear(double x1, double y1, double x2, double y2, double x3,
                                   double y3, double epsilon) {
    const double side12 = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
    const double side23 = (x3 - x2) * (x3 - x2) + (y3 - y2) * (y3 - y2);
    const double side31 = (x1 - x3) * (x1 - x3) + (y1 - y3) * (y1 - y3);
    // The longest side from (ax, ay) to (bx, by) and the point (px, py) opposite it.
    double ax = x1, ay = y1, bx = x2, by = y2, px = x3, py = y3, longest = side12;
    if (side23 > longest) {
        ax = x2, ay = y2, bx = x3, by = y3, px = x1, py = y1, longest = side23;
    }
    if (side31 > longest) {
        ax = x3, ay = y3, bx = x1, by = y1, px = x2, py = y2, longest = side31;
    }
    if (longest == 0.0) return true;
    const double t = ((px - ax) * (bx - ax) + (py - ay) * (by - ay)) / longest;
    const double projectedX = ax + t * (bx - ax);
    const double projectedY = ay + t * (by - ay);
    return std::hypot(px - projectedX, py - projectedY) <= epsilon;
}

}  // namespace qiv
