#ifndef TOLKMAPS_MODEL_ZCONTROLLER_H
#define TOLKMAPS_MODEL_ZCONTROLLER_H

#include <cstdint>
#include <vector>

namespace qiv {

// Maps fractional zoom levels to camera heights in world units and back.
// The height where whole level L begins is entry L - 1 of the table (by
// default world size / 2^L); within a level the height falls linearly.
// Not locked: the engine's camera lock guards it.
class ZController {
public:
    ZController(uint32_t maxLevel, uint32_t minLevel, double worldSize);

    // Height of `level`; the level is first clamped to [min, max] and the
    // clamped value written back.
    double level2Zoom(double& level) const;
    // Level of `height`; the height is first clamped to the heights of the
    // max and min levels and the clamped value written back.
    double zoom2Level(double& height) const;
    // Moves the start of `level` to `height`; 1 when accepted, 0 when the
    // level is out of range or the height not strictly between the starts
    // of the neighbouring levels.
    int setZoomLevelBeginValue(int level, int height);
    // Height where `level` begins, truncated; 0 outside [min, max].
    int getZoomLevelBeginValue(int level) const;

private:
    bool isLevelInRange(int level) const;
    // Height span of whole level `level`, truncated to 32 bits.
    double levelStep(uint32_t level) const;

    uint32_t m_maxLevel;
    uint32_t m_minLevel;
    double m_worldSize;
    std::vector<double> m_levelHeights;
};

}  // namespace qiv

#endif
