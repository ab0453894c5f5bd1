#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "TileSystem.h"
#include "UnitConvertor.h"

using qiv::GLCoord;
using qiv::LatLng;
using qiv::Point;
using qiv::TileSystem;
using qiv::UnitConvertor;

namespace {
const double kWorld = 4294967296.0;

std::vector<std::string> keysOf(int level, const std::vector<GLCoord>& corners) {
    std::vector<std::string> keys{"stale"};
    UnitConvertor::getQuadKeyList(level, corners.data(), &keys);
    return keys;
}

GLCoord ground(double x, double y) {
    return GLCoord(x, y, 0.0, true);
}

// Point of the quadrilateral c0..c3 at bilinear parameters (s, t) in [0, 1].
GLCoord insidePoint(const std::vector<GLCoord>& c, double s, double t) {
    const double x =
        (1 - t) * ((1 - s) * c[0].x + s * c[3].x) + t * ((1 - s) * c[1].x + s * c[2].x);
    const double y =
        (1 - t) * ((1 - s) * c[0].y + s * c[3].y) + t * ((1 - s) * c[1].y + s * c[2].y);
    return ground(x, y);
}

// Every tile under a dense sample of the quadrilateral must be listed, and
// every listed tile must touch the quadrilateral's bounding box.
void expectCoversExactly(int level, const std::vector<GLCoord>& corners) {
    const std::vector<std::string> keys = keysOf(level, corners);
    ASSERT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    ASSERT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << "duplicates";
    const std::set<std::string> listed(keys.begin(), keys.end());
    for (int i = 0; i <= 60; ++i) {
        for (int j = 0; j <= 60; ++j) {
            const GLCoord p = insidePoint(corners, i / 60.0, j / 60.0);
            const std::string key = UnitConvertor::FourByte2QuadKey(level, p.x, p.y);
            EXPECT_EQ(listed.count(key), 1u) << "missing " << key << " at " << p.x << "," << p.y;
        }
    }
    double minX = kWorld, minY = kWorld, maxX = 0, maxY = 0;
    for (const GLCoord& c : corners) {
        minX = std::min(minX, c.x);
        minY = std::min(minY, c.y);
        maxX = std::max(maxX, c.x);
        maxY = std::max(maxY, c.y);
    }
    const double side = UnitConvertor::getQuadSize(level);
    for (const std::string& key : keys) {
        double x = 0;
        double y = 0;
        UnitConvertor::QuadKey2FourByte(key, &x, &y);
        EXPECT_LE(x, maxX + 1) << key;
        EXPECT_GE(x + side, minX - 1) << key;
        EXPECT_LE(y, maxY + 1) << key;
        EXPECT_GE(y + side, minY - 1) << key;
    }
}
}  // namespace

TEST(UnitConvertorTest, LatLngToQuadKeyUsesNorthUpDigits) {
    EXPECT_EQ(UnitConvertor::LatLng2QuadKey(1, LatLng(45, 90)), "3");
    EXPECT_EQ(UnitConvertor::LatLng2QuadKey(1, LatLng(-45, -90)), "0");
    EXPECT_EQ(UnitConvertor::LatLng2QuadKey(1, LatLng(45, -90)), "2");
    EXPECT_EQ(UnitConvertor::LatLng2QuadKey(2, LatLng(-45, 90)), "13");
    EXPECT_EQ(UnitConvertor::LatLng2QuadKey(0, LatLng(10, 10)), "");
}

TEST(UnitConvertorTest, WorldPlaneCornersAndCentre) {
    double x = -1;
    double y = -1;
    UnitConvertor::QuadKey2FourByte("", &x, &y);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    UnitConvertor::QuadKey2FourByte("3", &x, &y);
    EXPECT_EQ(x, 2147483648.0);
    EXPECT_EQ(y, 2147483648.0);
    EXPECT_EQ(UnitConvertor::getQuadSize(1), 2147483648.0);
    EXPECT_EQ(UnitConvertor::getQuadSize(0), kWorld);

    UnitConvertor::Latlng2FourByte(LatLng(0, 0), &x, &y);
    EXPECT_EQ(x, 2147483648.0);
    EXPECT_EQ(y, 2147483648.0);
    const LatLng back = UnitConvertor::FourByte2LatLng(x, y);
    EXPECT_NEAR(back.latitude, 0.0, 1e-12);
    EXPECT_NEAR(back.longitude, 0.0, 1e-12);

    int level = -1;
    const LatLng corner = UnitConvertor::QuadKey2LatLng("21", &level);
    EXPECT_EQ(level, 2);
    EXPECT_DOUBLE_EQ(corner.longitude, -90.0);
    EXPECT_NEAR(corner.latitude, 0.0, 1e-12);
}

TEST(UnitConvertorTest, WorldConversionRoundsAndInverts) {
    double x = 0;
    double y = 0;
    UnitConvertor::Latlng2FourByte(LatLng(35.681236, 139.767125), &x, &y);
    EXPECT_EQ(x, std::round(x));
    EXPECT_EQ(y, std::round(y));
    EXPECT_GT(y, kWorld / 2) << "north of the equator is the upper half";
    const LatLng back = UnitConvertor::FourByte2LatLng(x, y);
    // One world unit is under a centimetre.
    EXPECT_NEAR(back.latitude, 35.681236, 1e-7);
    EXPECT_NEAR(back.longitude, 139.767125, 1e-7);

    double inPlaceX = 139.767125;
    double inPlaceY = 35.681236;
    UnitConvertor::Latlng2FoutByte(inPlaceX, inPlaceY);
    EXPECT_EQ(inPlaceX, x);
    EXPECT_EQ(inPlaceY, y);

    EXPECT_EQ(UnitConvertor::FourByte2QuadKey(15, x, y),
              UnitConvertor::LatLng2QuadKey(15, LatLng(35.681236, 139.767125)));
    EXPECT_EQ(UnitConvertor::getQuadKey(15, static_cast<unsigned>(x), static_cast<unsigned>(y)),
              UnitConvertor::FourByte2QuadKey(15, x, y));
}

TEST(UnitConvertorTest, TileCornersInWorldUnitsMatchTheGrid) {
    // World and pixel y both grow north and are linear in Mercator y, so the
    // south-west corner of tile (tx, ty) lies at (tx, ty) x the tile side.
    const int level = 7;
    const double side = UnitConvertor::getQuadSize(level);
    for (int tx : {0, 5, 64, 127}) {
        for (int ty : {1, 33, 100, 126}) {
            double x = 0;
            double y = 0;
            UnitConvertor::QuadKey2FourByte(TileSystem::TileXYToQuadKey(tx, ty, level), &x, &y);
            EXPECT_NEAR(x, tx * side, 1.0);
            EXPECT_NEAR(y, ty * side, 1.0);
            EXPECT_EQ(UnitConvertor::FourByte2QuadKey(level, x + side / 2, y + side / 2),
                      TileSystem::TileXYToQuadKey(tx, ty, level));
        }
    }
}

TEST(UnitConvertorTest, MetresAndWorldUnits) {
    EXPECT_NEAR(UnitConvertor::FourByte2Meter(0.0, kWorld), 40075016.68557849, 1e-6);
    EXPECT_NEAR(UnitConvertor::FourByte2Meter(60.0, kWorld), 40075016.68557849 / 2, 1e-6);
    EXPECT_EQ(UnitConvertor::Meter2FourByte(0.0, 40075016.68557849), kWorld);
    const double units = UnitConvertor::Meter2FourByte(35.0, 1000.0);
    EXPECT_EQ(units, std::round(units));
    EXPECT_NEAR(UnitConvertor::FourByte2Meter(35.0, units), 1000.0, 0.01);
}

TEST(UnitConvertorTest, QuadLineWalksEastOrNorth) {
    using Keys = std::vector<std::string>;
    EXPECT_EQ(UnitConvertor::getQuadLine("00", "03", 0), Keys{});
    EXPECT_EQ(UnitConvertor::getQuadLine("00", "11", 0), (Keys{"00", "01", "10", "11"}));
    EXPECT_EQ(UnitConvertor::getQuadLine("00", "22", 1), (Keys{"00", "02", "20", "22"}));
    EXPECT_EQ(UnitConvertor::getQuadLine("13", "13", 0), (Keys{"13"}));
    EXPECT_EQ(UnitConvertor::getQuadLine("", "", 1), (Keys{""}));
    // West of the start, different lengths, and foreign characters are unreachable.
    EXPECT_EQ(UnitConvertor::getQuadLine("11", "00", 0), Keys{});
    EXPECT_EQ(UnitConvertor::getQuadLine("0", "00", 0), Keys{});
    EXPECT_EQ(UnitConvertor::getQuadLine("0x", "11", 0), Keys{});
    EXPECT_EQ(UnitConvertor::getQuadLine("22", "00", 1), Keys{});
}

TEST(UnitConvertorTest, QuadLineMatchesTileCoordinates) {
    // A long walk across a level-12 row: each step is the next tile east.
    const int level = 12;
    const std::vector<std::string> line =
        UnitConvertor::getQuadLine(TileSystem::TileXYToQuadKey(1000, 77, level),
                                   TileSystem::TileXYToQuadKey(1040, 77, level), 0);
    ASSERT_EQ(line.size(), 41u);
    for (size_t i = 0; i < line.size(); ++i) {
        EXPECT_EQ(line[i], TileSystem::TileXYToQuadKey(1000 + static_cast<int>(i), 77, level));
    }
}

TEST(UnitConvertorTest, ARegionInsideOneTileGivesExactlyThatKey) {
    const int level = 4;
    const double side = UnitConvertor::getQuadSize(level);
    const double x0 = 5 * side;
    const double y0 = 9 * side;
    const std::vector<GLCoord> corners = {
        ground(x0 + 0.2 * side, y0 + 0.9 * side), ground(x0 + 0.1 * side, y0 + 0.1 * side),
        ground(x0 + 0.8 * side, y0 + 0.2 * side), ground(x0 + 0.9 * side, y0 + 0.8 * side)};
    EXPECT_EQ(keysOf(level, corners),
              std::vector<std::string>{TileSystem::TileXYToQuadKey(5, 9, level)});
}

TEST(UnitConvertorTest, InteriorTilesThatNoEdgeCrossesAreListed) {
    // From the middle of tile (1, 1) to the middle of tile (5, 5): the tiles
    // (2..4, 2..4) lie wholly inside and are found by the row fill.
    const int level = 3;
    const double side = UnitConvertor::getQuadSize(level);
    const std::vector<GLCoord> corners = {
        ground(1.5 * side, 5.5 * side), ground(1.5 * side, 1.5 * side),
        ground(5.5 * side, 1.5 * side), ground(5.5 * side, 5.5 * side)};
    std::vector<std::string> expected;
    for (int tx = 1; tx <= 5; ++tx) {
        for (int ty = 1; ty <= 5; ++ty)
            expected.push_back(TileSystem::TileXYToQuadKey(tx, ty, level));
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keysOf(level, corners), expected);
}

TEST(UnitConvertorTest, TiltedAndTurnedRegionsAreCoveredExactly) {
    // A trapezoid as a tilted camera sees it, turned by several bearings.
    const int level = 14;
    const double side = UnitConvertor::getQuadSize(level);
    const double cx = 14550.3 * side;
    const double cy = 10020.6 * side;
    for (double bearing : {0.0, 17.0, 30.0, 45.0, 90.0, 200.0}) {
        const double c = std::cos(bearing * M_PI / 180);
        const double s = std::sin(bearing * M_PI / 180);
        auto turned = [&](double dx, double dy) {
            return ground(cx + dx * c - dy * s, cy + dx * s + dy * c);
        };
        const std::vector<GLCoord> corners = {
            turned(-4.2 * side, 5.1 * side), turned(-1.3 * side, -1.7 * side),
            turned(1.3 * side, -1.7 * side), turned(4.2 * side, 5.1 * side)};
        SCOPED_TRACE(bearing);
        expectCoversExactly(level, corners);
    }
}

TEST(UnitConvertorTest, RegionsReachingPastTheWorldEdgeStayInTheWorld) {
    const int level = 3;
    const std::vector<GLCoord> corners = {ground(-1e9, 5e9), ground(-1e9, -1e9), ground(5e9, -1e9),
                                          ground(5e9, 5e9)};
    const std::vector<std::string> keys = keysOf(level, corners);
    EXPECT_EQ(keys.size(), 64u) << "the whole level-3 grid and nothing else";
    for (const std::string& key : keys) EXPECT_EQ(key.size(), 3u);
}

TEST(UnitConvertorTest, TiltIsIdentityWhenFlatAndReversible) {
    double x = 0;
    double y = 0;
    UnitConvertor::calcTilt(0.0, 5000.0, 123.0, -456.0, &x, &y);
    EXPECT_DOUBLE_EQ(x, 123.0);
    EXPECT_DOUBLE_EQ(y, -456.0);
    for (double tilt : {15.0, 30.0, 45.0, 60.0}) {
        for (double dy : {-3000.0, -10.0, 0.0, 10.0, 2000.0}) {
            UnitConvertor::calcTilt(tilt, 5000.0, 700.0, dy, &x, &y);
            double backX = 0;
            double backY = 0;
            UnitConvertor::calcTiltReverse(tilt, 5000.0, x, y, &backX, &backY);
            EXPECT_NEAR(backX, 700.0, 1e-6) << tilt << " " << dy;
            EXPECT_NEAR(backY, dy, 1e-6) << tilt << " " << dy;
        }
    }
    // Rays at or past the horizon stay in front and keep growing.
    double previousY = 0;
    for (double dy : {1000.0, 5000.0, 20000.0, 1e6}) {
        UnitConvertor::calcTilt(60.0, 5000.0, 0.0, dy, &x, &y);
        EXPECT_TRUE(std::isfinite(y));
        EXPECT_GT(y, previousY) << dy;
        previousY = y;
    }
    // The far side stretches more than the near side.
    double farX = 0, farY = 0, nearX = 0, nearY = 0;
    UnitConvertor::calcTilt(40.0, 5000.0, 100.0, 1000.0, &farX, &farY);
    UnitConvertor::calcTilt(40.0, 5000.0, 100.0, -1000.0, &nearX, &nearY);
    EXPECT_GT(farY, -nearY);
    EXPECT_GT(farX, nearX);
}

TEST(UnitConvertorTest, PixelSizeFromStraightAboveAndDegenerateEye) {
    const GLCoord eye(1e9, 2e9, 131072.0, true);
    const GLCoord centre(1e9, 2e9, 0.0, true);
    const qiv::Vector3d size =
        UnitConvertor::Screen2World(1, 1, 0, 0, eye, centre, 512, 512, 90.0f, 326.0);
    EXPECT_NEAR(size.x, 2 * 131072.0 / 1500, 1e-9);
    EXPECT_NEAR(size.y, 2 * 131072.0 / 1500, 1e-9);
    EXPECT_NEAR(size.z, 0.0, 1e-9);
    const qiv::Vector3d dense =
        UnitConvertor::Screen2World(3, -2, 0, 0, eye, centre, 512, 512, 90.0f, 652.0);
    EXPECT_NEAR(dense.x, 3 * 131072.0 / 1500, 1e-9);
    EXPECT_NEAR(dense.y, -2 * 131072.0 / 1500, 1e-9);
    EXPECT_EQ(UnitConvertor::Screen2World(1, 1, 0, 0, eye, eye, 512, 512, 90.0f, 326.0),
              qiv::Vector3d{});
}

TEST(UnitConvertorTest, ScreenAndWorldInvertUnderTiltAndBearing) {
    const GLCoord camera(3.8e9, 2.7e9, 65536.0, true);
    const double pixel = 2 * 65536.0 / 1500;
    const int width = 800;
    const int height = 600;
    for (double bearing : {0.0, 30.0, -75.0}) {
        for (double tilt : {0.0, 45.0}) {
            for (const Point& p :
                 {Point(400, 300), Point(0, 0), Point(799, 599), Point(120, 480)}) {
                const GLCoord world = UnitConvertor::screen2FourByte(p, camera, bearing, tilt,
                                                                     pixel, pixel, width, height);
                const Point back = UnitConvertor::FourByte2Screen(
                    world.x, world.y, camera, bearing, tilt, pixel, pixel, width, height);
                EXPECT_LE(std::abs(back.x - p.x), 1)
                    << bearing << " " << tilt << " " << p.toString();
                EXPECT_LE(std::abs(back.y - p.y), 1)
                    << bearing << " " << tilt << " " << p.toString();
            }
        }
    }
    // The screen centre is the camera's foot point whatever the camera does.
    const GLCoord centre = UnitConvertor::screen2FourByte(Point(400, 300), camera, 30.0, 45.0,
                                                          pixel, pixel, width, height);
    EXPECT_NEAR(centre.x, camera.x, 1e-6);
    EXPECT_NEAR(centre.y, camera.y, 1e-6);
    // Screen y goes down, world y goes north.
    const GLCoord above =
        UnitConvertor::screen2FourByte(camera, Point(400, 200), width, height, pixel, pixel);
    EXPECT_NEAR(above.y, camera.y + 100 * pixel, 1e-6);
}

TEST(UnitConvertorTest, PointTextForms) {
    EXPECT_EQ(Point(3, -4).toString(), "xy(3,-4)");
    EXPECT_EQ(qiv::PointLF(1.5, -2.25).toString(), "xy(1.500000,-2.250000)");
}
