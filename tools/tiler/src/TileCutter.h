#ifndef TOLKMAPS_TILER_TILECUTTER_H
#define TOLKMAPS_TILER_TILECUTTER_H

#include <functional>
#include <string>
#include <vector>

#include "GeosContext.h"
#include "WorldBox.h"

// Cuts a geometry into the tiles of one level. It descends the quad tree
// from the whole world and clips at each step only what reaches into a
// child square, so a large geometry costs its size times the level, not
// times the number of tiles. Each tile's square may be grown by a margin
// (lines take one so that their ends overlap across tile edges), and tiles
// can be limited to regions.
class TileCutter {
public:
    // Receives a tile's key and the part of the geometry inside its (grown)
    // square; the part lives only during the call.
    using Sink = std::function<void(const std::string& quadKey, const GEOSGeometry* part)>;

    explicit TileCutter(GeosContext& geos) : m_geos(geos) {}

    // `margin` in world units; `regions` empty means everywhere.
    void cut(const GEOSGeometry* geometry, int level, double margin, const std::vector<WorldBox>& regions,
             const Sink& sink);

private:
    void descend(const std::string& quadKey, const GEOSGeometry* geometry, const WorldBox& extent);
    bool inRegions(const WorldBox& box) const;

    GeosContext& m_geos;
    int m_level = 0;
    double m_margin = 0;
    const std::vector<WorldBox>* m_regions = nullptr;
    const Sink* m_sink = nullptr;
};

#endif
