#ifndef TOLKMAPS_MODEL_HITGEOMETRY_H
#define TOLKMAPS_MODEL_HITGEOMETRY_H

#include <vector>

#include "GeoBaseLine.h"
#include "GeoDataPoint.h"

namespace qiv {

// Whether a disc (centre x, y and radius r, all in world units) touches map
// geometry: the tests behind tapping a feature.
class HitGeometry {
public:
    // Winding number of (x, y) over consecutive vertex pairs (the ring is not
    // closed implicitly); inside when non-zero. Below 2 vertices: outside.
    static bool withinWN(const GeoBaseLine& ring, double x, double y);
    // The first point where the circle crosses the segment (x1, y1)-(x2, y2),
    // nearer the first end first.
    static bool findCrossPoint(double x, double y, double r, double x1, double y1, double x2,
                               double y2, GeoDataPoint& cross);
    // The first segment of the line that the circle crosses, with the point.
    static bool findCrossPointOnPolyLine(const GeoBaseLine& line, int& segment, GeoDataPoint& cross,
                                         double x, double y, double r);
    // True at either end, and strictly between them when the ends differ.
    static bool isPointOnSegment(double px, double py, double x1, double y1, double x2, double y2);
    // Whether a vertex lies within the disc.
    static bool pointInCircle(const GeoBaseLine& points, double x, double y, double r);
    // Whether the disc touches the ring's area less its holes.
    static bool circleInPolygon(const GeoBaseLine& ring, const std::vector<GeoBaseLine>& holes, double x,
                                double y, double r);

private:
    static bool touchesOutline(const GeoBaseLine& ring, double x, double y, double r);
};

}  // namespace qiv

#endif
