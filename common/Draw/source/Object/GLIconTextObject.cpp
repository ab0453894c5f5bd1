#include "GLIconTextObject.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "K7DataIu1.h"
#include "K7DataPoint.h"

namespace qiv {

namespace {

constexpr float MAP_LABEL_Z = 10.0f;
constexpr float USER_LABEL_Z = 0.0f;
constexpr float SQRT2_FLOAT = 1.4142135f;
// Offset below the icons for a text position that is not one of the five.
constexpr double UNKNOWN_POSITION_DROP = 100.0;

template <typename T>
bool holdsOne(const std::vector<T>* list) {
    return list != nullptr && list->size() == 1;
}

// A new float array holding the values.
std::shared_ptr<float> newFloats(std::initializer_list<float> values) {
    std::shared_ptr<float> array(new float[values.size()], std::default_delete<float[]>());
    std::copy(values.begin(), values.end(), array.get());
    return array;
}

}  // namespace

GLIconTextObject::GLIconTextObject() : GLObject(ICON_TEXT_OBJECT) {}

bool GLIconTextObject::initialize(const std::string& id, float zIndex, const double position[2],
                                  std::vector<K7DataIu1>* textImages,
                                  std::vector<_TextAtlasInfo>* textAtlasList, int textPosition,
                                  std::vector<_TextAtlasInfo>* iconAtlasList,
                                  std::vector<K7DataIu1>* iconImages, float bearing, bool visible,
                                  float iconScale) {
    m_isUser = true;
    if (!holdsOne(textImages) && !holdsOne(textAtlasList) && !holdsOne(iconAtlasList) &&
        !holdsOne(iconImages)) {
        return false;
    }
    GLObject::initialize(id, zIndex, {position[0], position[1]});
    updateUserIcon(iconImages, iconAtlasList);
    updateUserText(textImages, textAtlasList);
    m_visible = visible;
    m_angle = bearing;
    m_textPosition = textPosition;
    m_zIndex = zIndex;
    m_iconScale = iconScale;
    return true;
}

void GLIconTextObject::clear() {
    m_vertex.reset();
    m_anchor.reset();
    m_vertexCount = 0;
    m_textPixelOffsets.clear();
    m_visible = false;
}

bool GLIconTextObject::setVertices(K7DataPoint<uint32_t>* point) {
    if (point == nullptr) return false;
    const GeoDataPoint& anchor = point->getContents();
    return placeVertex(anchor.x(), anchor.y(), MAP_LABEL_Z);
}

bool GLIconTextObject::setVertices(const std::vector<double>& position) {
    if (position.size() < 2) return false;
    return placeVertex(position[0], position[1], USER_LABEL_Z);
}

bool GLIconTextObject::placeVertex(double x, double y, float z) {
    if (!isVisibleRegionPoint(toUnsigned(x), toUnsigned(y))) return false;
    m_vertex = newFloats({static_cast<float>(x - m_offset[0]), static_cast<float>(y - m_offset[1]), z});
    ++m_vertexCount;
    return true;
}

void GLIconTextObject::setUserAnchor(double x, double y) {
    m_isUser = true;
    m_userVertices = {x, y};
}

void GLIconTextObject::setAnchorPoint(const std::shared_ptr<GLCoord>& anchor) {
    m_anchor = anchor;
}

bool GLIconTextObject::setIconInformation(const std::vector<textureInfo>& icons) {
    m_iconInfo = icons;
    return calculateIconBoundingBox();
}

bool GLIconTextObject::calculateIconBoundingBox() {
    if (!m_anchor || m_iconInfo.empty()) return false;
    const double k = scale();
    double minX = std::numeric_limits<double>::max();
    double minY = minX;
    double maxX = std::numeric_limits<double>::lowest();
    double maxY = maxX;
    for (const textureInfo& icon : m_iconInfo) {
        const double half = icon.iconSize / std::sqrt(2.0) * k * 0.5;
        const double aspect = icon.aspect;
        const double halfWidth = aspect < 1.0 ? half : half / aspect;
        const double halfHeight = aspect < 1.0 ? half * aspect : half;
        minX = std::min(minX, icon.offsetX - halfWidth);
        maxX = std::max(maxX, icon.offsetX + halfWidth);
        minY = std::min(minY, icon.offsetY - halfHeight);
        maxY = std::max(maxY, icon.offsetY + halfHeight);
    }
    m_iconBox[0] = minX + m_anchor->x;
    m_iconBox[1] = minY + m_anchor->y;
    m_iconBox[2] = maxX - minX;
    m_iconBox[3] = maxY - minY;
    return true;
}

void GLIconTextObject::getTextBBoxSize(double& width, double& height) const {
    const double k = scale();
    width = 0.0;
    height = 0.0;
    for (const _TextAtlasInfo& placement : m_textAtlasInfo) {
        width = std::max(width, k * placement.w);
        height += k * placement.h;
    }
}

bool GLIconTextObject::calculateTextPixelOffset() {
    if (m_textAtlasInfo.empty()) return false;
    double textWidth = 0.0;
    double textHeight = 0.0;
    getTextBBoxSize(textWidth, textHeight);
    const float previous[2] = {0.0f, 0.0f};
    const _TextAtlasInfo& first = m_textAtlasInfo.front();
    m_textPixelOffsets.push_back(getTextOffset(static_cast<int>(m_iconBox[2]), m_iconBox[3],
                                               static_cast<int>(textHeight), first.w, first.h,
                                               previous));
    calculateTextBoundingBox();
    return true;
}

std::shared_ptr<float> GLIconTextObject::getTextOffset(int iconWidth, double iconHeight,
                                                       int textHeight, double w, double h,
                                                       const float previous[2]) const {
    const double k = scale();
    const double iconHalfWidth = iconWidth / 2.0;
    double x = 0.0;
    if (m_textPosition == TEXT_RIGHT) x = iconHalfWidth + k * (w / 2.0 + TEXT_GAP);
    if (m_textPosition == TEXT_LEFT) x = -iconHalfWidth - k * (w / 2.0 + TEXT_GAP);
    double y = previous[1] + k * h / 2.0;
    if (m_textPixelOffsets.empty()) {
        switch (m_textPosition) {
            case TEXT_CENTER:
            case TEXT_RIGHT:
            case TEXT_LEFT: y = k * h / 2.0 - textHeight / 2.0; break;
            case TEXT_TOP: y = -textHeight - iconHeight / 2.0 + k * (h / 2.0 - TEXT_GAP); break;
            case TEXT_BOTTOM: y = iconHeight / 2.0 + k * (h / 2.0 + TEXT_GAP); break;
            default: y = iconHeight / 2.0 + k * (h / 2.0 + TEXT_GAP) + UNKNOWN_POSITION_DROP;
        }
    }
    return newFloats({static_cast<float>(x), static_cast<float>(y)});
}

bool GLIconTextObject::calculateTextBoundingBox() {
    if (m_textPixelOffsets.empty() || !m_anchor) return false;
    const double k = scale();
    double minX = 1e9;
    double minY = 1e9;
    const size_t count = std::min(m_textPixelOffsets.size(), m_textAtlasInfo.size());
    for (size_t i = 0; i < count; ++i) {
        const float* offset = m_textPixelOffsets[i].get();
        minX = std::min(minX, offset[0] - k * m_textAtlasInfo[i].w / 2.0);
        minY = std::min(minY, offset[1] - k * m_textAtlasInfo[i].h / 2.0);
    }
    m_textBox[0] = minX + m_anchor->x;
    m_textBox[1] = minY + m_anchor->y;
    getTextBBoxSize(m_textBox[2], m_textBox[3]);
    return true;
}

void GLIconTextObject::updateUserText(std::vector<K7DataIu1>* textImages,
                                      std::vector<_TextAtlasInfo>* textAtlasList) {
    m_isUser = true;
    m_textImages = textImages;
    m_textAtlasList = textAtlasList;
    m_textAtlasInfo.clear();
    m_textAtlasPixels = nullptr;
    m_textAtlasSize = 0;
    if (textAtlasList == nullptr || textAtlasList->empty()) return;
    m_textAtlasInfo.push_back(textAtlasList->front());
    if (textImages == nullptr || textImages->empty()) return;
    K7D_STR_IMPIXEL<uint8_t>& image = textImages->front().editContents();
    if (image.width != image.height) return;
    m_textAtlasPixels = image.samples.data();
    m_textAtlasSize = image.width;
}

void GLIconTextObject::updateUserIcon(std::vector<K7DataIu1>* iconImages,
                                      std::vector<_TextAtlasInfo>* iconAtlasList) {
    m_isUser = true;
    m_iconImages = iconImages;
    m_iconAtlasList = iconAtlasList;
    m_userIconList.clear();
    m_iconAtlasPixels = nullptr;
    m_iconAtlasSize = 0;
    if (iconAtlasList == nullptr || iconAtlasList->empty()) return;
    if (iconImages != nullptr && !iconImages->empty()) {
        K7D_STR_IMPIXEL<uint8_t>& image = iconImages->front().editContents();
        m_iconAtlasPixels = image.samples.data();
        m_iconAtlasSize = std::max(image.width, image.height);
    }
    convertUserIconList(*iconAtlasList, m_iconAtlasSize, m_userIconList);
}

void GLIconTextObject::convertUserIconList(const std::vector<_TextAtlasInfo>& placements,
                                           int atlasSize, std::vector<textureInfo>& out) {
    if (atlasSize < 1) return;
    const float side = static_cast<float>(atlasSize);
    for (const _TextAtlasInfo& placement : placements) {
        if (placement.w == 0 || placement.h == 0) continue;
        const float w = placement.w;
        const float h = placement.h;
        const float aspect = h / w;
        const float square = SQRT2_FLOAT * (aspect > 1.0f ? h : w);
        textureInfo icon;
        icon.texture = 0;
        icon.unit = 0;
        icon.sizeU = square / side;
        icon.sizeV = square / side;
        icon.offsetU = (placement.x - (square - w) / 2.0f) / side;
        icon.offsetV = (placement.y - (square - h) / 2.0f) / side;
        icon.iconSize = std::max(w, h) * SQRT2_FLOAT;
        icon.atlasSize = side;
        icon.aspect = aspect;
        out.push_back(icon);
    }
}

void GLIconTextObject::setUserPointBoundingBox4(const std::vector<double>& box) {
    m_hitBox = box;
}

}  // namespace qiv
