#include "GLObject.h"

#include <algorithm>
#include <cmath>

#include "GLUtility.h"
#include "K7DataLn4.h"
#include "K7DataLnc.h"
#include "UnitConvertor.h"

namespace qiv {

namespace {

// Floats reserved for the rebased vertices of a map object.
constexpr size_t OFFSET_POINT_RESERVE = 900;
constexpr double MAX_UNSIGNED = 4294967295.0;

}  // namespace

GLObject::GLObject(int type) : m_type(static_cast<MapObjectType>(type)) {
    m_offsetPoints.reserve(OFFSET_POINT_RESERVE);
}

GLObject::~GLObject() = default;

void GLObject::clear() {}

bool GLObject::setVertices(K7DataLn4* line) {
    if (line == nullptr) return false;
    return isVisibleRegion(line->getContents());
}

void GLObject::setColor(K7DataLnc* color) {
    if (color == nullptr) return;
    const _K7D_STR_COLOR& bytes = color->getContents();
    setColor(makeColor(bytes.r / 255.0f, bytes.g / 255.0f, bytes.b / 255.0f, bytes.a / 255.0f));
}

void GLObject::setColor(const std::shared_ptr<float>& color) {
    m_color = color;
    if (!m_color) return;
    float* rgba = m_color.get();
    for (int i = 0; i < 4; ++i) rgba[i] = std::clamp(rgba[i], 0.0f, 1.0f);
}

void GLObject::setOffset(unsigned x, unsigned y) {
    m_offset[0] = x;
    m_offset[1] = y;
}

void GLObject::setZindex(float zIndex) {
    m_zIndex = zIndex;
}

void GLObject::setUserVisible(bool visible) {
    m_visible = visible;
}

void GLObject::bind() {}

bool GLObject::isColor() const {
    return static_cast<bool>(m_color);
}

bool GLObject::isTransparent() const {
    return m_color && m_color.get()[3] != 1.0f;
}

MapObjectType GLObject::getObjectType() const {
    return m_type;
}

const std::vector<float>& GLObject::getPoints() const {
    return m_offsetPoints;
}

bool GLObject::getVisibleFlag() const {
    return m_visible;
}

int GLObject::getVerticesNum() const {
    return m_vertexCount;
}

std::shared_ptr<float> GLObject::getColor() const {
    return m_color;
}

bool GLObject::registrateUserData() {
    return true;
}

float GLObject::getZindex() const {
    return m_zIndex;
}

const std::vector<double>& GLObject::getUserOriginalVertices() const {
    return m_userVertices;
}

void GLObject::setPixelFactor(double pixelFactor) {
    m_pixelFactor = pixelFactor;
}

void GLObject::offsetPoint(double originX, double originY) {
    if (m_points.size() < 3) return;
    m_offsetPoints.resize(m_points.size());
    for (size_t i = 0; i + 2 < m_points.size(); i += 3) {
        m_offsetPoints[i] = static_cast<float>(m_points[i] - originX);
        m_offsetPoints[i + 1] = static_cast<float>(m_points[i + 1] - originY);
        m_offsetPoints[i + 2] = static_cast<float>(m_points[i + 2]);
    }
}

bool GLObject::setUserVertices(const std::vector<double>& vertices) {
    m_userVertices = vertices;
    return true;
}

bool GLObject::isVisibleRegion(const GeoDataLine& /*line*/) {
    return true;
}

bool GLObject::initialize(const std::string& id, float zIndex) {
    m_id = id;
    m_zIndex = zIndex;
    return true;
}

bool GLObject::initialize(const std::string& id, float zIndex, const std::vector<double>& vertices) {
    initialize(id, zIndex);
    return setUserVertices(vertices);
}

void GLObject::setVisibleRegion(const GLCoord& minimum, const GLCoord& maximum) {
    m_visibleMin = minimum;
    m_visibleMax = maximum;
}

bool GLObject::isVisibleRegionPoint(unsigned x, unsigned y) const {
    return m_visibleMin.x <= x && x <= m_visibleMax.x && m_visibleMin.y <= y && y <= m_visibleMax.y;
}

bool GLObject::isVisibleRegionLine(float x1, float y1, float x2, float y2) const {
    return crossesVisibleBox(GLCoord(x1, y1, 0.0, true), GLCoord(x2, y2, 0.0, true));
}

bool GLObject::crossesVisibleBox(const GLCoord& a, const GLCoord& b) const {
    const GLCoord corners[4] = {
        GLCoord(m_visibleMax.x, m_visibleMax.y, 0.0, true),
        GLCoord(m_visibleMax.x, m_visibleMin.y, 0.0, true),
        GLCoord(m_visibleMin.x, m_visibleMin.y, 0.0, true),
        GLCoord(m_visibleMin.x, m_visibleMax.y, 0.0, true),
    };
    for (int i = 0; i < 4; ++i) {
        if (CrossLine(a, b, corners[i], corners[(i + 1) % 4], nullptr, nullptr)) return true;
    }
    return false;
}

bool GLObject::CrossLine(const GLCoord& a, const GLCoord& b, const GLCoord& c, const GLCoord& d,
                         double* x, double* y) {
    return GLUtility::CrossLine(PointLF(a.x, a.y), PointLF(b.x, b.y), PointLF(c.x, c.y),
                                PointLF(d.x, d.y), x, y);
}

void GLObject::addPoint(unsigned x, unsigned y) {
    m_points.push_back(x);
    m_points.push_back(y);
    m_points.push_back(0.0);
}

std::vector<double> GLObject::convertLatLng2Fourbyte(const std::vector<double>& latLng) {
    std::vector<double> world;
    world.reserve(latLng.size());
    for (size_t i = 0; i + 1 < latLng.size(); i += 2) {
        double x = 0.0;
        double y = 0.0;
        UnitConvertor::Latlng2FourByte(LatLng(latLng[i], latLng[i + 1]), &x, &y);
        world.push_back(x);
        world.push_back(y);
    }
    return world;
}

double GLObject::distance(const GLCoord& a, const GLCoord& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

GLCoord GLObject::normal(const GLCoord& a, const GLCoord& b) {
    const double length = distance(a, b);
    if (length == 0.0) return GLCoord(0.0, 0.0, 0.0, true);
    return GLCoord((b.x - a.x) / length, (b.y - a.y) / length, 0.0, true);
}

bool GLObject::calcMatrix(const double m[2][2], const double v[2], double out[2]) {
    return GLUtility::calcMatrix(m, v, out);
}

bool GLObject::isCloseObject2D(const std::vector<double>& points) {
    const size_t n = points.size();
    return n >= 4 && points[0] == points[n - 2] && points[1] == points[n - 1];
}

std::shared_ptr<float> GLObject::makeColor(float r, float g, float b, float a) {
    std::shared_ptr<float> color(new float[4]{r, g, b, a}, std::default_delete<float[]>());
    return color;
}

unsigned GLObject::toUnsigned(double coordinate) {
    if (!(coordinate > 0.0)) return 0;
    if (coordinate >= MAX_UNSIGNED) return static_cast<unsigned>(MAX_UNSIGNED);
    return static_cast<unsigned>(coordinate);
}

void GLObject::clearVertices() {
    m_points.clear();
    m_offsetPoints.clear();
    m_vertexCount = 0;
}

GeoDataLine GLObject::toLine(const std::vector<double>& flatXY) {
    GeoDataLine line;
    for (size_t i = 0; i + 1 < flatXY.size(); i += 2) line.addCoord(flatXY[i], flatXY[i + 1]);
    return line;
}

}  // namespace qiv
