#ifndef TOLKMAPS_TILER_AREATRIANGULATOR_H
#define TOLKMAPS_TILER_AREATRIANGULATOR_H

#include <cstdint>
#include <vector>

#include "GeosContext.h"

// Turns the polygons of a geometry (holes included) into triangle lists as
// the kit draws map areas: every three points one triangle, coordinates
// rounded to whole world units. Lines and points in the geometry are
// ignored; triangles that rounding flattens are left out.
class AreaTriangulator {
public:
    // Points per triangle-list record; a multiple of 3.
    static constexpr size_t MAX_RECORD_POINTS = 15000;
    // How often a polygon that GEOS cannot triangulate is quartered.
    static constexpr int MAX_SPLIT_DEPTH = 6;

    explicit AreaTriangulator(GeosContext& geos) : m_geos(geos) {}

    // Appends triangle lists (x, y, x, y, ...), each at most
    // MAX_RECORD_POINTS points; false when some part could not be
    // triangulated even after snapping, repairing and quartering it.
    bool triangulate(const GEOSGeometry* geometry, std::vector<std::vector<uint32_t>>& records);

private:
    bool triangulateRobustly(const GEOSGeometry* polygon, std::vector<uint32_t>& points, int depth);
    bool triangulateParts(const GEOSGeometry* geometry, std::vector<uint32_t>& points);
    bool triangulatePolygonal(const GEOSGeometry* polygonal, std::vector<uint32_t>& points);
    void collectPolygons(const GEOSGeometry* geometry, std::vector<const GEOSGeometry*>& polygons) const;
    void appendTriangle(const GEOSGeometry* triangle, std::vector<uint32_t>& points) const;

    GeosContext& m_geos;
};

#endif
