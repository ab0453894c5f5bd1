#ifndef TOLKMAPS_K7D_GEOBASEBOX_H
#define TOLKMAPS_K7D_GEOBASEBOX_H

#include <ostream>

#include "GeoBasePoint.h"

// An axis-aligned box given by its minimum and maximum corners. The corners
// are stored as given; nothing reorders them.
class GeoBaseBox {
public:
    GeoBaseBox(double minX = 0.0, double minY = 0.0, double maxX = 0.0, double maxY = 0.0);
    virtual ~GeoBaseBox() = default;

    void setBox(double minX, double minY, double maxX, double maxY);

    double minX() const { return m_min.x(); }
    double minY() const { return m_min.y(); }
    double maxX() const { return m_max.x(); }
    double maxY() const { return m_max.y(); }

    bool operator==(const GeoBaseBox& other) const;
    bool operator!=(const GeoBaseBox& other) const { return !(*this == other); }

private:
    GeoBasePoint m_min;
    GeoBasePoint m_max;
};

std::ostream& operator<<(std::ostream& out, const GeoBaseBox& box);

#endif
