#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "CoordsManager.h"
#include "UnitConvertor.h"

using qiv::BoundingBox;
using qiv::CameraPosition;
using qiv::CoordsManager;
using qiv::GLCoord;
using qiv::LatLng;
using qiv::Point;
using qiv::UnitConvertor;
using qiv::Vector3d;

namespace {
const LatLng kTokyo(35.681236, 139.767125);
const double kMaxWorld = 4294967295.0;

class CoordsManagerTest : public ::testing::Test {
protected:
    void SetUp() override { m_coords.setWindowSize(kWidth, kHeight, 90.0f, 326.0); }

    void place(const LatLng& target, double zoom, double tilt = 0, double bearing = 0, float dx = 0,
               float dy = 0) {
        m_coords.setPosition(CameraPosition(target, zoom, tilt, bearing), centre(), dx, dy);
    }
    Point centre() const { return Point(kWidth / 2, kHeight / 2); }
    GLCoord camera() const {
        GLCoord coord;
        m_coords.getCameraCoord(&coord);
        return coord;
    }
    std::array<GLCoord, 4> region() const {
        std::array<GLCoord, 4> corners;
        m_coords.getVisibleRegion(&corners);
        return corners;
    }
    double pixelSize() const {
        Vector3d size;
        m_coords.getPixel2FourByteDist(&size);
        return size.x;
    }
    static void expectNear(const LatLng& a, const LatLng& b, double tolerance) {
        EXPECT_NEAR(a.latitude, b.latitude, tolerance);
        EXPECT_NEAR(a.longitude, b.longitude, tolerance);
    }

    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    CoordsManager m_coords;
};
}  // namespace

TEST_F(CoordsManagerTest, NothingIsPlacedBeforeTheFirstMove) {
    EXPECT_EQ(pixelSize(), 0.0);
    EXPECT_FALSE(camera().valid);
    std::vector<std::string> keys{"stale"};
    m_coords.getQuadList(&keys);
    EXPECT_TRUE(keys.empty());
}

TEST_F(CoordsManagerTest, PlacesTheCameraAboveItsTarget) {
    place(kTokyo, 15.5);
    double x = 0;
    double y = 0;
    UnitConvertor::Latlng2FourByte(kTokyo, &x, &y);
    EXPECT_EQ(camera(), GLCoord(x, y, 98304.0, true));
    EXPECT_NEAR(pixelSize(), 2 * 98304.0 / 1500, 1e-9);
    const CameraPosition position = m_coords.getCameraPosition();
    EXPECT_EQ(position.zoom, 15.5);
    expectNear(position.target, kTokyo, 1e-7);
    expectNear(m_coords.screen2LatLng(centre()), kTokyo, 1e-7);

    place(kTokyo, 30.0);
    EXPECT_EQ(m_coords.getCameraPosition().zoom, 21.0);
    EXPECT_EQ(camera().z, 2048.0);
}

TEST_F(CoordsManagerTest, AMissingDensityCountsAsTheReferenceDensity) {
    m_coords.setWindowSize(kWidth, kHeight, 90.0f, 0.0);
    place(kTokyo, 15);
    EXPECT_NEAR(pixelSize(), 2 * 131072.0 / 1500, 1e-9);
    EXPECT_TRUE(std::isfinite(region()[0].x));
    m_coords.setWindowSize(kWidth, kHeight, 90.0f, 652.0);
    place(kTokyo, 15);
    EXPECT_NEAR(pixelSize(), 131072.0 / 1500, 1e-9);
}

TEST_F(CoordsManagerTest, FlatRegionIsTheScreenRectangleAndItsTiles) {
    place(kTokyo, 15);
    const GLCoord cam = camera();
    const double halfW = pixelSize() * kWidth / 2;
    const double halfH = pixelSize() * kHeight / 2;
    const std::array<GLCoord, 4> corners = region();
    EXPECT_NEAR(corners[0].x, cam.x - halfW, 1e-6);  // far-left
    EXPECT_NEAR(corners[0].y, cam.y + halfH, 1e-6);
    EXPECT_NEAR(corners[1].x, cam.x - halfW, 1e-6);  // near-left
    EXPECT_NEAR(corners[1].y, cam.y - halfH, 1e-6);
    EXPECT_NEAR(corners[2].x, cam.x + halfW, 1e-6);  // near-right
    EXPECT_NEAR(corners[3].y, cam.y + halfH, 1e-6);  // far-right
    for (const GLCoord& c : corners) EXPECT_TRUE(c.valid && c.z == 0.0);

    std::vector<std::string> expected;
    const double side = UnitConvertor::getQuadSize(15);
    for (int tx = int((cam.x - halfW) / side); tx <= int((cam.x + halfW) / side); ++tx) {
        for (int ty = int((cam.y - halfH) / side); ty <= int((cam.y + halfH) / side); ++ty) {
            expected.push_back(
                UnitConvertor::FourByte2QuadKey(15, (tx + 0.5) * side, (ty + 0.5) * side));
        }
    }
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> keys;
    m_coords.getQuadList(&keys);
    EXPECT_EQ(keys, expected);
}

TEST_F(CoordsManagerTest, TiltWidensTheFarEdgeAndBearingTurnsTheRegion) {
    place(kTokyo, 15, 40, 0);
    std::array<GLCoord, 4> corners = region();
    const double farWidth = corners[3].x - corners[0].x;
    const double nearWidth = corners[2].x - corners[1].x;
    EXPECT_GT(farWidth, nearWidth);
    EXPECT_GT(corners[0].y - camera().y, camera().y - corners[1].y);

    place(kTokyo, 15, 40, 90);
    const std::array<GLCoord, 4> turned = region();
    const GLCoord cam = camera();
    // Turned by 90 degrees about the camera: (dx, dy) becomes (-dy, dx).
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(turned[i].x - cam.x, -(corners[i].y - cam.y), 1e-3) << i;
        EXPECT_NEAR(turned[i].y - cam.y, corners[i].x - cam.x, 1e-3) << i;
    }
}

TEST_F(CoordsManagerTest, ScreenToLatLngAndBackUnderTiltAndBearing) {
    place(kTokyo, 16.3, 45, 30);
    for (int x = 0; x <= kWidth; x += 80) {
        for (int y = 0; y <= kHeight; y += 60) {
            const Point p(x, y);
            const Point back = m_coords.LatLng2Screen(m_coords.screen2LatLng(p));
            EXPECT_LE(std::abs(back.x - x), 1) << p.toString() << " -> " << back.toString();
            EXPECT_LE(std::abs(back.y - y), 1) << p.toString() << " -> " << back.toString();
        }
    }
}

TEST_F(CoordsManagerTest, TheGroundUnderTheAnchorStaysPutAcrossZoomTiltAndBearing) {
    place(kTokyo, 15);
    const Point anchor(100, 400);
    LatLng before = m_coords.screen2LatLng(anchor);
    const CameraPosition changes[] = {CameraPosition(kTokyo, 16.5, 0, 0),
                                      CameraPosition(kTokyo, 16.5, 0, 35),
                                      CameraPosition(kTokyo, 14.2, 0, -20)};
    for (const CameraPosition& change : changes) {
        // Each step keeps the target the previous step left.
        CameraPosition next = change;
        next.target = m_coords.getCameraPosition().target;
        m_coords.setPosition(next, anchor, 0, 0);
        expectNear(m_coords.screen2LatLng(anchor), before, 1e-6);
        before = m_coords.screen2LatLng(anchor);
    }
}

TEST_F(CoordsManagerTest, ADragBringsTheDraggedPointToTheCentre) {
    place(kTokyo, 15, 0, 30);
    const LatLng dragged = m_coords.screen2LatLng(Point(kWidth / 2 + 50, kHeight / 2 - 20));
    place(m_coords.getCameraPosition().target, 15, 0, 30, 50, -20);
    expectNear(m_coords.getCameraPosition().target, dragged, 1e-6);
}

TEST_F(CoordsManagerTest, TheMovableAreaPullsTheTargetBack) {
    place(LatLng(35.5, 141.0), 12);
    EXPECT_FALSE(m_coords.isOutOfArea()) << "no area set";

    m_coords.setMovableArea(LatLng(35.0, 139.0), LatLng(36.0, 140.0));
    place(LatLng(35.5, 141.0), 12);
    EXPECT_TRUE(m_coords.isOutOfArea());
    EXPECT_NEAR(m_coords.getCameraPosition().target.longitude, 140.0, 1e-6);
    EXPECT_NEAR(m_coords.getCameraPosition().target.latitude, 35.5, 1e-6);

    place(LatLng(35.5, 139.5), 12);
    EXPECT_FALSE(m_coords.isOutOfArea());

    // A drag past the border is pulled back too.
    place(LatLng(35.5, 139.99), 12, 0, 0, 5000, 0);
    EXPECT_TRUE(m_coords.isOutOfArea());
    EXPECT_LE(m_coords.getCameraPosition().target.longitude, 140.0 + 1e-6);

    m_coords.setMovableArea(LatLng(), LatLng());
    place(LatLng(35.5, 141.0), 12);
    EXPECT_FALSE(m_coords.isOutOfArea()) << "equal corners lift the limit";
}

TEST_F(CoordsManagerTest, TheViewStaysInsideTheWorldAndItsRegionFollowsTheCamera) {
    place(LatLng(0, 180), 10);
    const double halfW = pixelSize() * kWidth / 2;
    EXPECT_NEAR(camera().x, kMaxWorld - halfW, 1e-6) << "pulled west by half a screen";
    EXPECT_NEAR(m_coords.getCameraPosition().target.longitude,
                UnitConvertor::FourByte2LatLng(kMaxWorld - halfW, 0).longitude, 1e-9);
    // The region describes the camera that the frame will draw from.
    const std::array<GLCoord, 4> corners = region();
    EXPECT_NEAR(corners[1].x, camera().x - halfW, 1e-6);
    EXPECT_NEAR(corners[2].x, kMaxWorld, 1e-6);
    std::vector<std::string> keys;
    m_coords.getQuadList(&keys);
    EXPECT_NE(std::find(keys.begin(), keys.end(),
                        UnitConvertor::FourByte2QuadKey(10, corners[1].x + 1, camera().y)),
              keys.end());

    place(LatLng(-89.0, -180.0), 10);
    EXPECT_NEAR(camera().x, halfW, 1e-6);
    EXPECT_NEAR(camera().y, pixelSize() * kHeight / 2, 1e-6);
}

TEST_F(CoordsManagerTest, ZoomScalingAndLevelMappings) {
    EXPECT_FLOAT_EQ(m_coords.calcZoomLevel(15.5, 2.0f), 16.5f);
    EXPECT_FLOAT_EQ(m_coords.calcZoomLevel(15.5, 0.5f), 14.5f);
    EXPECT_FLOAT_EQ(m_coords.calcZoomLevel(15.5, 0.0f), 15.5f);
    EXPECT_FLOAT_EQ(m_coords.calcZoomLevel(25.0, 0.0f), 21.0f);
    EXPECT_FLOAT_EQ(m_coords.calcZoomLevel(21.0, 4.0f), 21.0f);
    EXPECT_DOUBLE_EQ(m_coords.level2Zoom(2), 1073741824.0);
    EXPECT_DOUBLE_EQ(m_coords.zoom2Level(2048.0), 21.0);
    EXPECT_EQ(m_coords.setZoomLevelBeginValue(10, m_coords.getZoomLevelBeginValue(9)), 0);
}

TEST_F(CoordsManagerTest, FitsABoxWithPadding) {
    const BoundingBox box(LatLng(35.60, 139.60), LatLng(35.80, 139.95));
    const int padding = 20;
    place(LatLng(0, 0), 3, 30, 70);
    m_coords.setPosition(box, padding);
    const CameraPosition fitted = m_coords.getCameraPosition();
    EXPECT_EQ(fitted.tilt, 0.0);
    EXPECT_EQ(fitted.bearing, 0.0);
    const Point sw = m_coords.LatLng2Screen(box.southWest);
    const Point ne = m_coords.LatLng2Screen(box.northEast);
    EXPECT_GE(sw.x, padding - 1);
    EXPECT_LE(sw.y, kHeight - padding + 1);
    EXPECT_LE(ne.x, kWidth - padding + 1);
    EXPECT_GE(ne.y, padding - 1);
    // The highest level that fits: one side is tight.
    const double tightness = std::max(double(ne.x - sw.x) / (kWidth - 2 * padding),
                                      double(sw.y - ne.y) / (kHeight - 2 * padding));
    EXPECT_GT(tightness, 0.99);
    EXPECT_GT(fitted.zoom, 9.0);
    EXPECT_LT(fitted.zoom, 13.0);
}

TEST_F(CoordsManagerTest, FitsABoxIntoARectangle) {
    const BoundingBox box(LatLng(35.60, 139.60), LatLng(35.80, 139.95));
    m_coords.setPosition(box, 200, 100);
    const Point sw = m_coords.LatLng2Screen(box.southWest);
    const Point ne = m_coords.LatLng2Screen(box.northEast);
    EXPECT_LE(ne.x - sw.x, 201);
    EXPECT_LE(sw.y - ne.y, 101);
    EXPECT_GT(std::max((ne.x - sw.x) / 200.0, (sw.y - ne.y) / 100.0), 0.99);
}

TEST_F(CoordsManagerTest, ABoxLargerThanTheWorldViewEndsAtTheLowestLevel) {
    m_coords.setPosition(BoundingBox(LatLng(-80, -179), LatLng(80, 179)), 10);
    EXPECT_EQ(m_coords.getCameraPosition().zoom, 2.0);
}

TEST_F(CoordsManagerTest, ViewsReachingPastTheHorizonStayInFrontOfTheCamera) {
    // A tall surface at a low density sees past the horizon when tilted.
    m_coords.setWindowSize(900, 1400, 90.0f, 160.0);
    for (double tilt : {30.0, 60.0}) {
        m_coords.setPosition(CameraPosition(kTokyo, 16, tilt, 0), Point(450, 700), 0, 0);
        const std::array<GLCoord, 4> corners = region();
        const GLCoord cam = camera();
        SCOPED_TRACE(tilt);
        EXPECT_GT(corners[0].y, cam.y) << "far edge ahead of the camera";
        EXPECT_GT(corners[3].y, cam.y);
        EXPECT_LT(corners[1].y, cam.y) << "near edge behind the foot point";
        EXPECT_GT(corners[3].x - corners[0].x, corners[2].x - corners[1].x);
        for (const GLCoord& c : corners) EXPECT_TRUE(std::isfinite(c.x) && std::isfinite(c.y));
        // Moving up the screen moves north on the ground, up to the top row.
        double previous = -1.0;
        for (int y = 1400; y >= 0; y -= 100) {
            const double latitude = m_coords.screen2LatLng(Point(450, y)).latitude;
            EXPECT_GT(latitude, previous) << y;
            previous = latitude;
        }
    }
}
