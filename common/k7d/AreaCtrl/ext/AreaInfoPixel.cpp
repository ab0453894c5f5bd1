#include "AreaInfoPixel.h"

AreaInfoPixel::AreaInfoPixel() : AreaInfoBase(AREA_TYPE_PIXEL) {}

AreaInfoPixel::~AreaInfoPixel() = default;

void AreaInfoPixel::setSize(uint32_t sizeX, uint32_t sizeY) {
    m_sizeX = sizeX;
    m_sizeY = sizeY;
}
