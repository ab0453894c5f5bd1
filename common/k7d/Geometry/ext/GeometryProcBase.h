#ifndef TOLKMAPS_K7D_GEOMETRYPROCBASE_H
#define TOLKMAPS_K7D_GEOMETRYPROCBASE_H

#include <cstddef>
#include <vector>

#include "GeoDataBox.h"
#include "GeoDataLine.h"
#include "GeoDataPoint.h"
#include "GeoDataPoly.h"

// Planar geometry operations on the geometry values. Every operation is
// stateless and may be called from any thread. Coordinates are in the
// caller's unit; angles are in degrees; "clockwise" is meant in a frame whose
// y axis points up. A ring is closed when its last point repeats its first.
class GeometryProcBase {
public:
    virtual ~GeometryProcBase() = default;

    // Length of (dx, dy); distance between two points.
    static double distance(double dx, double dy);
    static double distance(double x1, double y1, double x2, double y2);
    static double distance(const GeoBasePoint& p1, const GeoBasePoint& p2);
    // Distance of P3 from the infinite line through P1 and P2; its distance
    // from P1 when P1 and P2 coincide.
    static double distance(const GeoBasePoint& p1, const GeoBasePoint& p2, const GeoBasePoint& p3);
    static double distance(double x1, double y1, double x2, double y2, double x3, double y3);

    // Angle at P2 from the direction of P1 to the direction of P3. With `inner`
    // 0 to 180; else 0 to 360, counterclockwise, so that a reflex corner of a
    // clockwise ring gives more than 180. Collinear or coincident points give 0
    // (180 when P2 lies on the line between far-apart P1 and P3).
    static double calcAngle(const GeoBasePoint& p1, const GeoBasePoint& p2, const GeoBasePoint& p3,
                            bool inner = false);
    static double calcAngle(double x1, double y1, double x2, double y2, double x3, double y3,
                            bool inner = false);

    // True for a clockwise ring (closed or not); false below 3 points.
    static bool checkClockwise(const GeoBaseLine& ring);
    // True when the single closed clockwise ring of the polygon has no reflex
    // corner; false for several rings or fewer than 2 points.
    static bool checkConvex(const GeoBasePoly& poly);

    // Exact equality of both coordinates.
    static bool checkSame(const GeoBasePoint& p1, const GeoBasePoint& p2);
    static bool checkSame(double x1, double y1, double x2, double y2);

    // Point in box, edges inside.
    static bool ptInBox(const GeoBasePoint& point, const GeoBaseBox& box);
    static bool ptInBox(double x, double y, double minX, double minY, double maxX, double maxY);

    // Bilinear weights of the corners (minX, minY), (maxX, minY), (minX, maxY),
    // (maxX, maxY) at the point; false when the point lies outside the box.
    // Along an axis where the box has no extent all weight goes to the minimum side.
    static bool bilineaWeight(const GeoBaseBox& box, const GeoBasePoint& point, double& w1, double& w2,
                              double& w3, double& w4);
    // Bilinear interpolation of the corner values a, b, c, d (same corner order).
    static bool bilinea(const GeoBaseBox& box, const GeoBasePoint& point, double a, double b, double c,
                        double d, double& out);

    // True when the boxes overlap or touch.
    static bool boxOverlay(double aMinX, double aMinY, double aMaxX, double aMaxY, double bMinX,
                           double bMinY, double bMaxX, double bMaxY);
    static bool boxOverlay(const GeoBaseBox& a, const GeoBaseBox& b);
    // 0 when the boxes are apart, 2 when A lies inside B, 3 when B lies inside
    // A (and not the other way round), 1 when they overlap otherwise.
    static int boxInBox(const GeoBaseBox& a, const GeoBaseBox& b);

    // Rotates (x, y) by the angle after exchanging x and y, about the origin.
    static void rotatePoint(double angle, GeoBasePoint& point);
    // Appends to the polygon's last ring the closed outline (5 points) of a
    // w x h rectangle centred on `center`, rotated by the angle.
    static void rotateBoxCenter(const GeoBasePoint& center, unsigned w, unsigned h, double angle,
                                GeoBasePoly& poly);
    // Appends to the polygon's last ring the closed outline (5 points) of a
    // w x h rectangle with one corner at `corner`, its sides turned by the angle.
    static void rotateBox(const GeoBasePoint& corner, unsigned w, unsigned h, double angle, GeoBasePoly& poly);
    // The same at the box's minimum corner with its size truncated to whole
    // units (0 for a negative size).
    static void rotateBox(const GeoBaseBox& box, double angle, GeoBasePoly& poly);

    // y = a * x + b through both points; false for a vertical line (x1 == x2).
    static bool calcAB(const GeoBasePoint& p1, const GeoBasePoint& p2, double& a, double& b);
    // Normalized a * x + b * y + c = 0 through both points; false when the
    // squared distance of the points is below the tolerance.
    static bool calcABC(const GeoBasePoint& p1, const GeoBasePoint& p2, double& a, double& b, double& c,
                        double tolerance);

    // Bounding box of the polygon's first ring or of the polyline. An empty
    // one gives the box (0, 0, 0, 0) and false.
    static bool setBox(const GeoBasePoly& poly, GeoBaseBox& box);
    static bool setBox(const GeoBaseLine& line, GeoBaseBox& box);

    // Intersection of the infinite lines P1P2 and P3P4; false for a line of
    // (nearly) no length or (nearly) parallel lines.
    static bool calcInterPos(const GeoBasePoint& p1, const GeoBasePoint& p2, const GeoBasePoint& p3,
                             const GeoBasePoint& p4, double tolerance, double& x, double& y);
    // Whether segment P1P2 meets segment P3P4; touching end points meet.
    static bool intersects(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                           double y4);
    // The exact test behind `intersects`, without the box test. Zero-length
    // segments never meet; parallel ones meet only on the same line.
    static bool decideInterPos(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                               double y4, double tolerance);
    // Whether a closed ring crosses itself (rings of at most 4 points never do).
    static bool intersectsPoly(const GeoBaseLine& ring);
    // Whether any segment of one polyline meets any segment of the other.
    static bool intersects(const GeoBaseLine& a, const GeoBaseLine& b);

    // Joins the polylines that share end points, in place; joints are not
    // repeated. Where three or more lines meet, they join in index order and
    // the rest start new lines. Lines without points are dropped.
    static void lineMerge(std::vector<GeoDataLine>& lines);

    // Splits a simple ring (closed or not, either orientation) into convex
    // pieces and appends their triangles (3 points each, not closed). False
    // when a piece had no usable cut and was dropped, or for fewer than 3 points.
    static bool triangulationLine(const GeoBaseLine& ring, std::vector<GeoDataLine>& triangles);
    // First vertex (0 to n - 2) of a closed clockwise ring with an angle above
    // 180, or -1 when the ring is convex or has fewer than 3 points.
    static long getConcavePos(const GeoBaseLine& ring);
    // The vertex to cut the reflex vertex k of a closed clockwise ring to, so
    // that both pieces stay clockwise and simple; the nearest one is preferred.
    // False (and an error line) when there is none.
    static bool getSplitPos(const GeoBaseLine& ring, size_t k, size_t& m);
    // Cuts a closed ring between vertices k and m into two closed rings.
    // False for k == m or an index outside the ring.
    static bool split(const GeoBaseLine& ring, size_t k, size_t m, GeoDataLine& first, GeoDataLine& second);
    // Tries to cut the corner a-b-c off a clockwise ring: 1 when point b was
    // removed as degenerate, 2 when the corner was cut off (b removed), 0 when
    // the ring is unchanged (also for indices outside the ring).
    static int checkTriangle(GeoBaseLine& ring, size_t a, size_t b, size_t c);
};

#endif
