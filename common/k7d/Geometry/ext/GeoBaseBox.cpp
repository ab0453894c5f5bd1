#include "GeoBaseBox.h"

GeoBaseBox::GeoBaseBox(double minX, double minY, double maxX, double maxY)
    : m_min(minX, minY), m_max(maxX, maxY) {}

void GeoBaseBox::setBox(double minX, double minY, double maxX, double maxY) {
    m_min.setCoord(minX, minY);
    m_max.setCoord(maxX, maxY);
}

bool GeoBaseBox::operator==(const GeoBaseBox& other) const {
    return m_min == other.m_min && m_max == other.m_max;
}

std::ostream& operator<<(std::ostream& out, const GeoBaseBox& box) {
    return out << "box" << GeoBasePoint(box.minX(), box.minY()) << '-'
               << GeoBasePoint(box.maxX(), box.maxY());
}
