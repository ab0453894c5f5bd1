#include "ZController.h"

#include <cmath>

namespace qiv {

ZController::ZController(uint32_t maxLevel, uint32_t minLevel, double worldSize)
    : m_maxLevel(maxLevel), m_minLevel(minLevel), m_worldSize(worldSize) {
    m_levelHeights.resize(m_maxLevel + 1);
    for (uint32_t i = 0; i <= m_maxLevel; ++i) {
        m_levelHeights[i] = m_worldSize / std::ldexp(1.0, static_cast<int>(i) + 1);
    }
}

double ZController::level2Zoom(double& level) const {
    if (!(level >= m_minLevel)) level = m_minLevel;
    if (level > m_maxLevel) level = m_maxLevel;
    const uint32_t whole = static_cast<uint32_t>(std::floor(level));
    return m_levelHeights[whole - 1] - (level - whole) * levelStep(whole);
}

double ZController::zoom2Level(double& height) const {
    const double lowest = m_levelHeights[m_maxLevel - 1];
    const double highest = m_levelHeights[m_minLevel - 1];
    if (!(height >= lowest)) height = lowest;
    if (height > highest) height = highest;
    for (uint32_t i = m_minLevel; i <= m_maxLevel; ++i) {
        const double top = m_levelHeights[i - 1];
        if (m_levelHeights[i] < height && height <= top) {
            return i + (top - height) / levelStep(i);
        }
    }
    return m_maxLevel;
}

int ZController::setZoomLevelBeginValue(int level, int height) {
    // The start of the level before it must exist to compare against.
    if (!isLevelInRange(level) || level < 2) return 0;
    if (!(m_levelHeights[level - 2] > height && height > m_levelHeights[level])) return 0;
    m_levelHeights[level - 1] = height;
    return 1;
}

int ZController::getZoomLevelBeginValue(int level) const {
    if (!isLevelInRange(level)) return 0;
    return static_cast<int>(m_levelHeights[level - 1]);
}

bool ZController::isLevelInRange(int level) const {
    return level >= static_cast<int>(m_minLevel) && level <= static_cast<int>(m_maxLevel);
}

double ZController::levelStep(uint32_t level) const {
    return static_cast<uint32_t>(m_levelHeights[level - 1] - m_levelHeights[level]);
}

}  // namespace qiv
