// The tiler's world plane and quad keys agree with the kit's conversions, so
// that tiles land where the kit looks for them.

#include <gtest/gtest.h>

#include "TileGrid.h"
#include "UnitConvertor.h"
#include "WorldProjection.h"

namespace {

struct Place {
    double latitude;
    double longitude;
};

const Place kPlaces[] = {
    {0, 0},           {51.21, -3.9},    {49.0, 8.4},          {37.8, -122.3},     {-33.9, 151.2},
    {85.0, 179.9},    {-85.0, -179.9},  {35.686963, 139.749462}, {-0.000001, 0.000001},
};

}  // namespace

TEST(TileGridTest, WorldPointsMatchTheKitsConversion) {
    for (const Place& place : kPlaces) {
        double x = 0;
        double y = 0;
        qiv::UnitConvertor::Latlng2FourByte(qiv::LatLng(place.latitude, place.longitude), &x, &y);
        EXPECT_NEAR(WorldProjection::x(place.longitude), x, 1) << place.latitude << ", " << place.longitude;
        EXPECT_NEAR(WorldProjection::y(place.latitude), y, 1) << place.latitude << ", " << place.longitude;
    }
}

TEST(TileGridTest, QuadKeysAndTileCornersMatchTheKits) {
    for (const Place& place : kPlaces) {
        for (int level : {1, 2, 7, 12, 18}) {
            const std::string kit = qiv::UnitConvertor::LatLng2QuadKey(level, qiv::LatLng(place.latitude, place.longitude));
            const std::string key =
                TileGrid::keyAt(level, WorldProjection::x(place.longitude), WorldProjection::y(place.latitude));
            EXPECT_EQ(key, kit) << place.latitude << ", " << place.longitude << " level " << level;
            double west = 0;
            double south = 0;
            qiv::UnitConvertor::QuadKey2FourByte(kit, &west, &south);
            const WorldBox box = TileGrid::box(kit);
            EXPECT_NEAR(box.west, west, 1) << kit;
            EXPECT_NEAR(box.south, south, 1) << kit;
            EXPECT_DOUBLE_EQ(box.east - box.west, qiv::UnitConvertor::getQuadSize(level));
        }
    }
}

TEST(TileGridTest, LatitudesBeyondTheMercatorSquareLandOnItsEdge) {
    EXPECT_EQ(WorldProjection::y(90), WorldProjection::y(WorldProjection::MAX_LATITUDE));
    EXPECT_EQ(WorldProjection::y(-90), 0);
    EXPECT_EQ(WorldProjection::x(180), WorldProjection::WORLD_UNITS - 1);
    EXPECT_EQ(TileGrid::keyAt(3, WorldProjection::WORLD_UNITS - 1, WorldProjection::WORLD_UNITS - 1), "333");
    EXPECT_EQ(TileGrid::keyAt(3, 0, 0), "000");
}
