#include "GeoBasePoint.h"

GeoBasePoint::GeoBasePoint(double x, double y) : m_x(x), m_y(y) {}

void GeoBasePoint::setCoord(double x, double y) {
    m_x = x;
    m_y = y;
}

void GeoBasePoint::shiftCoord(double dx, double dy) {
    m_x += dx;
    m_y += dy;
}

void GeoBasePoint::shiftX(double dx) { m_x += dx; }

void GeoBasePoint::shiftY(double dy) { m_y += dy; }

bool GeoBasePoint::operator==(const GeoBasePoint& other) const {
    return m_x == other.m_x && m_y == other.m_y;
}

std::ostream& operator<<(std::ostream& out, const GeoBasePoint& point) {
    return out << '(' << point.x() << ", " << point.y() << ')';
}
