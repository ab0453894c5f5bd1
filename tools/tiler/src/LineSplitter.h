#ifndef TOLKMAPS_TILER_LINESPLITTER_H
#define TOLKMAPS_TILER_LINESPLITTER_H

#include <cstdint>
#include <vector>

#include "GeosContext.h"

// Turns the lines of a geometry into polyline records: coordinates rounded
// to whole world units, repeated points dropped, and lines longer than a
// record may hold split into pieces that share their joining point.
// Polygons and points in the geometry are ignored.
class LineSplitter {
public:
    // The kit draws at most this many points of one line record.
    static constexpr size_t MAX_RECORD_POINTS = 16000;

    explicit LineSplitter(GeosContext& geos) : m_geos(geos) {}

    // Appends the records (x, y, x, y, ...) of every line with at least two
    // distinct points.
    void split(const GEOSGeometry* geometry, std::vector<std::vector<uint32_t>>& records) const;

private:
    void splitLine(const GEOSGeometry* line, std::vector<std::vector<uint32_t>>& records) const;

    GeosContext& m_geos;
};

#endif
