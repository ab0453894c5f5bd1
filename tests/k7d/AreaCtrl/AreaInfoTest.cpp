#include <gtest/gtest.h>

#include <cmath>

#include "AreaInfoCmdn.h"
#include "AreaInfoK7Data.h"
#include "AreaInfoPixel.h"

namespace {

const double kWorld = 4294967296.0;

TEST(AreaInfoTest, QuadKeyAndDirectoryName) {
    const AreaInfoK7Data area(3, 5, 3);
    EXPECT_EQ(area.getQuadKey(), "123");
    EXPECT_EQ(area.getDirName(), "1/2/3/");
    EXPECT_EQ(area.getAreaType(), AREA_TYPE_K7DATA);

    const AreaInfoK7Data root;
    EXPECT_EQ(root.getQuadKey(), "");
    EXPECT_EQ(root.getDirName(), "");
}

TEST(AreaInfoTest, QuadKeyRoundTrips) {
    for (const std::string key : {"0", "3", "0123", "33333333333333333333333333333333", "2010"}) {
        AreaInfoK7Data area(key);
        EXPECT_EQ(area.getLevel(), key.size());
        EXPECT_EQ(area.getQuadKey(), key);
        EXPECT_EQ(AreaInfoK7Data(area.getLevel(), area.getAreaX(), area.getAreaY()).getQuadKey(),
                  key);
    }
    const AreaInfoK7Data area("123");
    EXPECT_EQ(area.getAreaX(), 5u);
    EXPECT_EQ(area.getAreaY(), 3u);
}

TEST(AreaInfoTest, BadQuadKeysAndLevelsAreRefused) {
    AreaInfoK7Data area("12");
    for (const std::string& key : std::vector<std::string>{"124", "1a", std::string(33, '0')}) {
        EXPECT_FALSE(area.setQuadKey(key)) << key;
        EXPECT_EQ(area.getQuadKey(), "12");
    }
    EXPECT_FALSE(area.setArea(33, 0, 0));
    EXPECT_FALSE(area.setArea(40, GeoDataPoint(1.0, 1.0)));
    EXPECT_EQ(area.getQuadKey(), "12");
    EXPECT_EQ(AreaInfoK7Data::getAreaDist(33), 0u);
}

TEST(AreaInfoTest, BoxesReachTheWorldEdge) {
    struct Case {
        uint16_t level;
        uint32_t x, y;
        GeoDataBox box;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, GeoDataBox(0, 0, kWorld, kWorld)},
        {1, 1, 1, GeoDataBox(kWorld / 2, kWorld / 2, kWorld, kWorld)},
        {2, 1, 3, GeoDataBox(kWorld / 4, 3 * kWorld / 4, kWorld / 2, kWorld)},
        {32, 4294967295u, 0, GeoDataBox(kWorld - 1, 0, kWorld, 1)},
    };
    for (const auto& c : cases) {
        const AreaInfoK7Data area(c.level, c.x, c.y);
        EXPECT_EQ(area.getBox(), c.box) << "level " << c.level;
        EXPECT_EQ(area.getAreaDist(), static_cast<uint64_t>(kWorld) >> c.level);
    }
}

TEST(AreaInfoTest, TileOfAPoint) {
    const AreaInfoK7Data area(2, GeoDataPoint(kWorld / 2 + 1, kWorld / 4 - 0.5));
    EXPECT_EQ(area.getAreaX(), 2u);
    EXPECT_EQ(area.getAreaY(), 0u);

    // Points outside the world fall into the tiles at its edges.
    const AreaInfoK7Data outside(3, GeoDataPoint(-10.0, kWorld * 2));
    EXPECT_EQ(outside.getAreaX(), 0u);
    EXPECT_EQ(outside.getAreaY(), 7u);
    const AreaInfoK7Data notANumber(3, GeoDataPoint(std::nan(""), kWorld - 1));
    EXPECT_EQ(notANumber.getAreaX(), 0u);
    EXPECT_EQ(notANumber.getAreaY(), 7u);
}

TEST(AreaInfoTest, OtherAreaKindsKeepTheirValues) {
    AreaInfoPixel pixel;
    pixel.setSize(256, 128);
    pixel.setMinPoint(GeoDataPoint(1, 2));
    pixel.setMaxPoint(GeoDataPoint(3, 4));
    EXPECT_EQ(pixel.getAreaType(), AREA_TYPE_PIXEL);
    EXPECT_EQ(pixel.getSizeX(), 256u);
    EXPECT_EQ(pixel.getSizeY(), 128u);
    EXPECT_EQ(pixel.getMaxPoint(), GeoDataPoint(3, 4));

    AreaInfoCmdn sheet;
    sheet.setLocateInfo(-5, 7, "A", {1, 2});
    sheet.setScaleInfo(100.0, 50.0, 10.0, 5.0, 10, 10);
    sheet.setBlock(3, 4, 43);
    EXPECT_EQ(sheet.getAreaType(), AREA_TYPE_CMDN);
    EXPECT_EQ(sheet.getMapX(), -5);
    EXPECT_EQ(sheet.getBlockNumbers(), (std::vector<uint16_t>{1, 2}));
    EXPECT_EQ(sheet.getBlockCountY(), 10);
    EXPECT_EQ(sheet.getBlockNumber(), 43);
}

}  // namespace
