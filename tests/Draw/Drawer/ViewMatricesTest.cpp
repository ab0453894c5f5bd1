#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "CoordsManager.h"
#include "Matrix4.h"
#include "UnitConvertor.h"
#include "ViewMatrices.h"

using namespace qiv;

namespace {

using Vec4 = std::array<double, 4>;

Matrix4 toMatrix(const std::array<float, 16>& values) {
    std::array<double, 16> copy{};
    for (int i = 0; i < 16; ++i) {
        copy[i] = values[i];
    }
    return Matrix4(copy);
}

// Where the vertex programs put a vertex p (relative to the frame origin),
// in screen pixels with y down: uPMatrix * (uMVMatrix * (p - o) + o), o the
// camera's ground point, then the perspective division and the viewport.
std::array<double, 2> project(const ViewMatrices& view, const GLCoord& camera, double x, double y,
                              int width, int height) {
    const Vec4 moved = toMatrix(view.modelView()).transform({x - camera.x, y - camera.y, 0, 1});
    const Vec4 clip =
        toMatrix(view.projection())
            .transform({moved[0] + camera.x, moved[1] + camera.y, moved[2], moved[3]});
    return {(clip[0] / clip[3] + 1) / 2 * width, (1 - clip[1] / clip[3]) / 2 * height};
}

}  // namespace

TEST(ViewMatricesTest, FrustumFollowsWindowPixelFactorAndCameraHeight) {
    const double height = 4096;
    ViewMatrices view;
    view.compute(GLCoord(0, 0, height, true), 0, 0, 1000, 800, 1.0);

    const auto& p = view.projection();
    EXPECT_FLOAT_EQ(p[0], 1.5f);
    EXPECT_FLOAT_EQ(p[5], 1.875f);
    EXPECT_FLOAT_EQ(p[10], static_cast<float>((0.5 + 3.0) / (0.5 - 3.0)));
    EXPECT_FLOAT_EQ(p[11], -1.0f);
    EXPECT_FLOAT_EQ(p[14], static_cast<float>(2 * 0.5 * 3.0 * height / (0.5 - 3.0)));
    EXPECT_EQ(p[15], 0.0f);
    EXPECT_DOUBLE_EQ(view.nearClip(), 0.5 * height);
    EXPECT_DOUBLE_EQ(view.farClip(), 3 * height);

    // A denser screen (pixel factor 2) shows the same ground twice as large.
    view.compute(GLCoord(0, 0, height, true), 0, 0, 1000, 800, 2.0);
    EXPECT_FLOAT_EQ(view.projection()[0], 3.0f);
    EXPECT_FLOAT_EQ(view.projection()[5], 3.75f);
}

TEST(ViewMatricesTest, ViewThatCannotBeProjectedDrawsNothing) {
    struct Case {
        const char* what;
        double cameraHeight;
        int width, height;
        double pixelFactor;
    };
    const Case cases[] = {
        {"camera not placed", 0, 512, 512, 1},
        {"camera below ground", -10, 512, 512, 1},
        {"no window", 1000, 0, 0, 1},
        {"no density", 1000, 512, 512, 0},
    };
    for (const Case& c : cases) {
        ViewMatrices view;
        view.compute(GLCoord(0, 0, 1000, true), 0, 0, 512, 512, 1);
        view.compute(GLCoord(5, 5, c.cameraHeight, true), -30, 40, c.width, c.height,
                     c.pixelFactor);
        for (int i = 0; i < 16; ++i) {
            ASSERT_EQ(view.projection()[i], 0.0f) << c.what;
            ASSERT_EQ(view.modelView()[i], 0.0f) << c.what;
            ASSERT_FALSE(std::isnan(view.projectionRotation()[i])) << c.what;
        }
        EXPECT_EQ(view.nearClip(), 0.0) << c.what;
    }
}

TEST(ViewMatricesTest, CameraGroundPointIsTheCentreForAnyBearingAndTilt) {
    const GLCoord camera(123456.0, -98765.0, 20000.0, true);
    for (double bearing : {0.0, 45.0, -90.0, 170.0, 359.0}) {
        for (double tilt : {0.0, -20.0, -45.0, -60.0}) {
            ViewMatrices view;
            view.compute(camera, tilt, bearing, 640, 480, 1.3);
            const auto pixel = project(view, camera, camera.x, camera.y, 640, 480);
            EXPECT_NEAR(pixel[0], 320.0, 1e-3) << "bearing " << bearing << " tilt " << tilt;
            EXPECT_NEAR(pixel[1], 240.0, 1e-3) << "bearing " << bearing << " tilt " << tilt;
        }
    }
}

// The matrices and the camera model agree: a world point drawn through the
// programs lands on the pixel that the camera model reports for it.
TEST(ViewMatricesTest, WorldPointLandsWhereTheCameraModelPutsIt) {
    struct Case {
        double zoom, tilt, bearing, dpi;
    };
    const Case cases[] = {
        {15, 0, 0, 326},    {15, 0, 90, 326},  {16, 30, 0, 326},     {16, 45, 30, 326},
        {12, 60, 200, 326}, {6, 10, -45, 163}, {16.5, 45, 300, 489},
    };
    const int width = 800, height = 600;
    const LatLng target(51.06, -4.2);
    // Ground points under these pixels, spread over the screen.
    const Point screenProbes[] = {{60, 40}, {740, 90}, {400, 300}, {120, 560}, {700, 520}};
    for (const Case& c : cases) {
        CoordsManager coords;
        coords.setWindowSize(width, height, 45.0f, c.dpi);
        coords.setPosition(CameraPosition(target, c.zoom, c.tilt, c.bearing),
                           Point(width / 2, height / 2), 0, 0);
        GLCoord camera;
        coords.getCameraCoord(&camera);
        // Vertices are relative to a frame origin away from the camera.
        const double originX = camera.x - 3000.5, originY = camera.y + 1234.25;
        const GLCoord relative(camera.x - originX, camera.y - originY, camera.z, true);
        ViewMatrices view;
        view.compute(relative, -c.tilt, -c.bearing, width, height, c.dpi / 326.0);

        for (const Point& screenProbe : screenProbes) {
            const LatLng probe = coords.screen2LatLng(screenProbe);
            double x = 0, y = 0;
            UnitConvertor::Latlng2FourByte(probe, &x, &y);
            const Point expected = coords.LatLng2Screen(probe);
            const auto pixel = project(view, relative, x - originX, y - originY, width, height);
            // The camera model rounds offsets to whole pixels before undoing the tilt.
            EXPECT_NEAR(pixel[0], expected.x, 1.5)
                << "zoom " << c.zoom << " tilt " << c.tilt << " bearing " << c.bearing;
            EXPECT_NEAR(pixel[1], expected.y, 1.5)
                << "zoom " << c.zoom << " tilt " << c.tilt << " bearing " << c.bearing;
        }
    }
}
