#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "UnitConvertor.h"
#include "VeltarEngine.h"

using qiv::BoundingBox;
using qiv::CameraPosition;
using qiv::LatLng;
using qiv::Point;
using qiv::UnitConvertor;
using qiv::VeltarEngine;

namespace {
const LatLng kTokyo(35.681236, 139.767125);

// The camera operations make no GL call, so these run without a context.
class VeltarEngineTest : public ::testing::Test {
protected:
    void SetUp() override { m_engine.setWindowSize(kWidth, kHeight); }
    Point centre() const { return Point(kWidth / 2, kHeight / 2); }

    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    VeltarEngine m_engine{"engine-under-test"};
};
}  // namespace

TEST_F(VeltarEngineTest, SetPositionAnswersTheCameraItLeft) {
    const CameraPosition placed =
        m_engine.setPosition(CameraPosition(kTokyo, 25, 10, 20), 0, 0, centre());
    EXPECT_EQ(placed.zoom, 21.0);
    EXPECT_EQ(placed.tilt, 10.0);
    EXPECT_EQ(placed.bearing, 20.0);
    EXPECT_NEAR(placed.target.latitude, kTokyo.latitude, 1e-7);
    EXPECT_NEAR(placed.target.longitude, kTokyo.longitude, 1e-7);
    EXPECT_EQ(m_engine.getEngineId(), "engine-under-test");
}

TEST_F(VeltarEngineTest, PaddingShowsTheTargetOffCentre) {
    m_engine.setPosition(CameraPosition(kTokyo, 14, 0, 0), 0, 0, centre());
    const CameraPosition first =
        m_engine.setPositionWithPadding(CameraPosition(kTokyo, 15, 0, 25), 0, 0, centre(), 40, 30);
    EXPECT_NEAR(first.target.latitude, kTokyo.latitude, 1e-7);
    EXPECT_NEAR(first.target.longitude, kTokyo.longitude, 1e-7);
    const Point shown = m_engine.LatLng2Screen(first.target);
    EXPECT_LE(std::abs(shown.x - (centre().x + 40)), 1) << shown.toString();
    EXPECT_LE(std::abs(shown.y - (centre().y + 30)), 1) << shown.toString();
}

TEST_F(VeltarEngineTest, PixelDistanceAndVisibleRegion) {
    m_engine.setPosition(CameraPosition(LatLng(0, 0), 15, 0, 0), 0, 0, centre());
    // No density known yet: the reference density, 2 h / 1500 world units a pixel.
    const double unitsPerPixel = 2 * 131072.0 / 1500;
    EXPECT_NEAR(m_engine.getPixelDistance(), unitsPerPixel * 40075016.68557849 / 4294967296.0,
                1e-6);

    const std::array<LatLng, 4> region = m_engine.getVisibleRegion();
    const LatLng west =
        UnitConvertor::FourByte2LatLng(2147483648.0 - unitsPerPixel * kWidth / 2, 0);
    EXPECT_NEAR(region[0].longitude, west.longitude, 1e-9);  // far-left
    EXPECT_NEAR(region[1].longitude, west.longitude, 1e-9);  // near-left
    EXPECT_NEAR(region[2].longitude, -west.longitude, 1e-9);
    EXPECT_GT(region[0].latitude, 0.0);
    EXPECT_LT(region[1].latitude, 0.0);
    EXPECT_NEAR(region[0].latitude, -region[1].latitude, 1e-9);
}

TEST_F(VeltarEngineTest, CalcDistanceCountsTilesOfTheDeeperLevel) {
    const double tileDegrees = 360.0 / 1024;  // one level-10 tile at the equator
    EXPECT_NEAR(m_engine.calcDistance(LatLng(0, 0), LatLng(0, 3 * tileDegrees), 10, 10), 3.0, 1e-6);
    EXPECT_NEAR(m_engine.calcDistance(LatLng(0, 0), LatLng(0, 3 * tileDegrees), 9, 10.7),
                std::sqrt(9 + 1.7 * 1.7), 1e-6);
    EXPECT_NEAR(m_engine.calcDistance(kTokyo, kTokyo, 12, 14), 2.0, 1e-12);
    EXPECT_EQ(m_engine.calcDistance(kTokyo, kTokyo, 12, 12), 0.0);
}

TEST_F(VeltarEngineTest, ZoomMappingsAndBeginValues) {
    EXPECT_DOUBLE_EQ(m_engine.level2Zoom(15.5), 98304.0);
    EXPECT_DOUBLE_EQ(m_engine.zoom2Level(98304.0), 15.5);
    EXPECT_FLOAT_EQ(m_engine.calcZoomLevel(12.0, 2.0), 13.0f);
    EXPECT_EQ(m_engine.setZoomLevelBeginValue(10, m_engine.getZoomLevelBeginValue(9)), 0);
    EXPECT_EQ(m_engine.setZoomLevelBeginValue(10, 3000000), 1);
    EXPECT_EQ(m_engine.getZoomLevelBeginValue(10), 3000000);
    EXPECT_DOUBLE_EQ(m_engine.level2Zoom(10), 3000000.0);
}

TEST_F(VeltarEngineTest, BoxFittingAndMovableAreaGoThroughTheEngine) {
    const BoundingBox box(LatLng(35.60, 139.60), LatLng(35.80, 139.95));
    const CameraPosition fitted = m_engine.setPosition(box, 10);
    EXPECT_NEAR(fitted.target.latitude, 35.70, 1e-6);
    const CameraPosition inRect = m_engine.setPosition(box, 100, 100);
    EXPECT_LT(inRect.zoom, fitted.zoom);

    m_engine.setMovableArea(LatLng(35.0, 139.0), LatLng(36.0, 140.0));
    const CameraPosition pulled =
        m_engine.setPosition(CameraPosition(LatLng(37.0, 139.5), 12, 0, 0), 0, 0, centre());
    EXPECT_NEAR(pulled.target.latitude, 36.0, 1e-6);
    const LatLng underCentre = m_engine.screen2LatLng(centre());
    EXPECT_NEAR(underCentre.latitude, 36.0, 1e-6);
}

TEST_F(VeltarEngineTest, CameraCallsFromAnotherThreadAreSerialized) {
    // Moves on one thread while another reads snapshots: every snapshot is a
    // whole key list of one camera (sorted, one level), never a torn one.
    std::thread mover([this] {
        for (int i = 0; i < 200; ++i) {
            const LatLng target(35.0 + i * 0.001, 139.0 + i * 0.002);
            m_engine.setPosition(CameraPosition(target, 12 + (i % 5), 30, i), 0, 0, centre());
        }
    });
    for (int i = 0; i < 200; ++i) {
        const std::vector<std::string> keys = m_engine.getVisibleQuadKeys();
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
        for (const std::string& key : keys) EXPECT_EQ(key.size(), keys.front().size());
        EXPECT_TRUE(std::isfinite(m_engine.getPixelDistance()));
    }
    mover.join();
}
