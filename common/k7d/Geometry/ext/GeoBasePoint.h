#ifndef TOLKMAPS_K7D_GEOBASEPOINT_H
#define TOLKMAPS_K7D_GEOBASEPOINT_H

#include <ostream>

// A planar point in double coordinates, in whatever unit the caller uses.
class GeoBasePoint {
public:
    GeoBasePoint(double x = 0.0, double y = 0.0);
    virtual ~GeoBasePoint() = default;

    void setCoord(double x, double y);
    // Adds (dx, dy) to the point.
    void shiftCoord(double dx, double dy);
    void shiftX(double dx);
    void shiftY(double dy);

    double x() const { return m_x; }
    double y() const { return m_y; }

    // Exact comparison of both coordinates.
    bool operator==(const GeoBasePoint& other) const;
    bool operator!=(const GeoBasePoint& other) const { return !(*this == other); }

private:
    double m_x;
    double m_y;
};

std::ostream& operator<<(std::ostream& out, const GeoBasePoint& point);

#endif
