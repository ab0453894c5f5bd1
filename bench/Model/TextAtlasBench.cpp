// Building the label atlas of one dense tile: every text rasterized onto its
// plate, the plates packed and the atlas images compressed into the cache.
// Two tiles: the densest label tile of the demo data set with its shipped
// designs (when the demo store has been built), and a made-up city tile of
// 200 labels with halos and plates.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "CacheController.h"
#include "DesignController.h"
#include "DesignRecord.h"
#include "K7DataCnr.h"
#include "K7DataLnw.h"
#include "K7DataMgn.h"
#include "K7DataRmc.h"
#include "K7DataRmw.h"
#include "TextAtlasCreator.h"
#include "TextAtlasManager.h"
#if __has_include("TileStore.h")
#include "TileStore.h"
#define TOLKMAPS_HAS_TILE_STORE 1
#endif
#include "../../tests/Model/TextAtlasTileFixture.h"

using namespace qiv;
using namespace text_atlas_test;

namespace {

const char* const OWNER = "bench";
const char* const KEY = "133002111213";  // a level-12 city tile

// Label styles like the shipped ones: place names with a halo, stations on
// a rounded plate with a frame line.
K7DataCtg* designs() {
    K7DataAtg* city = pointDesign("city", 12, {"jpn"});
    auto* haloStyle = static_cast<K7DataCtg*>(DesignRecord::firstCategory(*city)->getContents()[0]);
    haloStyle->addContents(design_test::record<K7DataRmc>(_K7D_STR_COLOR{255, 255, 255, 255}));
    haloStyle->addContents(design_test::record<K7DataRmw>(static_cast<uint8_t>(2)));
    K7DataAtg* station = pointDesign("station", 12, {"jpn"});
    auto* plateStyle = static_cast<K7DataCtg*>(DesignRecord::firstCategory(*station)->getContents()[0]);
    plateStyle->addContents(design_test::record<K7DataPyc>(_K7D_STR_COLOR{30, 60, 160, 255}));
    plateStyle->addContents(design_test::record<K7DataMgn>(K7D_STR_POSITION<uint16_t>{4, 2}));
    plateStyle->addContents(design_test::record<K7DataCnr>(4.0f));
    plateStyle->addContents(design_test::record<K7DataLnc>(_K7D_STR_COLOR{255, 255, 255, 255}));
    plateStyle->addContents(design_test::record<K7DataLnw>(1.0f));
    return design_test::groupOf({design_test::designSet("day", {255, 255, 255, 255}, {}, {city, station})});
}

// 160 place names and 40 station names, Japanese and Latin mixed.
std::shared_ptr<K7DataGroup> denseLabels() {
    const char* stems[] = {"新宿", "Shibuya", "池袋", "Ueno", "品川", "Akihabara", "渋谷区神南", "Roppongi Hills"};
    std::vector<Label> places;
    std::vector<Label> stations;
    for (uint64_t i = 0; i < 200; ++i) {
        const std::string name = std::string(stems[i % 8]) + (i % 3 == 0 ? "三丁目" : " " + std::to_string(i));
        (i < 160 ? places : stations).push_back(Label{i + 1, {name}});
    }
    auto records = std::make_shared<K7DataGroup>();
    records->addContents(pointRecord("city", places));
    records->addContents(pointRecord("station", stations));
    return records;
}

// Times the atlas of `records` (the label section of tile `key`).
void makeAtlases(benchmark::State& state, const std::string& design, const std::string& key,
                 const std::shared_ptr<K7DataGroup>& records, const std::vector<std::string>& languages) {
    CacheController::createMemoryAtlas(OWNER, design);
    for (auto _ : state) {
        CacheController::eraseMemoryAtlas(OWNER, design);
        TextAtlasCreator creator(OWNER, design, key, records, {{"jpn", FONT}});
        creator.create(languages);
    }
    std::vector<_TextAtlasInfo> infos;
    std::vector<AtlasImage> images;
    CacheController::getMemoryAtlas(OWNER, design, {design, key}, &infos, &images, false);
    state.counters["labels"] = static_cast<double>(infos.size());
    state.counters["atlases"] = static_cast<double>(images.size());
    CacheController::eraseMemoryAtlas(OWNER);
}

#ifdef TOLKMAPS_HAS_TILE_STORE
// The decoded record at `bytes`, or null.
std::unique_ptr<K7DataCtg> decode(const std::string& bytes) {
    auto record = std::make_unique<K7DataCtg>();
    if (!record->setBinaryBounded(bytes.data(), bytes.size())) return nullptr;
    return record;
}

void BM_DemoTileLabelAtlas(benchmark::State& state) {
    const char* const densest = "21313121201133";  // Karlsruhe at level 14, 40 labels
    std::unique_ptr<K7DataCtg> global;
    std::unique_ptr<K7DataCtg> source;
    try {
        TileStore store(TOLKMAPS_SOURCE_DIR "/data/demo/tiles.sqlite", TileStore::Mode::ReadOnly);
        global = decode(store.globalData());
        const std::optional<std::string> bytes = store.tile(densest);
        if (bytes) source = decode(*bytes);
    } catch (const TileStoreError& error) {
        state.SkipWithError(error.what());
        return;
    }
    if (!global || !source) {
        state.SkipWithError("the demo store lacks the global data or the tile");
        return;
    }
    DesignController::createDesign(global.get(), "");
    auto* data = static_cast<K7DataGroup*>(source->getContents()[1]);
    auto records = std::make_shared<K7DataGroup>();
    for (K7DataBase* point : static_cast<K7DataGroup*>(data->getContents()[3])->getContents()) {
        records->addContents(point);
    }
    static_cast<K7DataGroup*>(data->getContents()[3])->clearContents();
    makeAtlases(state, "day", densest, records,
                TextAtlasCreator::languageCodes(static_cast<K7DataGroup*>(data->getContents()[0])));
    DesignController::clear();
}
BENCHMARK(BM_DemoTileLabelAtlas)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
#endif

void BM_DenseTileLabelAtlas(benchmark::State& state) {
    std::unique_ptr<K7DataCtg> global(designs());
    DesignController::createDesign(global.get(), "");
    makeAtlases(state, "day", KEY, denseLabels(), {"jpn"});
    DesignController::clear();
}
BENCHMARK(BM_DenseTileLabelAtlas)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
