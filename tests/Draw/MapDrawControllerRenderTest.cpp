#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "CoordsManager.h"
#include "DesignController.h"
#include "GLPolygonObject.h"
#include "GLTestContext.h"
#include "MapDrawController.h"
#include "Organizer/MapTileFixture.h"

namespace {

using namespace map_tile;
using design_test::area;
using design_test::designSet;
using design_test::line;
using qiv::CameraPosition;
using qiv::DesignController;
using qiv::GLCoord;
using qiv::LatLng;
using qiv::MapDrawController;
using qiv::Point;
using qiv::UnitConvertor;
using RGBA = GLTestContext::RGBA;

constexpr int kLevel = 10;
const _K7D_STR_COLOR BACKGROUND{30, 60, 90, 255};
const _K7D_STR_COLOR LAND{243, 240, 232, 255};
const _K7D_STR_COLOR ROAD{200, 30, 30, 255};
const _K7D_STR_COLOR PARENT{40, 160, 40, 255};
const _K7D_STR_COLOR BOTTOM{0, 0, 255, 255};
const _K7D_STR_COLOR TOP{255, 200, 0, 255};

RGBA rgba(const _K7D_STR_COLOR& color) { return {color.r, color.g, color.b, color.a}; }

::testing::AssertionResult near(const RGBA& actual, const RGBA& expected) {
    for (int i = 0; i < 4; ++i) {
        if (std::abs(actual[i] - expected[i]) > 2) {
            return ::testing::AssertionFailure()
                   << "pixel (" << +actual[0] << ", " << +actual[1] << ", " << +actual[2] << ", "
                   << +actual[3] << ") expected (" << +expected[0] << ", " << +expected[1]
                   << ", " << +expected[2] << ", " << +expected[3] << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

// A draw controller with the "test" design set and a camera looking straight
// down at a level-10 tile, as the engine's frame sets them up.
class MapDrawControllerTest : public GLTest {
protected:
    void SetUp() override { start(326, false); }
    // Sets the controller and camera up for a screen density, giving the
    // controller the surface size before or after the density.
    void start(int dpi, bool sizeFirst) {
        GLTest::SetUp();
        m_global.reset(design_test::groupOf({designSet(
            "test", BACKGROUND,
            {area("land", kLevel, LAND), line("road", kLevel, 10.0f, ROAD),
             area("bottom", kLevel, BOTTOM), area("top", kLevel, TOP),
             area("parent", kLevel - 1, PARENT)},
            {})}));
        DesignController::createDesign(m_global.get(), "");
        m_controller = std::make_unique<MapDrawController>();
        if (sizeFirst) m_controller->setWindowSize(kWidth, kHeight);
        m_controller->initialize(dpi);
        if (!sizeFirst) m_controller->setWindowSize(kWidth, kHeight);
        m_controller->registrateIconTexture(m_global.get(), "test");
        m_controller->getOrganizer().setDesignName("test");
        m_coords.setWindowSize(kWidth, kHeight, 90.0f, dpi);
        m_key = UnitConvertor::LatLng2QuadKey(kLevel, LatLng(51.0, -4.0));
        lookAt(m_key, {0.5, 0.5});
    }
    void TearDown() override {
        m_controller.reset();
        DesignController::clear();
        GLTest::TearDown();
    }

    // Puts the camera over a point of a tile at the tile's level and hands
    // the frame's camera to the controller; clears the frame.
    void lookAt(const std::string& key, TilePoint point) {
        const auto [x, y] = worldPoint(key, point);
        m_coords.setPosition(CameraPosition(UnitConvertor::FourByte2LatLng(x, y),
                                            static_cast<double>(key.size()), 0.0, 0.0),
                             Point(kWidth / 2, kHeight / 2), 0.0f, 0.0f);
        GLCoord camera;
        m_coords.getCameraCoord(&camera);
        std::array<GLCoord, 4> region;
        m_coords.getVisibleRegion(&region);
        qiv::Vector3d pixel;
        m_coords.getPixel2FourByteDist(&pixel);
        m_controller->setPixelDistance(pixel.x, pixel.y);
        m_controller->setCamera(camera, region[1].x, region[1].y, 0.0, 0.0, key.size());
        m_controller->setVisibleRegion(region.data());
        m_controller->clearBuffer();
    }

    // The pixel showing a point of a tile.
    RGBA pixelAt(const std::string& key, TilePoint point) {
        const auto [x, y] = worldPoint(key, point);
        const Point screen = m_coords.LatLng2Screen(UnitConvertor::FourByte2LatLng(x, y));
        return gl().readPixel(screen.x, screen.y);
    }

    // The key of the tile beside `key`, `du` and `dv` tiles away.
    static std::string neighbour(const std::string& key, int du, int dv) {
        const auto [x, y] = worldPoint(key, {du + 0.5, dv + 0.5});
        return UnitConvertor::FourByte2QuadKey(static_cast<int>(key.size()), x, y);
    }

    std::unique_ptr<K7DataCtg> m_global;
    std::unique_ptr<MapDrawController> m_controller;
    qiv::CoordsManager m_coords;
    std::string m_key;
};

TEST_F(MapDrawControllerTest, ClearsToTheDesignBackground) {
    EXPECT_TRUE(near(gl().readPixel(kWidth / 2, kHeight / 2), rgba(BACKGROUND)));
    EXPECT_TRUE(near(gl().readPixel(0, 0), rgba(BACKGROUND)));
}

TEST_F(MapDrawControllerTest, DrawsAnAreaAndALineInTheirDesignColours) {
    auto tile = map_tile::tile(m_key, {},
                               {areaGroup("land", {rectangle(m_key, 0, 0, 1, 1)}),
                                lineGroup("road", {coordinates(m_key, {{0, 0.4}, {1, 0.4}})})});
    lookAt(m_key, {0.9, 0.5});
    EXPECT_TRUE(m_controller->draw(tile.get(), m_key, false));

    EXPECT_TRUE(near(pixelAt(m_key, {0.8, 0.5}), rgba(LAND)));
    EXPECT_TRUE(near(pixelAt(m_key, {0.8, 0.4}), rgba(ROAD)));
    EXPECT_TRUE(near(pixelAt(m_key, {0.8, 0.42}), rgba(LAND))) << "the line is a few pixels wide";
    EXPECT_TRUE(near(pixelAt(m_key, {1.1, 0.5}), rgba(BACKGROUND))) << "drawn beyond the tile";
}

TEST_F(MapDrawControllerTest, ADensityGivenAfterTheSurfaceSizeScalesTheDrawing) {
    TearDown();
    start(163, true);
    auto tile = map_tile::tile(m_key, {}, {areaGroup("land", {rectangle(m_key, 0.4, 0.4, 0.6, 0.6)})});
    lookAt(m_key, {0.5, 0.5});
    m_controller->draw(tile.get(), m_key, false);

    // At half the density the area covers half as many pixels: its edges
    // lie where the camera model puts them.
    EXPECT_TRUE(near(pixelAt(m_key, {0.41, 0.5}), rgba(LAND)));
    EXPECT_TRUE(near(pixelAt(m_key, {0.39, 0.5}), rgba(BACKGROUND)));
    EXPECT_TRUE(near(pixelAt(m_key, {0.5, 0.61}), rgba(BACKGROUND)));
}

TEST_F(MapDrawControllerTest, AnAncestorStandsInOnlyInsideTheMissingTilesSquare) {
    // The parent covers the missing tile and its sibling to the east.
    std::string missing = m_key;
    while (neighbour(missing, 1, 0).substr(0, kLevel - 1) != missing.substr(0, kLevel - 1)) {
        missing = neighbour(missing, -1, 0);
    }
    const std::string sibling = neighbour(missing, 1, 0);
    const std::string parentKey = missing.substr(0, kLevel - 1);
    lookAt(missing, {1.0, 0.5});

    auto parent = filledTile(parentKey, "parent");
    m_controller->entry(parent.get(), parentKey);
    auto placeholder = map_tile::tile(
        missing,
        {lineGroup("QuadLine", {coordinates(missing, {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}})})},
        {});
    m_controller->draw(placeholder.get(), missing, false);

    EXPECT_TRUE(near(pixelAt(missing, {0.9, 0.5}), rgba(PARENT)));
    EXPECT_TRUE(near(pixelAt(sibling, {0.1, 0.5}), rgba(BACKGROUND))) << "the ancestor leaked";
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
}

TEST_F(MapDrawControllerTest, AMissingTileWithoutAncestorShowsItsOutline) {
    auto placeholder = map_tile::tile(
        m_key,
        {lineGroup("QuadLine", {coordinates(m_key, {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}})})},
        {});
    lookAt(m_key, {1.0, 0.5});
    m_controller->draw(placeholder.get(), m_key, false);

    const RGBA edge = pixelAt(m_key, {1.0, 0.5});
    EXPECT_FALSE(near(edge, rgba(BACKGROUND))) << "no outline on the tile's east edge";
    EXPECT_TRUE(near(pixelAt(m_key, {0.8, 0.5}), rgba(BACKGROUND)));
}

TEST_F(MapDrawControllerTest, TheHigherZIndexCoversWhateverTheTileOrder) {
    // The west tile's "top" area reaches into the east tile, whose "bottom"
    // area fills its square.
    const std::string west = m_key;
    const std::string east = neighbour(m_key, 1, 0);
    lookAt(west, {1.0, 0.5});
    auto westTile = map_tile::tile(west, {}, {areaGroup("top", {rectangle(west, 0.5, 0.4, 1.5, 0.6)})});
    auto eastTile = filledTile(east, "bottom");

    struct Order {
        const char* name;
        K7DataCtg* first;
        std::string firstKey;
        K7DataCtg* second;
        std::string secondKey;
    };
    const Order orders[] = {{"west first", westTile.get(), west, eastTile.get(), east},
                            {"east first", eastTile.get(), east, westTile.get(), west}};
    // One tile is built per frame: build both before the frames under test.
    m_controller->draw(westTile.get(), west, false);
    lookAt(west, {1.0, 0.5});
    m_controller->draw(eastTile.get(), east, false);
    for (const Order& order : orders) {
        lookAt(west, {1.0, 0.5});
        m_controller->draw(order.first, order.firstKey, false);
        m_controller->draw(order.second, order.secondKey, false);
        EXPECT_TRUE(near(pixelAt(east, {0.25, 0.5}), rgba(TOP))) << order.name;
        EXPECT_TRUE(near(pixelAt(east, {0.25, 0.8}), rgba(BOTTOM))) << order.name;
    }
}

TEST_F(MapDrawControllerTest, AnApplicationPolygonLeavesItsHoleOpen) {
    auto toWorld = [&](std::initializer_list<TilePoint> points) {
        std::vector<double> flat;
        for (const TilePoint& point : points) {
            const auto [x, y] = worldPoint(m_key, point);
            flat.push_back(x);
            flat.push_back(y);
        }
        return flat;
    };
    auto polygon = std::make_shared<qiv::GLPolygonObject>();
    const float fill[4] = {255, 0, 0, 255};
    const float noStroke[4] = {0, 0, 0, 0};
    ASSERT_TRUE(polygon->initialize("p", 1.0f, toWorld({{0.1, 0.1}, {0.1, 0.9}, {0.9, 0.9}, {0.9, 0.1}}),
                                    {toWorld({{0.4, 0.4}, {0.4, 0.6}, {0.6, 0.6}, {0.6, 0.4}})}, fill,
                                    noStroke, 0.0f, true));
    EXPECT_TRUE(m_controller->drawUserPolygon(polygon));

    EXPECT_TRUE(near(pixelAt(m_key, {0.2, 0.2}), RGBA{255, 0, 0, 255}));
    EXPECT_TRUE(near(pixelAt(m_key, {0.5, 0.5}), rgba(BACKGROUND))) << "the hole was filled";
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
}

}  // namespace
