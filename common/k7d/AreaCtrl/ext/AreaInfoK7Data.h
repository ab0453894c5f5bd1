#ifndef TOLKMAPS_K7D_AREAINFOK7DATA_H
#define TOLKMAPS_K7D_AREAINFOK7DATA_H

#include <cstdint>
#include <string>

#include "AreaInfoBase.h"
#include "GeoDataBox.h"
#include "GeoDataPoint.h"

// One tile of the world plane, which runs from 0 to 2^32 on both axes (world
// units, y north). A tile of level L (0 to 32) has the edge 2^(32 - L); its
// area numbers x and y count tiles from the origin. The quad key has one
// digit per level, 2 * (bit of y) + (bit of x), most significant bit first.
class AreaInfoK7Data : public AreaInfoBase {
public:
    static constexpr uint16_t MAX_LEVEL = 32;

    AreaInfoK7Data();
    // Arguments that the setters refuse leave the level-0 tile.
    AreaInfoK7Data(uint16_t level, uint32_t areaX, uint32_t areaY);
    explicit AreaInfoK7Data(const std::string& quadKey);
    AreaInfoK7Data(uint16_t level, const GeoDataPoint& point);
    ~AreaInfoK7Data() override;

    // The tile edge at `level` in world units: 2^(32 - level); 0 above MAX_LEVEL.
    static uint64_t getAreaDist(uint16_t level);
    uint64_t getAreaDist() const { return getAreaDist(m_level); }

    // The tile of `level` that holds `point`; coordinates outside the world
    // are clamped to it. A level above MAX_LEVEL is refused (logged, false).
    bool setArea(uint16_t level, const GeoDataPoint& point);
    // Area numbers at or above 2^level are kept as given; the quad key uses
    // their low `level` bits. A level above MAX_LEVEL is refused (logged, false).
    bool setArea(uint16_t level, uint32_t areaX, uint32_t areaY);

    std::string getQuadKey() const;
    // The level becomes the key's length. A key longer than MAX_LEVEL or with
    // a character other than 0 to 3 is refused (logged, false, nothing changed).
    bool setQuadKey(const std::string& quadKey);
    // The quad key with "/" after every digit.
    std::string getDirName() const;

    // The tile's box (minimum x and y, maximum x and y) in world units.
    const GeoDataBox& getBox() const { return m_box; }

    uint16_t getLevel() const { return m_level; }
    uint32_t getAreaX() const { return m_areaX; }
    uint32_t getAreaY() const { return m_areaY; }
    const std::string& getFileName() const { return m_fileName; }
    void setFileName(const std::string& fileName) { m_fileName = fileName; }

private:
    void updateBox();
    static bool checkLevel(uint16_t level);
    static uint32_t toWorldCoordinate(double value);

    uint16_t m_level = 0;
    uint32_t m_areaX = 0;
    uint32_t m_areaY = 0;
    std::string m_fileName;
    GeoDataBox m_box;
};

#endif
