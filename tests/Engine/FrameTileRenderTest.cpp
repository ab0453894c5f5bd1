// The map frame through the whole engine against the real service, on small
// fixture stores built here: missing tiles and their stand-ins, the stencil
// clip, camera placement under tilt and bearing, design switches and the
// depth order of areas and lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../tools/render/FixtureStore.h"
#include "../tools/render/FixtureTile.h"
#include "../tools/render/StoreService.h"
#include "CacheController.h"
#include "GLTestContext.h"
#include "KitStartup.h"
#include "MapSnapshot.h"
#include "RenderOptions.h"
#include "UnitConvertor.h"
#include "VeltarEngine.h"

namespace {

using qiv::CameraPosition;
using qiv::LatLng;
using qiv::Point;
using qiv::UnitConvertor;
using RGBA = GLTestContext::RGBA;

const int kLevel = 15;
// Display density at which the design tables' widths are pixels.
const int kTableDpi = 326;
const double kFrameSeconds = 30;

// Colours of the shipped design sets at levels 15 and 16.
const RGBA kDayBackground{159, 201, 227, 255};
const RGBA kNightBackground{20, 37, 54, 255};
const RGBA kDayLand{243, 240, 232, 255};
const RGBA kNightLand{42, 46, 53, 255};
const RGBA kDayPark{197, 227, 173, 255};
const RGBA kDayBuilding{212, 200, 184, 255};
const RGBA kDayPrimaryFill{251, 227, 142, 255};
const RGBA kNightPrimaryFill{140, 128, 84, 255};
const RGBA kDayResidentialFill{255, 255, 255, 255};

std::string describe(const RGBA& colour) {
    std::ostringstream text;
    text << "(" << int(colour[0]) << "," << int(colour[1]) << "," << int(colour[2]) << ","
         << int(colour[3]) << ")";
    return text.str();
}

// Equal but for the rounding of colour conversions.
::testing::AssertionResult looksLike(const RGBA& seen, const RGBA& expected) {
    for (int channel = 0; channel < 4; ++channel) {
        if (std::abs(int(seen[channel]) - int(expected[channel])) > 2)
            return ::testing::AssertionFailure()
                   << "saw " << describe(seen) << ", expected " << describe(expected);
    }
    return ::testing::AssertionSuccess();
}

// The level-15 tile the tests look at, away from any border of the world.
const std::string kTileKey = UnitConvertor::LatLng2QuadKey(kLevel, LatLng(10.0, 20.0));

struct WorldSquare {
    double west = 0;
    double south = 0;
    double side = 0;
    double x(double fraction) const { return west + fraction * side; }
    double y(double fraction) const { return south + fraction * side; }
    LatLng at(double fx, double fy) const { return UnitConvertor::FourByte2LatLng(x(fx), y(fy)); }
};

WorldSquare squareOf(const std::string& key) {
    WorldSquare square;
    UnitConvertor::QuadKey2FourByte(key, &square.west, &square.south);
    square.side = UnitConvertor::getQuadSize(int(key.size()));
    return square;
}

const WorldSquare kTile = squareOf(kTileKey);

class FrameTileRenderTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        char folder[] = "/tmp/tolkmaps-frame-test-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_folder = folder;
        // Decoded tiles live in the process between tests: start without any.
        qiv::CacheController::clearMemory();
    }
    void TearDown() override {
        m_map.reset();  // the engine's GL objects go while the context is current
        m_service.reset();
        std::filesystem::remove_all(m_folder);
        GLTest::TearDown();
    }

    // The tiles an engine of the fixture's size shows for a camera.
    static std::vector<std::string> visibleKeys(const CameraPosition& camera) {
        qiv::VeltarEngine engine("visible-keys");
        engine.setWindowSize(kWidth, kHeight);
        engine.setPosition(camera, 0, 0, Point(kWidth / 2, kHeight / 2));
        return engine.getVisibleQuadKeys();
    }

    // A tile for every key, filled by `make`.
    template <typename Make>
    std::vector<std::unique_ptr<FixtureTile>> tilesFor(const std::set<std::string>& keys,
                                                       Make make) {
        std::vector<std::unique_ptr<FixtureTile>> tiles;
        for (const std::string& key : keys) {
            tiles.push_back(std::make_unique<FixtureTile>(key));
            make(*tiles.back());
        }
        return tiles;
    }

    static std::vector<FixtureTile*> pointers(const std::vector<std::unique_ptr<FixtureTile>>& tiles) {
        std::vector<FixtureTile*> raw;
        for (const auto& tile : tiles) raw.push_back(tile.get());
        return raw;
    }

    // Serves the tiles, starts the kit against the service and makes the map
    // with a design set.
    void startMap(const std::vector<std::unique_ptr<FixtureTile>>& tiles,
                  const std::string& design = "day") {
        FixtureStore::write(m_folder + "/tiles.sqlite", pointers(tiles));
        m_service = std::make_unique<StoreService>(m_folder + "/tiles.sqlite");
        const RenderOptions options = m_service->kitOptions(kTableDpi);
        std::filesystem::create_directories(m_folder + "/cache");
        ASSERT_EQ(KitStartup::start(options, m_folder + "/cache"), 0) << m_service->serverOutput();
        m_map = std::make_unique<MapSnapshot>("frame-test", kWidth, kHeight);
        ASSERT_EQ(m_map->initialize(design), 0);
    }

    Point screenOf(const LatLng& place) { return m_map->engine().LatLng2Screen(place); }
    // Where a place would be under the same camera without tilt and bearing.
    static Point screenWithout(const CameraPosition& camera, const LatLng& place) {
        qiv::VeltarEngine engine("north-up");
        engine.setWindowSize(kWidth, kHeight);
        engine.setPosition(CameraPosition(camera.target, camera.zoom, 0, 0), 0, 0,
                           Point(kWidth / 2, kHeight / 2));
        return engine.LatLng2Screen(place);
    }
    // The pixel showing a place; a place off the view fails the test.
    RGBA pixelOf(const LatLng& place) {
        const Point screen = screenOf(place);
        const bool onView = screen.x >= 0 && screen.x < kWidth && screen.y >= 0 && screen.y < kHeight;
        if (!onView) ADD_FAILURE() << "off the view at " << screen.toString();
        return onView ? gl().readPixel(screen.x, screen.y) : RGBA{};
    }
    enum class Runs { EastWest, NorthSouth };
    // Whether a line of `colour` running east-west or north-south passes
    // within two pixels of a place, looking across the line only: lines have
    // soft edges, and a place's pixel may be the row next to the middle.
    ::testing::AssertionResult lineOf(const RGBA& colour, const LatLng& place, Runs runs) {
        const Point screen = screenOf(place);
        for (int across = -2; across <= 2; ++across) {
            const Point at = runs == Runs::EastWest ? Point(screen.x, screen.y + across)
                                                    : Point(screen.x + across, screen.y);
            if (looksLike(gl().readPixel(at.x, at.y), colour)) return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "no " << describe(colour) << " across "
                                             << screen.toString() << ", which is "
                                             << describe(gl().readPixel(screen.x, screen.y));
    }

    std::string m_folder;
    std::unique_ptr<StoreService> m_service;
    std::unique_ptr<MapSnapshot> m_map;
};

std::set<std::string> keysOf(const std::vector<std::string>& keys) {
    return std::set<std::string>(keys.begin(), keys.end());
}

}  // namespace

TEST_F(FrameTileRenderTest, AMissingTileShowsItsOutlineUntilALaterFrameFindsIt) {
    // The tile's west edge runs through the middle of the view.
    const CameraPosition camera(kTile.at(0, 0.5), kLevel, 0, 0);
    const auto tiles = tilesFor(keysOf(visibleKeys(camera)), [](FixtureTile& tile) { tile.fill("land"); });
    startMap(tiles);
    m_map->placeCamera(camera);

    // Nothing in memory or on disk yet, and no ancestor anywhere: the
    // background and the outlines of the requested tiles.
    ASSERT_EQ(m_map->engine().drawMap(), qiv::VeltarEngine::kFrameIncomplete);
    EXPECT_TRUE(looksLike(pixelOf(kTile.at(0.2, 0.5)), kDayBackground));
    const Point westEdge = screenOf(kTile.at(0, 0.5));
    int outlined = 0;
    for (int x = westEdge.x - 2; x <= westEdge.x + 2; ++x) {
        const RGBA seen = gl().readPixel(x, westEdge.y);
        if (!looksLike(seen, kDayBackground) && !looksLike(seen, kDayLand)) ++outlined;
    }
    EXPECT_GT(outlined, 0) << "no outline across the tile's west edge at " << westEdge.toString();

    const MapSnapshot::Outcome outcome = m_map->drawUntilComplete(kFrameSeconds);
    ASSERT_EQ(outcome.status, qiv::VeltarEngine::kFrameComplete)
        << "after " << outcome.frames << " frames";
    EXPECT_TRUE(looksLike(pixelOf(kTile.at(0.2, 0.5)), kDayLand));
    for (int x = westEdge.x - 2; x <= westEdge.x + 2; ++x) {
        EXPECT_TRUE(looksLike(gl().readPixel(x, westEdge.y), kDayLand)) << "outline left at x " << x;
    }
}

TEST_F(FrameTileRenderTest, AnAncestorStandsInForAMissingTileOnlyInsideItsSquare) {
    // Level 15: the parent tile is park. Level 16: its first child never
    // comes (the service lacks it); its siblings are empty, so a parent
    // drawn past the missing child's square would show on them.
    const std::string missing = kTileKey + "0";
    const CameraPosition parentView(kTile.at(0.5, 0.5), kLevel, 0, 0);
    const CameraPosition childView(kTile.at(0.5, 0.5), kLevel + 1, 0, 0);
    std::set<std::string> keys = keysOf(visibleKeys(parentView));
    const std::set<std::string> childKeys = keysOf(visibleKeys(childView));
    ASSERT_TRUE(childKeys.count(missing));
    keys.insert(childKeys.begin(), childKeys.end());
    keys.erase(missing);
    const auto tiles = tilesFor(keys, [](FixtureTile& tile) {
        if (tile.quadKey() == kTileKey) {
            tile.fill("park");
        } else if (tile.quadKey().compare(0, kTileKey.size(), kTileKey) != 0) {
            tile.fill("land");
        }
    });
    startMap(tiles);

    m_map->placeCamera(parentView);
    ASSERT_EQ(m_map->drawUntilComplete(kFrameSeconds).status, qiv::VeltarEngine::kFrameComplete);
    ASSERT_TRUE(looksLike(pixelOf(kTile.at(0.5, 0.5)), kDayPark));

    m_map->placeCamera(childView);
    const std::vector<std::string> stillMissing{missing};
    MapSnapshot::Outcome outcome;
    for (int round = 0; round < 200; ++round) {
        outcome = m_map->drawUntilComplete(0.05);
        if (m_map->missingTiles(FixtureStore::kServiceId) == stillMissing) break;
    }
    outcome = m_map->drawUntilComplete(0.05);
    ASSERT_EQ(m_map->missingTiles(FixtureStore::kServiceId), stillMissing);
    EXPECT_EQ(outcome.status, qiv::VeltarEngine::kFrameIncomplete);

    // The view shows the parent's middle: a little of each child. Inside the
    // missing child the parent stands in; over its siblings, nothing.
    for (const LatLng& place : {kTile.at(0.4, 0.4), kTile.at(0.4, 0.6), kTile.at(0.6, 0.4),
                                kTile.at(0.6, 0.6)}) {
        const bool inMissing = UnitConvertor::LatLng2QuadKey(kLevel + 1, place) == missing;
        EXPECT_TRUE(looksLike(pixelOf(place), inMissing ? kDayPark : kDayBackground))
            << (inMissing ? "no stand-in in " : "the parent leaks over ")
            << UnitConvertor::LatLng2QuadKey(kLevel + 1, place);
    }
    // Three pixels either side of the edge between the missing child and
    // its east or west sibling, within the missing child's rows.
    const WorldSquare child = squareOf(missing);
    const bool missingIsWest = child.west == kTile.west;
    const Point edge = screenOf(kTile.at(0.5, child.south == kTile.south ? 0.45 : 0.55));
    EXPECT_TRUE(looksLike(gl().readPixel(edge.x - 3, edge.y), missingIsWest ? kDayPark : kDayBackground));
    EXPECT_TRUE(looksLike(gl().readPixel(edge.x + 3, edge.y), missingIsWest ? kDayBackground : kDayPark));
}

TEST_F(FrameTileRenderTest, TiltAndBearingPutAPlaceWhereTheCameraSaysItIs) {
    // A building square a little off the tile's centre, land all around.
    const CameraPosition camera(kTile.at(0.5, 0.5), kLevel, 40, 30);
    const auto tiles = tilesFor(keysOf(visibleKeys(camera)), [](FixtureTile& tile) {
        tile.fill("land");
        if (tile.quadKey() == kTileKey)
            tile.area("building", kTile.x(0.55), kTile.y(0.35), kTile.x(0.65), kTile.y(0.45));
    });
    startMap(tiles);
    m_map->placeCamera(camera);
    ASSERT_EQ(m_map->drawUntilComplete(kFrameSeconds).status, qiv::VeltarEngine::kFrameComplete);

    // Tilt and bearing move the square well away from where a north-up,
    // untilted view has it, so only a frame that applies them finds it.
    const Point building = screenOf(kTile.at(0.6, 0.4));
    const Point northUp = screenWithout(camera, kTile.at(0.6, 0.4));
    ASSERT_GT(std::hypot(building.x - northUp.x, building.y - northUp.y), 40.0)
        << building.toString() << " " << northUp.toString();
    EXPECT_TRUE(looksLike(pixelOf(kTile.at(0.6, 0.4)), kDayBuilding))
        << "at " << building.toString();
    for (const LatLng& around : {kTile.at(0.5, 0.4), kTile.at(0.7, 0.4), kTile.at(0.6, 0.3),
                                 kTile.at(0.6, 0.5)}) {
        EXPECT_TRUE(looksLike(pixelOf(around), kDayLand)) << "at " << screenOf(around).toString();
    }
}

TEST_F(FrameTileRenderTest, SwitchingTheDesignSetRecoloursTheNextFrame) {
    // One tile of land with a primary road across it; every other tile is
    // empty, so the background shows there. The view is on the tile's east
    // edge: the tile on the left, an empty one on the right.
    const CameraPosition camera(kTile.at(1, 0.5), kLevel, 0, 0);
    const auto tiles = tilesFor(keysOf(visibleKeys(camera)), [](FixtureTile& tile) {
        if (tile.quadKey() != kTileKey) return;
        tile.fill("land").line("road_primary", {{kTile.x(0), kTile.y(0.5)}, {kTile.x(1), kTile.y(0.5)}});
    });
    startMap(tiles);
    m_map->placeCamera(camera);
    ASSERT_EQ(m_map->drawUntilComplete(kFrameSeconds).status, qiv::VeltarEngine::kFrameComplete);
    const LatLng onRoad = kTile.at(0.8, 0.5);
    const LatLng offRoad = kTile.at(0.8, 0.7);
    const LatLng empty = kTile.at(1.2, 0.5);
    EXPECT_TRUE(lineOf(kDayPrimaryFill, onRoad, Runs::EastWest));
    EXPECT_TRUE(looksLike(pixelOf(offRoad), kDayLand));
    EXPECT_TRUE(looksLike(pixelOf(empty), kDayBackground));

    m_map->engine().setDesignFileName("night");
    m_map->engine().drawMap();
    EXPECT_TRUE(lineOf(kNightPrimaryFill, onRoad, Runs::EastWest));
    EXPECT_TRUE(looksLike(pixelOf(offRoad), kNightLand));
    EXPECT_TRUE(looksLike(pixelOf(empty), kNightBackground));
}

TEST_F(FrameTileRenderTest, DesignDepthOrdersAreasAndLinesWhateverTheRecordOrder) {
    // Record order is the reverse of the design order everywhere: the park
    // comes after the building it covers, the residential road after the
    // primary road it crosses, and the areas after the line over them.
    const CameraPosition camera(kTile.at(0.5, 0.5), kLevel, 0, 0);
    const auto tiles = tilesFor(keysOf(visibleKeys(camera)), [](FixtureTile& tile) {
        if (tile.quadKey() != kTileKey) return;
        tile.line("road_primary", {{kTile.x(0), kTile.y(0.7)}, {kTile.x(1), kTile.y(0.7)}})
            .line("road_residential", {{kTile.x(0.35), kTile.y(1)}, {kTile.x(0.35), kTile.y(0)}})
            .area("building", kTile.x(0.55), kTile.y(0.35), kTile.x(0.75), kTile.y(0.55))
            .area("park", kTile.x(0.5), kTile.y(0.3), kTile.x(0.8), kTile.y(0.6))
            .area("land", kTile.x(0), kTile.y(0), kTile.x(1), kTile.y(1));
    });
    startMap(tiles);
    m_map->placeCamera(camera);
    ASSERT_EQ(m_map->drawUntilComplete(kFrameSeconds).status, qiv::VeltarEngine::kFrameComplete);

    EXPECT_TRUE(looksLike(pixelOf(kTile.at(0.65, 0.45)), kDayBuilding)) << "building under the park";
    EXPECT_TRUE(looksLike(pixelOf(kTile.at(0.52, 0.32)), kDayPark)) << "park under the land";
    EXPECT_TRUE(lineOf(kDayPrimaryFill, kTile.at(0.35, 0.7), Runs::EastWest))
        << "primary road under the residential road at their crossing";
    EXPECT_TRUE(lineOf(kDayResidentialFill, kTile.at(0.35, 0.4), Runs::NorthSouth))
        << "road under the land";
}
