#ifndef TOLKMAPS_K7D_GEOBASEPOLY_H
#define TOLKMAPS_K7D_GEOBASEPOLY_H

#include <cstddef>
#include <ostream>
#include <vector>

#include "GeoBasePoint.h"

// A polygon as an ordered sequence of rings, each an ordered sequence of
// points; it always holds at least one ring (a new polygon has one empty
// ring). Rings are not closed implicitly. The calls without a ring argument
// act on the last ring. Ring or point indices of the editing calls that lie
// outside the polygon leave it unchanged; x() and y() need valid indices.
class GeoBasePoly {
public:
    using Ring = std::vector<GeoBasePoint>;

    GeoBasePoly();
    virtual ~GeoBasePoly() = default;

    // Replaces all rings; an empty list leaves one empty ring.
    void setPoly(const std::vector<Ring>& rings);

    template <typename Point>
    void setCoords(size_t ring, const std::vector<Point>& points) {
        if (ring < m_rings.size()) m_rings[ring].assign(points.begin(), points.end());
    }
    template <typename Point>
    void setCoords(const std::vector<Point>& points) {
        setCoords(lastRing(), points);
    }

    // Appends a ring with the given points, or an empty one.
    template <typename Point>
    void addPoly(const std::vector<Point>& points) {
        m_rings.emplace_back(points.begin(), points.end());
    }
    void addPoly();

    template <typename Point>
    void addCoords(size_t ring, const std::vector<Point>& points) {
        if (ring < m_rings.size()) m_rings[ring].insert(m_rings[ring].end(), points.begin(), points.end());
    }
    template <typename Point>
    void addCoords(const std::vector<Point>& points) {
        addCoords(lastRing(), points);
    }
    template <typename Iterator>
    void addCoords(Iterator first, Iterator last) {
        m_rings.back().insert(m_rings.back().end(), first, last);
    }

    void addCoord(size_t ring, double x, double y);
    void addCoord(double x, double y);
    // Inserts before point i; i equal to the ring's point count appends.
    void insertCoord(size_t ring, size_t i, double x, double y);
    void insertCoord(size_t i, double x, double y);
    void deleteCoord(size_t ring, size_t i);
    void deleteCoord(size_t i);
    void replaceCoord(size_t ring, size_t i, double x, double y);
    void replaceCoord(size_t i, double x, double y);

    size_t getPolyNum() const { return m_rings.size(); }
    // Point count of a ring; 0 for a ring that does not exist.
    size_t getPtNum(size_t ring) const;
    double x(size_t ring, size_t i) const { return m_rings[ring][i].x(); }
    double y(size_t ring, size_t i) const { return m_rings[ring][i].y(); }

    // Removes all rings and leaves one empty ring.
    void clear();
    // Empties one ring.
    void clear(size_t ring);
    void reverse();
    void reverse(size_t ring);
    const std::vector<Ring>& getPoly() const { return m_rings; }

    bool operator==(const GeoBasePoly& other) const;
    bool operator!=(const GeoBasePoly& other) const { return !(*this == other); }

private:
    size_t lastRing() const { return m_rings.size() - 1; }
    bool hasPoint(size_t ring, size_t i) const { return ring < m_rings.size() && i < m_rings[ring].size(); }

    std::vector<Ring> m_rings;
};

std::ostream& operator<<(std::ostream& out, const GeoBasePoly& poly);

#endif
