#include "LineSplitter.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t worldUnit(double value) {
    return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 4294967295.0)));
}

}  // namespace

void LineSplitter::split(const GEOSGeometry* geometry, std::vector<std::vector<uint32_t>>& records) const {
    const int type = GEOSGeomTypeId_r(m_geos.handle(), geometry);
    if (type == GEOS_LINESTRING || type == GEOS_LINEARRING) {
        splitLine(geometry, records);
        return;
    }
    if (type != GEOS_MULTILINESTRING && type != GEOS_GEOMETRYCOLLECTION) return;
    const int count = GEOSGetNumGeometries_r(m_geos.handle(), geometry);
    for (int i = 0; i < count; ++i) split(GEOSGetGeometryN_r(m_geos.handle(), geometry, i), records);
}

void LineSplitter::splitLine(const GEOSGeometry* line, std::vector<std::vector<uint32_t>>& records) const {
    const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(m_geos.handle(), line);
    unsigned int size = 0;
    if (!sequence || !GEOSCoordSeq_getSize_r(m_geos.handle(), sequence, &size)) return;
    std::vector<uint32_t> points;
    points.reserve(size * 2);
    for (unsigned int i = 0; i < size; ++i) {
        double x = 0;
        double y = 0;
        GEOSCoordSeq_getXY_r(m_geos.handle(), sequence, i, &x, &y);
        const uint32_t px = worldUnit(x);
        const uint32_t py = worldUnit(y);
        const size_t n = points.size();
        if (n >= 2 && points[n - 2] == px && points[n - 1] == py) continue;
        points.push_back(px);
        points.push_back(py);
    }
    const size_t pointCount = points.size() / 2;
    if (pointCount < 2) return;
    for (size_t first = 0; first + 1 < pointCount; first += MAX_RECORD_POINTS - 1) {
        const size_t last = std::min(pointCount, first + MAX_RECORD_POINTS);
        records.emplace_back(points.begin() + static_cast<std::ptrdiff_t>(2 * first),
                             points.begin() + static_cast<std::ptrdiff_t>(2 * last));
    }
}
