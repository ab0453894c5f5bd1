#include "GeoBaseLine.h"

#include <algorithm>

void GeoBaseLine::addCoord(double x, double y) { m_points.emplace_back(x, y); }

void GeoBaseLine::insertCoord(size_t i, double x, double y) {
    if (i > m_points.size()) return;
    m_points.insert(m_points.begin() + static_cast<std::ptrdiff_t>(i), GeoBasePoint(x, y));
}

void GeoBaseLine::deleteCoord(size_t i) {
    if (i >= m_points.size()) return;
    m_points.erase(m_points.begin() + static_cast<std::ptrdiff_t>(i));
}

void GeoBaseLine::replaceCoord(size_t i, double x, double y) {
    if (i >= m_points.size()) return;
    m_points[i].setCoord(x, y);
}

void GeoBaseLine::clear() { m_points.clear(); }

void GeoBaseLine::reverse() { std::reverse(m_points.begin(), m_points.end()); }

bool GeoBaseLine::operator==(const GeoBaseLine& other) const { return m_points == other.m_points; }

std::ostream& operator<<(std::ostream& out, const GeoBaseLine& line) {
    out << '[';
    for (const GeoBasePoint& point : line.getLine()) out << point;
    return out << ']';
}
