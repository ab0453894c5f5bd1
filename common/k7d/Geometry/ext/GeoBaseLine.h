#ifndef TOLKMAPS_K7D_GEOBASELINE_H
#define TOLKMAPS_K7D_GEOBASELINE_H

#include <cstddef>
#include <ostream>
#include <vector>

#include "GeoBasePoint.h"

// An ordered sequence of points: a polyline, or a ring when its last point
// repeats its first (nothing closes it implicitly). Index arguments of the
// editing calls that lie outside the line leave it unchanged; x(i) and y(i)
// need a valid index.
class GeoBaseLine {
public:
    GeoBaseLine() = default;
    template <typename Iterator>
    GeoBaseLine(Iterator first, Iterator last) : m_points(first, last) {}
    template <typename Point>
    explicit GeoBaseLine(const std::vector<Point>& points) : m_points(points.begin(), points.end()) {}
    virtual ~GeoBaseLine() = default;

    // Replaces all points.
    template <typename Iterator>
    void setCoords(Iterator first, Iterator last) {
        m_points.assign(first, last);
    }
    template <typename Point>
    void setCoords(const std::vector<Point>& points) {
        setCoords(points.begin(), points.end());
    }

    // Appends points.
    template <typename Iterator>
    void addCoords(Iterator first, Iterator last) {
        m_points.insert(m_points.end(), first, last);
    }
    template <typename Point>
    void addCoords(const std::vector<Point>& points) {
        addCoords(points.begin(), points.end());
    }

    void addCoord(double x, double y);
    // Inserts before index i; i equal to the point count appends.
    void insertCoord(size_t i, double x, double y);
    void deleteCoord(size_t i);
    void replaceCoord(size_t i, double x, double y);

    size_t getPtNum() const { return m_points.size(); }
    double x(size_t i) const { return m_points[i].x(); }
    double y(size_t i) const { return m_points[i].y(); }

    void clear();
    void reverse();
    const std::vector<GeoBasePoint>& getLine() const { return m_points; }

    bool operator==(const GeoBaseLine& other) const;
    bool operator!=(const GeoBaseLine& other) const { return !(*this == other); }

private:
    std::vector<GeoBasePoint> m_points;
};

std::ostream& operator<<(std::ostream& out, const GeoBaseLine& line);

#endif
