#include "AreaInfoCmdn.h"

AreaInfoCmdn::AreaInfoCmdn() : AreaInfoBase(AREA_TYPE_CMDN) {}

AreaInfoCmdn::~AreaInfoCmdn() = default;

void AreaInfoCmdn::setLocateInfo(int64_t mapX, int64_t mapY, const std::string& mapClass,
                                 const std::vector<uint16_t>& blockNumbers) {
    m_mapX = mapX;
    m_mapY = mapY;
    m_mapClass = mapClass;
    m_blockNumbers = blockNumbers;
}

void AreaInfoCmdn::setScaleInfo(double mapDistX, double mapDistY, double blockSizeX,
                                double blockSizeY, uint16_t blockCountX, uint16_t blockCountY) {
    m_mapDistX = mapDistX;
    m_mapDistY = mapDistY;
    m_blockSizeX = blockSizeX;
    m_blockSizeY = blockSizeY;
    m_blockCountX = blockCountX;
    m_blockCountY = blockCountY;
}

void AreaInfoCmdn::setBlock(uint16_t blockX, uint16_t blockY, uint16_t blockNumber) {
    m_blockX = blockX;
    m_blockY = blockY;
    m_blockNumber = blockNumber;
}
