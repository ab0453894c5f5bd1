// Placing the labels of a full 1024 x 768 view: the labels of 12 tiles,
// crowded enough that most collide, some of them rotated along roads.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "DesignController.h"
#include "GLPointOrganizer.h"
#include "GLQuadTextModel.h"
#include "../../tests/Model/TextAtlasTileFixture.h"

using namespace qiv;
using namespace text_atlas_test;

namespace {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;
constexpr double CAMERA = 2147483648.0;
constexpr int TILES = 12;
constexpr int LABELS_PER_TILE = 80;
constexpr unsigned ICON = 157;

struct View {
    std::vector<std::unique_ptr<K7DataCtg>> tiles;
    AtlasPlacementMap placements;
    AtlasImageMap images;
};

std::string tileKey(int tile) { return "1330021112" + std::to_string(tile / 4) + std::to_string(tile % 4); }

// Tiles of labels spread over the view: place names, stations with an icon
// and road names turned by their road's angle.
View makeView() {
    View view;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(-40, WIDTH + 40);
    std::uniform_int_distribution<int> y(-40, HEIGHT + 40);
    std::uniform_int_distribution<int> width(30, 140);
    std::uniform_int_distribution<int> angle(-80, 80);
    for (int t = 0; t < TILES; ++t) {
        const std::string key = tileKey(t);
        std::vector<Label> places;
        std::vector<Label> stations;
        std::vector<Label> roads;
        for (uint64_t i = 0; i < LABELS_PER_TILE; ++i) {
            Label label{i + 1, {"name"}};
            label.x = static_cast<uint32_t>(CAMERA + x(random) - WIDTH / 2);
            label.y = static_cast<uint32_t>(CAMERA - (y(random) - HEIGHT / 2));
            const auto w = static_cast<uint16_t>(width(random));
            view.placements[key].push_back(_TextAtlasInfo{i + 1, 0, static_cast<uint16_t>(i * 8 % 900), 0, w, 22, 0});
            if (i % 4 == 3) {
                label.angle = static_cast<float>(angle(random));
                roads.push_back(label);
            } else {
                (i % 4 == 2 ? stations : places).push_back(label);
            }
        }
        view.tiles.emplace_back(tile(key, {"jpn"}, {pointRecord("city", places), pointRecord("station", stations),
                                                    pointRecord("road", roads)}));
        view.images[key].push_back(AtlasImage{4, 1024, 1024, {}});
    }
    return view;
}

void setUpOrganizer(GLPointOrganizer& organizer) {
    organizer.setDesignName("day");
    textureInfo icon;
    icon.iconSize = static_cast<float>(24 * 1.4142135623730951);
    icon.aspect = 1.0f;
    icon.atlasSize = 256.0f;
    organizer.setTextureInformation({{ICON, icon}});
    organizer.setWindowSize(WIDTH, HEIGHT);
    organizer.setFragmentDistance(1.0, 1.0);
    organizer.setCamera(GLCoord(CAMERA, CAMERA, 1000.0, true), 0.0, 0.0);
    organizer.setNormalizePoint(CAMERA - 2 * WIDTH, CAMERA - 2 * HEIGHT);
    const GLCoord corners[4] = {GLCoord(CAMERA - WIDTH, CAMERA + HEIGHT, 0, true),
                                GLCoord(CAMERA - WIDTH, CAMERA - HEIGHT, 0, true),
                                GLCoord(CAMERA + WIDTH, CAMERA - HEIGHT, 0, true),
                                GLCoord(CAMERA + WIDTH, CAMERA + HEIGHT, 0, true)};
    organizer.setVisibleRegion(corners);
}

// One frame's label steps up to placement: fresh bitmap, atlas data, records.
void parseView(GLPointOrganizer& organizer, const View& view) {
    organizer.clearBuffer();
    organizer.setOverlapArea(WIDTH, HEIGHT);
    organizer.setTextAtlasInformation(&view.placements);
    organizer.setTextureAtlasImage(view.images);
    for (const std::unique_ptr<K7DataCtg>& source : view.tiles) {
        auto* header = static_cast<K7DataGroup*>(source->getContents()[0]);
        organizer.setKey(static_cast<K7DataText*>(header->getContents()[0])->getContents());
        auto* data = static_cast<K7DataGroup*>(source->getContents()[1]);
        for (K7DataBase* record : static_cast<K7DataGroup*>(data->getContents()[3])->getContents()) {
            organizer.parsePointData(record);
        }
    }
}

class PointOrganizerBench : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override {
        std::unique_ptr<K7DataCtg> global(design_test::groupOf({design_test::designSet(
            "day", {255, 255, 255, 255}, {},
            {pointDesign("city", 12, {"jpn"}), pointDesign("station", 12, {"jpn"}, std::nullopt, ICON),
             pointDesign("road", 12, {"jpn"})})}));
        DesignController::createDesign(global.get(), "");
        m_view = makeView();
        setUpOrganizer(m_organizer);
    }
    void TearDown(const benchmark::State&) override { DesignController::clear(); }

protected:
    View m_view;
    GLPointOrganizer m_organizer;
};

BENCHMARK_DEFINE_F(PointOrganizerBench, RegistratePointData)(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        parseView(m_organizer, m_view);
        state.ResumeTiming();
        m_organizer.registratePointData();
    }
    state.counters["labels"] = TILES * LABELS_PER_TILE;
    int placed = 0;
    for (const auto& [key, model] : m_organizer.getTextModels()) placed += model->getCount();
    state.counters["placed"] = placed;
}
BENCHMARK_REGISTER_F(PointOrganizerBench, RegistratePointData)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_DEFINE_F(PointOrganizerBench, WholeLabelFrame)(benchmark::State& state) {
    for (auto _ : state) {
        parseView(m_organizer, m_view);
        m_organizer.registratePointData();
    }
    state.counters["labels"] = TILES * LABELS_PER_TILE;
}
BENCHMARK_REGISTER_F(PointOrganizerBench, WholeLabelFrame)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
