#include "TileCutter.h"

#include "TileGrid.h"

void TileCutter::cut(const GEOSGeometry* geometry, int level, double margin, const std::vector<WorldBox>& regions,
                     const Sink& sink) {
    WorldBox extent;
    if (!m_geos.extent(geometry, extent)) return;
    m_level = level;
    m_margin = margin;
    m_regions = &regions;
    m_sink = &sink;
    descend("", geometry, extent);
}

void TileCutter::descend(const std::string& quadKey, const GEOSGeometry* geometry, const WorldBox& extent) {
    if (static_cast<int>(quadKey.size()) == m_level) {
        (*m_sink)(quadKey, geometry);
        return;
    }
    for (char digit = '0'; digit <= '3'; ++digit) {
        const std::string child = quadKey + digit;
        const WorldBox square = TileGrid::box(child);
        const WorldBox grown = square.grown(m_margin);
        if (!grown.intersects(extent) || !inRegions(square)) continue;
        if (grown.contains(extent)) {
            descend(child, geometry, extent);
            continue;
        }
        auto part = m_geos.own(GEOSClipByRect_r(m_geos.handle(), geometry, grown.west, grown.south, grown.east,
                                                grown.north));
        WorldBox partExtent;
        if (part && m_geos.extent(part.get(), partExtent)) descend(child, part.get(), partExtent);
    }
}

bool TileCutter::inRegions(const WorldBox& box) const {
    if (m_regions->empty()) return true;
    for (const auto& region : *m_regions) {
        if (region.intersects(box)) return true;
    }
    return false;
}
