#include <gtest/gtest.h>

#include <string>

#include "TileSystem.h"

using qiv::TileSystem;

TEST(TileSystemTest, PixelYGrowsNorthFromTheSouthEdge) {
    int px = 0;
    int py = 0;
    TileSystem::LatLongToPixelXY(0.0, 0.0, 1, px, py);
    EXPECT_EQ(px, 256);
    EXPECT_EQ(py, 256);
    TileSystem::LatLongToPixelXY(60.0, 10.0, 3, px, py);
    EXPECT_GT(py, 1024) << "northern latitudes lie in the upper half of the pixel square";

    double lat = 0.0;
    double lng = 0.0;
    TileSystem::PixelXYToLatLong(0, 0, 5, lat, lng);
    EXPECT_NEAR(lat, -85.0511287798, 1e-9);
    EXPECT_DOUBLE_EQ(lng, -180.0);
}

TEST(TileSystemTest, OutOfRangeInputIsClippedToTheMap) {
    int px = 0;
    int py = 0;
    TileSystem::LatLongToPixelXY(89.9, 200.0, 2, px, py);
    EXPECT_EQ(px, 1023);
    EXPECT_EQ(py, 1023);
    TileSystem::LatLongToPixelXY(-90.0, -181.0, 2, px, py);
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, 0);

    double lat = 0.0;
    double lng = 0.0;
    TileSystem::PixelXYToLatLong(-50, 5000, 2, lat, lng);
    double edgeLat = 0.0;
    double edgeLng = 0.0;
    TileSystem::PixelXYToLatLong(0, 1023, 2, edgeLat, edgeLng);
    EXPECT_DOUBLE_EQ(lat, edgeLat);
    EXPECT_DOUBLE_EQ(lng, edgeLng);
}

TEST(TileSystemTest, PixelToLatLongInvertsLatLongToPixel) {
    const double cases[][2] = {{35.681236, 139.767125}, {-33.86, 151.2}, {51.5, -0.12}, {0, 0}};
    for (const auto& c : cases) {
        int px = 0;
        int py = 0;
        TileSystem::LatLongToPixelXY(c[0], c[1], 18, px, py);
        double lat = 0.0;
        double lng = 0.0;
        TileSystem::PixelXYToLatLong(px, py, 18, lat, lng);
        // Within one pixel at level 18 (under a metre).
        EXPECT_NEAR(lat, c[0], 1e-5) << c[0];
        EXPECT_NEAR(lng, c[1], 1e-5) << c[1];
    }
}

TEST(TileSystemTest, QuadKeysCarryTileBitsWithNorthAsTwo) {
    struct Case {
        int tileX;
        int tileY;
        int level;
        std::string key;
    };
    const Case cases[] = {
        {0, 0, 1, "0"},
        {1, 0, 1, "1"},
        {0, 1, 1, "2"},
        {1, 1, 1, "3"},
        {3, 5, 3, "213"},
        {0, 0, 0, ""},
        {1023, 0, 10, "1111111111"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TileSystem::TileXYToQuadKey(c.tileX, c.tileY, c.level), c.key);
        int tileX = -1;
        int tileY = -1;
        int level = -1;
        TileSystem::QuadKeyToTileXY(c.key, tileX, tileY, level);
        EXPECT_EQ(tileX, c.tileX) << c.key;
        EXPECT_EQ(tileY, c.tileY) << c.key;
        EXPECT_EQ(level, c.level) << c.key;
    }
}

TEST(TileSystemTest, ForeignCharactersInAQuadKeySetNoBits) {
    int tileX = -1;
    int tileY = -1;
    int level = -1;
    TileSystem::QuadKeyToTileXY("x3", tileX, tileY, level);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(tileX, 1);
    EXPECT_EQ(tileY, 1);
}

TEST(TileSystemTest, SizesAndResolution) {
    EXPECT_EQ(TileSystem::MapSize(0), 256u);
    EXPECT_EQ(TileSystem::MapSize(21), 536870912u);
    EXPECT_NEAR(TileSystem::GroundResolution(0.0, 0), 156543.03392804097, 1e-6);
    EXPECT_NEAR(TileSystem::GroundResolution(60.0, 1), 156543.03392804097 / 4.0, 1e-6);
    EXPECT_DOUBLE_EQ(TileSystem::GroundResolution(89.0, 3),
                     TileSystem::GroundResolution(85.05112878, 3));
    EXPECT_NEAR(TileSystem::MapScale(0.0, 0, 96), 156543.03392804097 * 96 / 0.0254, 1e-3);
    int px = 0;
    int py = 0;
    TileSystem::TileXYToPixelXY(3, 5, px, py);
    EXPECT_EQ(px, 768);
    EXPECT_EQ(py, 1280);
    int tx = 0;
    int ty = 0;
    TileSystem::PixelXYToTileXY(767, 1280, tx, ty);
    EXPECT_EQ(tx, 2);
    EXPECT_EQ(ty, 5);
}
