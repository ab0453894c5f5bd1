#include "GeoBasePoly.h"

#include <algorithm>

GeoBasePoly::GeoBasePoly() : m_rings(1) {}

void GeoBasePoly::setPoly(const std::vector<Ring>& rings) {
    m_rings = rings;
    if (m_rings.empty()) m_rings.emplace_back();
}

void GeoBasePoly::addPoly() { m_rings.emplace_back(); }

void GeoBasePoly::addCoord(size_t ring, double x, double y) {
    if (ring < m_rings.size()) m_rings[ring].emplace_back(x, y);
}

void GeoBasePoly::addCoord(double x, double y) { addCoord(lastRing(), x, y); }

void GeoBasePoly::insertCoord(size_t ring, size_t i, double x, double y) {
    if (ring >= m_rings.size() || i > m_rings[ring].size()) return;
    m_rings[ring].insert(m_rings[ring].begin() + static_cast<std::ptrdiff_t>(i), GeoBasePoint(x, y));
}

void GeoBasePoly::insertCoord(size_t i, double x, double y) { insertCoord(lastRing(), i, x, y); }

void GeoBasePoly::deleteCoord(size_t ring, size_t i) {
    if (!hasPoint(ring, i)) return;
    m_rings[ring].erase(m_rings[ring].begin() + static_cast<std::ptrdiff_t>(i));
}

void GeoBasePoly::deleteCoord(size_t i) { deleteCoord(lastRing(), i); }

void GeoBasePoly::replaceCoord(size_t ring, size_t i, double x, double y) {
    if (hasPoint(ring, i)) m_rings[ring][i].setCoord(x, y);
}

void GeoBasePoly::replaceCoord(size_t i, double x, double y) { replaceCoord(lastRing(), i, x, y); }

size_t GeoBasePoly::getPtNum(size_t ring) const {
    return ring < m_rings.size() ? m_rings[ring].size() : 0;
}

void GeoBasePoly::clear() { m_rings.assign(1, Ring()); }

void GeoBasePoly::clear(size_t ring) {
    if (ring < m_rings.size()) m_rings[ring].clear();
}

void GeoBasePoly::reverse() {
    for (Ring& ring : m_rings) std::reverse(ring.begin(), ring.end());
}

void GeoBasePoly::reverse(size_t ring) {
    if (ring < m_rings.size()) std::reverse(m_rings[ring].begin(), m_rings[ring].end());
}

bool GeoBasePoly::operator==(const GeoBasePoly& other) const { return m_rings == other.m_rings; }

std::ostream& operator<<(std::ostream& out, const GeoBasePoly& poly) {
    out << '{';
    for (const GeoBasePoly::Ring& ring : poly.getPoly()) {
        out << '[';
        for (const GeoBasePoint& point : ring) out << point;
        out << ']';
    }
    return out << '}';
}
