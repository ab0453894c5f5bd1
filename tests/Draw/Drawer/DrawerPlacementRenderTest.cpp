#include <gtest/gtest.h>

#include <iterator>

#include "CoordsManager.h"
#include "DrawerFixture.h"
#include "GLPolygonDrawer.h"
#include "UnitConvertor.h"

using namespace qiv;

namespace {

class DrawerPlacementTest : public DrawerTest {};

}  // namespace

// A small square around a ground point, drawn through the drawer's matrices,
// covers the pixel where the camera model puts that point, with tilt and
// bearing. Each probe has its own colour, so a square drawn at another
// probe's place shows up as the wrong colour.
TEST_F(DrawerPlacementTest, GroundPointIsDrawnWhereTheCameraModelPutsIt) {
    struct Case {
        double zoom, tilt, bearing;
    };
    const Case cases[] = {
        {15, 0, 0}, {16, 0, 75}, {16, 30, 0}, {16, 45, 30}, {13, 60, 200}, {16.4, 50, -110},
    };
    const Point probes[] = {{128, 380}, {400, 400}, {256, 256}, {380, 170}, {150, 200}};
    const std::array<float, 4> colours[] = {
        {1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}, {0, 1, 1, 1}};
    auto drawer = makeDrawer<GLPolygonDrawer>(POLYGON_OBJECT);
    drawer->setDrawMode(GL_TRIANGLES);

    for (const Case& c : cases) {
        CoordsManager coords;
        coords.setWindowSize(kWidth, kHeight, 45.0f, 326.0);
        coords.setPosition(CameraPosition(LatLng(51.05, -4.19), c.zoom, c.tilt, c.bearing),
                           Point(kWidth / 2, kHeight / 2), 0, 0);
        GLCoord camera;
        std::array<GLCoord, 4> region;
        Vector3d pixel;
        coords.getCameraCoord(&camera);
        coords.getVisibleRegion(&region);
        coords.getPixel2FourByteDist(&pixel);
        // The engine's frame origin: the near-left corner of the visible region.
        const double originX = region[1].x, originY = region[1].y;
        drawer->setCameraPosition(GLCoord(camera.x - originX, camera.y - originY, camera.z, true),
                                  -c.bearing, -c.tilt);
        clear({0, 0, 0, 1});

        std::vector<Point> expected;
        for (size_t i = 0; i < std::size(probes); ++i) {
            const LatLng ground = coords.screen2LatLng(probes[i]);
            double x = 0, y = 0;
            UnitConvertor::Latlng2FourByte(ground, &x, &y);
            const float half = static_cast<float>(6 * pixel.x);
            const float cx = static_cast<float>(x - originX), cy = static_cast<float>(y - originY);
            drawer->setVertexArray(square(cx - half, cy - half, cx + half, cy + half));
            drawer->setVertexCount(6);
            drawer->setColor(colour(colours[i][0], colours[i][1], colours[i][2], 1));
            ASSERT_TRUE(drawer->draw());
            expected.push_back(coords.LatLng2Screen(ground));
        }
        for (size_t i = 0; i < expected.size(); ++i) {
            const GLTestContext::RGBA want = {uint8_t(colours[i][0] * 255),
                                              uint8_t(colours[i][1] * 255),
                                              uint8_t(colours[i][2] * 255), 255};
            EXPECT_EQ(gl().readPixel(expected[i].x, expected[i].y), want)
                << "zoom " << c.zoom << " tilt " << c.tilt << " bearing " << c.bearing << " probe "
                << i << " at " << expected[i].toString();
        }
    }
}

TEST_F(DrawerPlacementTest, TiltIsHeldBetweenVerticalAndSixtyDegrees) {
    struct Case {
        double given, drawn;
    };
    const Case cases[] = {{-75, -60}, {-60, -60}, {-25, -25}, {0, 0}, {10, 0}};
    auto drawer = makeDrawer<GLPolygonDrawer>(POLYGON_OBJECT);
    const GLCoord camera(1000, -2000, 5000, true);
    for (const Case& c : cases) {
        drawer->setCameraPosition(camera, 33, c.given);
        ViewMatrices view;
        view.compute(camera, c.drawn, 33, kWidth, kHeight, 1.0);
        EXPECT_EQ(drawer->getTiltValue(), c.drawn) << "tilt " << c.given;
        EXPECT_EQ(drawer->getModelViewMatrix(), view.modelView()) << "tilt " << c.given;
        EXPECT_EQ(drawer->getProjectionRotationMatrix(), view.projectionRotation())
            << "tilt " << c.given;
    }
}

TEST_F(DrawerPlacementTest, WindowSizeTakesEffectAtTheNextViewUpdate) {
    auto drawer = makeDrawer<GLPolygonDrawer>(POLYGON_OBJECT);
    const auto before = drawer->getProjectionMatrix();
    drawer->setWindowSize(1000, 800);
    EXPECT_EQ(drawer->getProjectionMatrix(), before);

    drawer->updateView();
    EXPECT_FLOAT_EQ(drawer->getProjectionMatrix()[0], 1.5f);
    EXPECT_FLOAT_EQ(drawer->getProjectionMatrix()[5], 1.875f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1000);
    EXPECT_EQ(viewport[3], 800);
}
