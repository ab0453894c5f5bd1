#ifndef TOLKMAPS_K7D_AREAINFOPIXEL_H
#define TOLKMAPS_K7D_AREAINFOPIXEL_H

#include <cstdint>

#include "AreaInfoBase.h"
#include "GeoDataPoint.h"

// An area of an image: its size in pixels and the points that its minimum
// and maximum corners stand for.
class AreaInfoPixel : public AreaInfoBase {
public:
    AreaInfoPixel();
    ~AreaInfoPixel() override;

    uint32_t getSizeX() const { return m_sizeX; }
    uint32_t getSizeY() const { return m_sizeY; }
    void setSize(uint32_t sizeX, uint32_t sizeY);
    const GeoDataPoint& getMinPoint() const { return m_minPoint; }
    const GeoDataPoint& getMaxPoint() const { return m_maxPoint; }
    void setMinPoint(const GeoDataPoint& point) { m_minPoint = point; }
    void setMaxPoint(const GeoDataPoint& point) { m_maxPoint = point; }

private:
    uint32_t m_sizeX = 0;
    uint32_t m_sizeY = 0;
    GeoDataPoint m_minPoint;
    GeoDataPoint m_maxPoint;
};

#endif
