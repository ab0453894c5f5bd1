// Labels of the demo data set drawn through the whole engine against the
// real service: place names at their cities, icons at points of interest,
// neighbours whose label boxes overlap never both shown, the frame answering
// 101 until every label atlas is there, and a design switch.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DemoStoreTest.h"
#include "GLTestContext.h"
#include "KitStartup.h"
#include "MapSnapshot.h"
#include "RenderOptions.h"
#include "VeltarEngine.h"

namespace {

using qiv::CameraPosition;
using qiv::LatLng;
using qiv::Point;
using RGBA = GLTestContext::RGBA;


// One screen image, top row first, 4 bytes per pixel.
class Frame {
public:
    Frame(std::vector<uint8_t> pixels, int width, int height)
        : m_pixels(std::move(pixels)), m_width(width), m_height(height) {}

    RGBA at(int x, int y) const {
        const uint8_t* pixel = &m_pixels[(size_t(y) * m_width + x) * 4];
        return {pixel[0], pixel[1], pixel[2], pixel[3]};
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // Pixels at most radiusX across and radiusY down from `centre` that
    // `match` accepts.
    template <typename Match>
    int count(const Point& centre, int radiusX, int radiusY, Match match) const {
        int found = 0;
        for (int y = centre.y - radiusY; y <= centre.y + radiusY; ++y) {
            for (int x = centre.x - radiusX; x <= centre.x + radiusX; ++x) {
                if (inside(x, y) && match(x, y)) ++found;
            }
        }
        return found;
    }

private:
    std::vector<uint8_t> m_pixels;
    int m_width;
    int m_height;
};


// How far from its anchor a label's text may reach on screen.
const int kTextReachX = 120;
const int kTextReachY = 40;

// Glyph pixels of a label: the text colour of its design row. Glyph edges
// blend into the halo, so only the cores of the strokes match.
int textPixels(const Frame& frame, const Point& anchor, const RGBA& textColour) {
    return frame.count(anchor, kTextReachX, kTextReachY,
                       [&](int x, int y) { return nearColour(frame.at(x, y), textColour, 40); });
}

// What one view shows: the complete frame, the frame right after the
// map's label atlases were dropped, the answers of the frames from then
// until complete again, and that last frame.
struct LabelRun {
    std::unique_ptr<Frame> labelled;
    std::unique_ptr<Frame> withoutAtlases;
    std::vector<int> answersAfterDrop;
    std::unique_ptr<Frame> labelledAgain;
};

class FrameLabelRenderTest : public DemoStoreTest {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(RenderOptions::kDefaultFontPath))
            GTEST_SKIP() << "no label font at " << RenderOptions::kDefaultFontPath;
        DemoStoreTest::SetUp();
    }

    Frame screen() { return Frame(gl().readPixels(), kWidth, kHeight); }

    LabelRun drawView(MapSnapshot& map, const std::string& design, const CameraPosition& camera) {
        LabelRun run;
        EXPECT_EQ(map.initialize(design), 0);
        map.placeCamera(camera);
        const MapSnapshot::Outcome outcome = map.drawUntilComplete(kFrameSeconds);
        EXPECT_EQ(outcome.status, qiv::VeltarEngine::kFrameComplete)
            << outcome.frames << " frames in " << outcome.seconds << " s";
        run.labelled = std::make_unique<Frame>(screen());
        map.engine().clearMemoryCache();
        run.answersAfterDrop.push_back(map.engine().drawMap());
        run.withoutAtlases = std::make_unique<Frame>(screen());
        const MapSnapshot::Outcome again = map.drawUntilComplete(kFrameSeconds);
        run.answersAfterDrop.push_back(again.status);
        run.labelledAgain = std::make_unique<Frame>(screen());
        return run;
    }
};

struct LabelledPlace {
    const char* what;
    const char* design;
    LatLng anchor;
    // The camera looks away from the anchor, so that the label lies off the
    // middle of the screen.
    LatLng camera;
    double zoom;
    RGBA textColour;
};

// Anchors as the source geodata (Natural Earth, OpenStreetMap) gives them;
// text colours of the design rows of these levels.
const LabelledPlace kPlaces[] = {
    {"Paris, a capital at level 6", "day", LatLng(48.8666929312, 2.33333532574), LatLng(48.3, 3.2),
     6, {34, 34, 34, 255}},
    {"Berlin, a capital at level 6, night set", "night", LatLng(52.5218186636, 13.4015486233),
     LatLng(53.0, 12.5), 6, {236, 236, 236, 255}},
    {"Karlsruhe, a city at level 13", "day", LatLng(49.014068, 8.404437), LatLng(49.02, 8.41), 13,
     {34, 34, 34, 255}},
};

// Stroke cores of the text colour that a drawn word leaves at the least.
const int kWordPixels = 25;

TEST_F(FrameLabelRenderTest, PlaceNamesAppearAtTheirCities) {
    for (const LabelledPlace& place : kPlaces) {
        SCOPED_TRACE(place.what);
        MapSnapshot map("label-test", kWidth, kHeight);
        const LabelRun run = drawView(map, place.design, CameraPosition(place.camera, place.zoom, 0, 0));
        const Point anchor = map.engine().LatLng2Screen(place.anchor);
        ASSERT_TRUE(run.labelled->inside(anchor.x, anchor.y)) << anchor.x << "," << anchor.y;
        const int labelled = textPixels(*run.labelled, anchor, place.textColour);
        EXPECT_GE(labelled, kWordPixels) << "at " << anchor.x << "," << anchor.y;
        // The map itself has no such pixels there: they are the label's.
        EXPECT_LT(textPixels(*run.withoutAtlases, anchor, place.textColour), labelled / 5);
    }
}

struct PointOfInterest {
    const char* name;
    LatLng anchor;
};

// Named amenities of the West Oakland extract; the two churches stand close
// enough that their labels may hide one another.
const PointOfInterest kRevolutionCafe{"Revolution Cafe", LatLng(37.8062641, -122.2984609)};
const PointOfInterest kChurches[] = {
    {"Morning Star Church of God in Christ", LatLng(37.8075771, -122.3008027)},
    {"West Side Baptist Church", LatLng(37.8071823, -122.300407)},
};
const int kIconReach = 8;

// Pixels around `anchor` that the labels changed.
int changedPixels(const LabelRun& run, const Point& anchor) {
    return run.labelled->count(anchor, kIconReach, kIconReach, [&](int x, int y) {
        return !nearColour(run.labelled->at(x, y), run.withoutAtlases->at(x, y), 8);
    });
}

TEST_F(FrameLabelRenderTest, IconsShowAtPointsOfInterest) {
    MapSnapshot map("icon-test", kWidth, kHeight);
    const LabelRun run = drawView(map, "day", CameraPosition(LatLng(37.8072, -122.2990), 16, 0, 0));
    const int iconArea = (2 * kIconReach + 1) * (2 * kIconReach + 1);
    const Point cafe = map.engine().LatLng2Screen(kRevolutionCafe.anchor);
    EXPECT_GT(changedPixels(run, cafe), iconArea / 3) << kRevolutionCafe.name;
    int churchesShown = 0;
    for (const PointOfInterest& church : kChurches) {
        const Point at = map.engine().LatLng2Screen(church.anchor);
        if (changedPixels(run, at) > iconArea / 3) ++churchesShown;
    }
    EXPECT_GE(churchesShown, 1);
}

// Whether the icon of a label is drawn at `anchor`: the labels changed the
// whole middle of the icon.
bool iconShown(const LabelRun& run, const Point& anchor) {
    const int reach = 4;
    const int changed = run.labelled->count(anchor, reach, reach, [&](int x, int y) {
        return !nearColour(run.labelled->at(x, y), run.withoutAtlases->at(x, y), 8);
    });
    return changed * 3 >= (2 * reach + 1) * (2 * reach + 1) * 2;
}

// Two points of interest of the West Oakland extract and how their labels
// (icon, name centred below) meet in the view of the test.
struct NeighbourPair {
    const char* what;
    PointOfInterest first;
    PointOfInterest second;
    // The boxes overlap: exactly one label may show. Else both show.
    bool boxesOverlap;
    // Placed first by its design row, so it is the one that shows.
    bool firstWins;
};

const NeighbourPair kNeighbours[] = {
    {"a church and a mural whose names meet below them (the church's row comes first)",
     {"Morning Star Church of God in Christ", LatLng(37.8075771, -122.3008027)},
     {"One Love West Africa Mural", LatLng(37.8075066, -122.3000965)}, true, true},
    {"two points of one design row, their icons side by side",
     {"State Market Liquor", LatLng(37.8069846, -122.301296)},
     {"Esther's Orbit Room", LatLng(37.8069486, -122.3015276)}, true, false},
    {"a church and a clinic one label height apart",
     {"West Side Baptist Church", LatLng(37.8071823, -122.300407)},
     {"Planned Parenthood", LatLng(37.8067027, -122.3004354)}, false, false},
};

TEST_F(FrameLabelRenderTest, LabelsWhoseBoxesOverlapNeverBothShow) {
    MapSnapshot map("overlap-test", kWidth, kHeight);
    const LabelRun run = drawView(map, "day", CameraPosition(LatLng(37.8071, -122.3005), 16, 0, 0));
    for (const NeighbourPair& pair : kNeighbours) {
        SCOPED_TRACE(pair.what);
        const bool firstShown = iconShown(run, map.engine().LatLng2Screen(pair.first.anchor));
        const bool secondShown = iconShown(run, map.engine().LatLng2Screen(pair.second.anchor));
        if (!pair.boxesOverlap) {
            EXPECT_TRUE(firstShown && secondShown) << pair.first.name << " " << firstShown << ", "
                                                   << pair.second.name << " " << secondShown;
            continue;
        }
        EXPECT_NE(firstShown, secondShown) << pair.first.name << " " << firstShown << ", "
                                           << pair.second.name << " " << secondShown;
        EXPECT_TRUE(firstShown || !pair.firstWins) << pair.first.name << " lost";
    }
}

TEST_F(FrameLabelRenderTest, FrameAnswersIncompleteUntilEveryAtlasIsThere) {
    const LabelledPlace& karlsruhe = kPlaces[2];
    MapSnapshot map("atlas-test", kWidth, kHeight);
    const LabelRun run = drawView(map, karlsruhe.design, CameraPosition(karlsruhe.camera, 13, 0, 0));
    const Point anchor = map.engine().LatLng2Screen(karlsruhe.anchor);
    // Tiles are all in memory: only the dropped atlases keep the frame open,
    // and a frame without them draws no label.
    ASSERT_EQ(run.answersAfterDrop.size(), 2u);
    EXPECT_EQ(run.answersAfterDrop[0], qiv::VeltarEngine::kFrameIncomplete);
    EXPECT_EQ(textPixels(*run.withoutAtlases, anchor, karlsruhe.textColour), 0);
    // The first complete frame already shows the label, and so does the next.
    EXPECT_EQ(run.answersAfterDrop[1], qiv::VeltarEngine::kFrameComplete);
    EXPECT_GE(textPixels(*run.labelledAgain, anchor, karlsruhe.textColour), kWordPixels);
    EXPECT_EQ(map.engine().drawMap(), qiv::VeltarEngine::kFrameComplete);
    EXPECT_GE(textPixels(screen(), anchor, karlsruhe.textColour), kWordPixels);
}

TEST_F(FrameLabelRenderTest, DesignSwitchRedrawsLabelsAsTheNewSetDrawsThem) {
    const LabelledPlace& berlin = kPlaces[1];
    const CameraPosition camera(berlin.camera, berlin.zoom, 0, 0);
    const RGBA dayText{34, 34, 34, 255};
    MapSnapshot switched("design-switch-test", kWidth, kHeight);
    drawView(switched, "day", camera);
    const Point anchor = switched.engine().LatLng2Screen(berlin.anchor);
    ASSERT_GE(textPixels(screen(), anchor, dayText), kWordPixels);
    switched.engine().setDesignFileName(berlin.design);
    ASSERT_EQ(switched.drawUntilComplete(kFrameSeconds).status, qiv::VeltarEngine::kFrameComplete);
    const Frame afterSwitch = screen();
    EXPECT_GE(textPixels(afterSwitch, anchor, berlin.textColour), kWordPixels);

    // A map that starts in the night set draws the same label there: no
    // text texture of the day set is left over.
    MapSnapshot fresh("night-test", kWidth, kHeight);
    ASSERT_EQ(fresh.initialize(berlin.design), 0);
    fresh.placeCamera(camera);
    ASSERT_EQ(fresh.drawUntilComplete(kFrameSeconds).status, qiv::VeltarEngine::kFrameComplete);
    const Frame nightFromStart = screen();
    const int differing = afterSwitch.count(anchor, kTextReachX, kTextReachY, [&](int x, int y) {
        return !nearColour(afterSwitch.at(x, y), nightFromStart.at(x, y), 8);
    });
    EXPECT_EQ(differing, 0);
}

}  // namespace
