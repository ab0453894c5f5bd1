// Real places of the demo data set drawn through the whole engine against
// the real service: the colours of the design sets where the geodata says
// ocean, land, a lake, a road and a building are.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "DemoStoreTest.h"
#include "GLTestContext.h"
#include "MapSnapshot.h"
#include "VeltarEngine.h"

namespace {

using qiv::CameraPosition;
using qiv::LatLng;
using qiv::Point;
using RGBA = GLTestContext::RGBA;


std::string describe(const RGBA& colour) {
    std::ostringstream text;
    text << "(" << int(colour[0]) << "," << int(colour[1]) << "," << int(colour[2]) << ","
         << int(colour[3]) << ")";
    return text.str();
}


// A place the demo data draws in a known colour, in the middle of the view.
// Points were picked in the source geodata (Natural Earth, the Ordnance
// Survey sample) away from labels, borders and rivers.
struct DemoPlace {
    const char* what;
    const char* design;
    LatLng place;
    double zoom;
    RGBA colour;
    // Pixels either side of the middle that may hold the colour instead of
    // the middle itself (a line a few pixels wide).
    int slack;
};

const DemoPlace kPlaces[] = {
    {"ocean in the Atlantic, world at level 3", "day", LatLng(30, -40), 3, {159, 201, 227, 255}, 0},
    {"land south of Lake Vaenern at level 6", "day", LatLng(58.4, 13.3), 6, {243, 240, 232, 255}, 0},
    {"Lake Vaenern drawn inside the land at level 6, night set (lake and background differ)",
     "night", LatLng(58.9, 13.3), 6, {23, 48, 73, 255}, 0},
    {"the A road in North Devon at level 16", "day", LatLng(51.1990390, -3.8965423), 16,
     {251, 227, 142, 255}, 2},
    {"a building in North Devon at level 16", "day", LatLng(51.2180185, -3.8740499), 16,
     {212, 200, 184, 255}, 0},
};


}  // namespace

using FrameDemoRenderTest = DemoStoreTest;

TEST_F(FrameDemoRenderTest, RealPlacesShowTheirDesignColours) {
    for (const DemoPlace& demo : kPlaces) {
        SCOPED_TRACE(demo.what);
        MapSnapshot map("demo-test", kWidth, kHeight);
        ASSERT_EQ(map.initialize(demo.design), 0);
        map.placeCamera(CameraPosition(demo.place, demo.zoom, 0, 0));
        const MapSnapshot::Outcome outcome = map.drawUntilComplete(kFrameSeconds);
        ASSERT_EQ(outcome.status, qiv::VeltarEngine::kFrameComplete)
            << outcome.frames << " frames in " << outcome.seconds << " s";
        const Point middle = map.engine().LatLng2Screen(demo.place);
        bool found = false;
        for (int dx = -demo.slack; dx <= demo.slack && !found; ++dx) {
            for (int dy = -demo.slack; dy <= demo.slack && !found; ++dy) {
                found = nearColour(gl().readPixel(middle.x + dx, middle.y + dy), demo.colour, 2);
            }
        }
        EXPECT_TRUE(found) << "expected " << describe(demo.colour) << ", the middle is "
                           << describe(gl().readPixel(middle.x, middle.y));
    }
}
