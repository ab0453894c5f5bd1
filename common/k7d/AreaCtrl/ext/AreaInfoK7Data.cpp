#include "AreaInfoK7Data.h"

#include <cmath>

#include "Log.h"

namespace {
const uint64_t kWorldSize = uint64_t(1) << 32;
}

AreaInfoK7Data::AreaInfoK7Data() : AreaInfoBase(AREA_TYPE_K7DATA) {
    updateBox();
}

AreaInfoK7Data::AreaInfoK7Data(uint16_t level, uint32_t areaX, uint32_t areaY) : AreaInfoK7Data() {
    setArea(level, areaX, areaY);
}

AreaInfoK7Data::AreaInfoK7Data(const std::string& quadKey) : AreaInfoK7Data() {
    setQuadKey(quadKey);
}

AreaInfoK7Data::AreaInfoK7Data(uint16_t level, const GeoDataPoint& point) : AreaInfoK7Data() {
    setArea(level, point);
}

AreaInfoK7Data::~AreaInfoK7Data() = default;

uint64_t AreaInfoK7Data::getAreaDist(uint16_t level) {
    if (level > MAX_LEVEL) return 0;
    return kWorldSize >> level;
}

bool AreaInfoK7Data::setArea(uint16_t level, const GeoDataPoint& point) {
    if (!checkLevel(level)) return false;
    const uint64_t edge = getAreaDist(level);
    return setArea(level, static_cast<uint32_t>(toWorldCoordinate(point.x()) / edge),
                   static_cast<uint32_t>(toWorldCoordinate(point.y()) / edge));
}

bool AreaInfoK7Data::setArea(uint16_t level, uint32_t areaX, uint32_t areaY) {
    if (!checkLevel(level)) return false;
    m_level = level;
    m_areaX = areaX;
    m_areaY = areaY;
    updateBox();
    return true;
}

std::string AreaInfoK7Data::getQuadKey() const {
    std::string key;
    for (int bit = static_cast<int>(m_level) - 1; bit >= 0; --bit) {
        const int digit = 2 * ((m_areaY >> bit) & 1u) + ((m_areaX >> bit) & 1u);
        key += static_cast<char>('0' + digit);
    }
    return key;
}

bool AreaInfoK7Data::setQuadKey(const std::string& quadKey) {
    if (quadKey.size() > MAX_LEVEL) {
        K7D_LOG_ERROR("", "quad key too long:", quadKey);
        return false;
    }
    uint32_t areaX = 0;
    uint32_t areaY = 0;
    for (const char digit : quadKey) {
        if (digit < '0' || digit > '3') {
            K7D_LOG_ERROR("", "quad key digit out of range:", quadKey);
            return false;
        }
        const uint32_t value = static_cast<uint32_t>(digit - '0');
        areaX = (areaX << 1) | (value & 1u);
        areaY = (areaY << 1) | (value >> 1);
    }
    return setArea(static_cast<uint16_t>(quadKey.size()), areaX, areaY);
}

std::string AreaInfoK7Data::getDirName() const {
    std::string dirName;
    for (const char digit : getQuadKey()) {
        dirName += digit;
        dirName += '/';
    }
    return dirName;
}

// Computed in 64 bits, so that the far edges of the last tile reach 2^32.
void AreaInfoK7Data::updateBox() {
    const uint64_t edge = getAreaDist();
    m_box.setBox(static_cast<double>(m_areaX * edge), static_cast<double>(m_areaY * edge),
                 static_cast<double>((m_areaX + uint64_t(1)) * edge),
                 static_cast<double>((m_areaY + uint64_t(1)) * edge));
}

bool AreaInfoK7Data::checkLevel(uint16_t level) {
    if (level <= MAX_LEVEL) return true;
    K7D_LOG_ERROR("", "level out of range:", level);
    return false;
}

uint32_t AreaInfoK7Data::toWorldCoordinate(double value) {
    if (!(value > 0.0)) return 0;
    if (value >= static_cast<double>(kWorldSize - 1)) return static_cast<uint32_t>(kWorldSize - 1);
    return static_cast<uint32_t>(value);
}
