#ifndef TOLKMAPS_K7D_AREAINFOCMDN_H
#define TOLKMAPS_K7D_AREAINFOCMDN_H

#include <cstdint>
#include <string>
#include <vector>

#include "AreaInfoBase.h"

// An area of a map sheet divided into numbered blocks: where the sheet lies,
// which blocks are wanted and how the sheet is divided.
class AreaInfoCmdn : public AreaInfoBase {
public:
    AreaInfoCmdn();
    ~AreaInfoCmdn() override;

    // The sheet's place, its class and the wanted block numbers.
    void setLocateInfo(int64_t mapX, int64_t mapY, const std::string& mapClass,
                       const std::vector<uint16_t>& blockNumbers);
    // The sheet's extent, one block's extent and the block counts, per axis.
    void setScaleInfo(double mapDistX, double mapDistY, double blockSizeX, double blockSizeY,
                      uint16_t blockCountX, uint16_t blockCountY);
    // The block being read: its column, row and number.
    void setBlock(uint16_t blockX, uint16_t blockY, uint16_t blockNumber);

    int64_t getMapX() const { return m_mapX; }
    int64_t getMapY() const { return m_mapY; }
    const std::string& getMapClass() const { return m_mapClass; }
    const std::vector<uint16_t>& getBlockNumbers() const { return m_blockNumbers; }
    uint16_t getBlockX() const { return m_blockX; }
    uint16_t getBlockY() const { return m_blockY; }
    uint16_t getBlockNumber() const { return m_blockNumber; }
    double getMapDistX() const { return m_mapDistX; }
    double getMapDistY() const { return m_mapDistY; }
    double getBlockSizeX() const { return m_blockSizeX; }
    double getBlockSizeY() const { return m_blockSizeY; }
    uint16_t getBlockCountX() const { return m_blockCountX; }
    uint16_t getBlockCountY() const { return m_blockCountY; }

private:
    int64_t m_mapX = 0;
    int64_t m_mapY = 0;
    std::string m_mapClass;
    std::vector<uint16_t> m_blockNumbers;
    uint16_t m_blockX = 0;
    uint16_t m_blockY = 0;
    uint16_t m_blockNumber = 0;
    double m_mapDistX = 0.0;
    double m_mapDistY = 0.0;
    double m_blockSizeX = 0.0;
    double m_blockSizeY = 0.0;
    uint16_t m_blockCountX = 0;
    uint16_t m_blockCountY = 0;
};

#endif
