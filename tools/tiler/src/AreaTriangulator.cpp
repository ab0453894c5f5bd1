#include "AreaTriangulator.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t worldUnit(double value) {
    if (value <= 0) return 0;
    if (value >= 4294967295.0) return 4294967295u;
    return static_cast<uint32_t>(std::lround(value));
}

}  // namespace

bool AreaTriangulator::triangulate(const GEOSGeometry* geometry, std::vector<std::vector<uint32_t>>& records) {
    std::vector<const GEOSGeometry*> polygons;
    collectPolygons(geometry, polygons);
    std::vector<uint32_t> points;
    bool complete = true;
    for (const GEOSGeometry* polygon : polygons) complete = triangulateRobustly(polygon, points, 0) && complete;
    const size_t perRecord = MAX_RECORD_POINTS * 2;
    for (size_t start = 0; start < points.size(); start += perRecord) {
        const size_t end = std::min(points.size(), start + perRecord);
        records.emplace_back(points.begin() + static_cast<std::ptrdiff_t>(start),
                             points.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return complete;
}

// GEOS refuses some rings (nearly touching or collinear runs). Such a
// polygon is snapped to whole world units (where its points end up anyway)
// and repaired; failing that, it is cut into quarters, each tried alone.
bool AreaTriangulator::triangulateRobustly(const GEOSGeometry* polygon, std::vector<uint32_t>& points, int depth) {
    if (triangulatePolygonal(polygon, points)) return true;
    auto snapped = m_geos.own(GEOSGeom_setPrecision_r(m_geos.handle(), polygon, 1.0, 0));
    auto repaired = snapped ? m_geos.own(GEOSMakeValid_r(m_geos.handle(), snapped.get())) : nullptr;
    if (repaired && triangulateParts(repaired.get(), points)) return true;
    WorldBox extent;
    if (depth >= MAX_SPLIT_DEPTH || !m_geos.extent(polygon, extent)) return false;
    const double middleX = (extent.west + extent.east) / 2;
    const double middleY = (extent.south + extent.north) / 2;
    const WorldBox quarters[] = {{extent.west, extent.south, middleX, middleY},
                                 {middleX, extent.south, extent.east, middleY},
                                 {extent.west, middleY, middleX, extent.north},
                                 {middleX, middleY, extent.east, extent.north}};
    bool complete = true;
    for (const auto& quarter : quarters) {
        auto part = m_geos.own(GEOSClipByRect_r(m_geos.handle(), polygon, quarter.west, quarter.south, quarter.east,
                                                quarter.north));
        std::vector<const GEOSGeometry*> pieces;
        if (part) collectPolygons(part.get(), pieces);
        for (const GEOSGeometry* piece : pieces) complete = triangulateRobustly(piece, points, depth + 1) && complete;
    }
    return complete;
}

bool AreaTriangulator::triangulateParts(const GEOSGeometry* geometry, std::vector<uint32_t>& points) {
    std::vector<const GEOSGeometry*> pieces;
    collectPolygons(geometry, pieces);
    for (const GEOSGeometry* piece : pieces) {
        if (!triangulatePolygonal(piece, points)) return false;
    }
    return true;
}

bool AreaTriangulator::triangulatePolygonal(const GEOSGeometry* polygonal, std::vector<uint32_t>& points) {
    auto triangles = m_geos.own(GEOSConstrainedDelaunayTriangulation_r(m_geos.handle(), polygonal));
    if (!triangles) return false;
    const int count = GEOSGetNumGeometries_r(m_geos.handle(), triangles.get());
    for (int i = 0; i < count; ++i) appendTriangle(GEOSGetGeometryN_r(m_geos.handle(), triangles.get(), i), points);
    return true;
}

void AreaTriangulator::collectPolygons(const GEOSGeometry* geometry,
                                       std::vector<const GEOSGeometry*>& polygons) const {
    const int type = GEOSGeomTypeId_r(m_geos.handle(), geometry);
    if (type == GEOS_POLYGON) {
        if (GEOSisEmpty_r(m_geos.handle(), geometry) == 0) polygons.push_back(geometry);
        return;
    }
    if (type != GEOS_MULTIPOLYGON && type != GEOS_GEOMETRYCOLLECTION) return;
    const int count = GEOSGetNumGeometries_r(m_geos.handle(), geometry);
    for (int i = 0; i < count; ++i) collectPolygons(GEOSGetGeometryN_r(m_geos.handle(), geometry, i), polygons);
}

void AreaTriangulator::appendTriangle(const GEOSGeometry* triangle, std::vector<uint32_t>& points) const {
    const GEOSGeometry* ring = GEOSGetExteriorRing_r(m_geos.handle(), triangle);
    const GEOSCoordSequence* sequence = ring ? GEOSGeom_getCoordSeq_r(m_geos.handle(), ring) : nullptr;
    unsigned int size = 0;
    if (!sequence || !GEOSCoordSeq_getSize_r(m_geos.handle(), sequence, &size) || size < 3) return;
    uint32_t corner[6];
    for (unsigned int i = 0; i < 3; ++i) {
        double x = 0;
        double y = 0;
        GEOSCoordSeq_getXY_r(m_geos.handle(), sequence, i, &x, &y);
        corner[2 * i] = worldUnit(x);
        corner[2 * i + 1] = worldUnit(y);
    }
    const double twiceArea = (static_cast<double>(corner[2]) - corner[0]) * (static_cast<double>(corner[5]) - corner[1]) -
                             (static_cast<double>(corner[4]) - corner[0]) * (static_cast<double>(corner[3]) - corner[1]);
    if (twiceArea == 0) return;
    points.insert(points.end(), corner, corner + 6);
}
