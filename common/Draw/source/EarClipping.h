#ifndef TOLKMAPS_DRAW_EARCLIPPING_H
#define TOLKMAPS_DRAW_EARCLIPPING_H

#include <vector>

#include "GeoBasePoint.h"
#include "GeoDataLine.h"

namespace qiv {

// Tolerance of the collinearity test, in the units of the ring (world units).
constexpr double Epsilon_Medium = 1e-10;

// Triangulation of one simple polygon ring by ear clipping. The ring is
// turned clockwise first; each step cuts off the first convex vertex whose
// triangle holds no other vertex of the ring. Stateless; any thread.
class EarClipping {
public:
    static constexpr int RIGHT = -1;
    static constexpr int LEFT = 1;
    static constexpr int COLLINEAR = 0;
    static constexpr int CLOCKWISE = -1;
    static constexpr int COUNTER_CLOCKWISE = 1;

    virtual ~EarClipping() = default;

    // Appends the triangles (three-point lines) of the ring given as flat
    // x, y pairs; a trailing odd value is ignored. A repeated closing point
    // and consecutive duplicates are dropped. Answers false, appending nothing,
    // for fewer than 3 distinct points; answers false, keeping the triangles
    // found so far, when a scan finds no ear (a self-intersecting ring, or
    // more than 3 remaining points all on one line).
    static bool polygon_triangulate(const std::vector<double>& flatXY,
                                    std::vector<GeoDataLine>* triangles);

    // CLOCKWISE or COUNTER_CLOCKWISE from the signed area; CLOCKWISE for a
    // ring without area.
    static int polygon_orientation(const std::vector<GeoBasePoint>& ring);
    // Whether the turn at vertex i has the given orientation (RIGHT means
    // convex on a clockwise ring).
    static bool convex_vertex(const int& i, const std::vector<GeoBasePoint>& ring,
                              const int& orientation);
    // Whether the triangle (previous(i), i, next(i)) can be cut off: not
    // collinear and no other vertex inside it or on its border.
    static bool vertex_is_ear(const int& i, const std::vector<GeoBasePoint>& ring);
    // The triangle (previous(i), i, next(i)) as a three-point line.
    static GeoDataLine vertex_triangle(const int& i, const std::vector<GeoBasePoint>& ring);
    // LEFT, RIGHT or COLLINEAR for the turn a -> b -> c.
    static int orientation(const GeoBasePoint& a, const GeoBasePoint& b, const GeoBasePoint& c);
    // Inside or on the border of the triangle (three points).
    static bool point_in_triangle(const GeoBasePoint& p, const std::vector<GeoBasePoint>& triangle);
    // Whether the point opposite the longest side lies within epsilon of that side's line.
    static bool robust_collinear(double x1, double y1, double x2, double y2, double x3, double y3,
                                 double epsilon);

    // Ring index helpers for n points.
    static int previous(int i, int n) { return i == 0 ? n - 1 : i - 1; }
    static int next(int i, int n) { return i == n - 1 ? 0 : i + 1; }

private:
    // The ring's points without a closing repeat or consecutive duplicates.
    static std::vector<GeoBasePoint> readRing(const std::vector<double>& flatXY);
    // Index of the first ear of a clockwise ring, or -1.
    static int findEar(const std::vector<GeoBasePoint>& ring);
};

}  // namespace qiv

#endif
