#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AtlasImageCtrl.h"
#include "K7DataAnc.h"
#include "K7DataAns.h"
#include "K7DataCnr.h"
#include "K7DataCtg.h"
#include "K7DataDtp.h"
#include "K7DataIu1.h"
#include "K7DataLnc.h"
#include "K7DataLnw.h"
#include "K7DataMgn.h"
#include "K7DataPyc.h"
#include "K7DataRmc.h"
#include "K7DataRmw.h"
#include "K7DataVtc.h"
#include "TextDecorate.h"

namespace {

const char* const kLabelFont = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc";

template <typename Record, typename Value>
void add(K7DataCtg& group, const Value& value) {
    auto* record = new Record();
    record->editContents() = value;
    group.addContents(record);
}

// The two label looks of a city map: halo text, and text on a framed,
// rounded plate.
std::unique_ptr<K7DataCtg> style(bool plate, bool vertical) {
    auto group = std::make_unique<K7DataCtg>();
    add<K7DataAns>(*group, static_cast<uint16_t>(plate ? 14 : 16));
    add<K7DataAnc>(*group, _K7D_STR_COLOR{40, 40, 40, 255});
    add<K7DataDtp>(*group, std::string(kLabelFont));
    if (vertical) add<K7DataVtc>(*group, uint8_t{1});
    if (plate) {
        add<K7DataPyc>(*group, _K7D_STR_COLOR{255, 250, 230, 255});
        auto* margin = new K7DataMgn();
        margin->editContents().x = 4;
        margin->editContents().y = 2;
        group->addContents(margin);
        add<K7DataCnr>(*group, 4.0f);
        add<K7DataLnw>(*group, 1.0f);
        add<K7DataLnc>(*group, _K7D_STR_COLOR{120, 90, 40, 255});
    } else {
        add<K7DataRmw>(*group, uint8_t{2});
        add<K7DataRmc>(*group, _K7D_STR_COLOR{255, 255, 255, 255});
    }
    return group;
}

// Place names of 2 to 7 characters, Japanese and romanized, some of two lines.
std::vector<std::string> labelTexts(int count) {
    const char* const kanji[] = {"東", "京", "新", "宿", "渋", "谷", "池", "袋", "品", "川", "上", "野",
                                 "駅", "前", "通", "り", "公", "園", "町", "丁", "目", "橋", "大", "本"};
    const char* const latin[] = {"Tokyo", "Shinjuku", "Shibuya", "Ikebukuro", "Ueno", "Station",
                                 "Park", "Hospital", "Bridge", "Central", "North", "Gate"};
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        std::string text;
        if (i % 3 == 2) {
            text = std::string(latin[i % 12]) + (i % 4 == 0 ? "\n" : " ") + latin[(i * 7) % 12];
        } else {
            for (int k = 0; k < 2 + i % 6; ++k) text += kanji[(i * 5 + k * 3) % 24];
        }
        texts.push_back(text);
    }
    return texts;
}

using Plates = AtlasImageCtrl::ImageMap;

// Rasterizes every text into an RGBA plate, as the text atlas does for one
// tile: label i is group i, with one image.
void makePlates(const std::vector<std::string>& texts, Plates& plates) {
    const std::unique_ptr<K7DataCtg> styles[] = {style(false, false), style(true, false), style(false, true)};
    for (size_t i = 0; i < texts.size(); ++i) {
        TextDecorate decorate;
        decorate.setInfo(styles[i % 3].get());
        decorate.setText(texts[i]);
        if (decorate.getWidth() == 0 || decorate.getHeight() == 0) continue;
        auto* image = new K7DataIu1();
        auto& pixels = image->editContents();
        pixels.samplesPerPixel = 4;
        pixels.width = static_cast<uint16_t>(decorate.getWidth());
        pixels.height = static_cast<uint16_t>(decorate.getHeight());
        pixels.samples = decorate.getData();
        plates[i].push_back(image);
    }
}

void destroy(Plates& plates, std::vector<K7DataIu1*>& atlases) {
    for (auto& [key, images] : plates) {
        for (K7DataIu1* image : images) delete image;
    }
    for (K7DataIu1* atlas : atlases) delete atlas;
    plates.clear();
    atlases.clear();
}

// Glyphs and plates for N labels.
void BM_LabelPlates(benchmark::State& state) {
    const std::vector<std::string> texts = labelTexts(static_cast<int>(state.range(0)));
    std::vector<K7DataIu1*> none;
    for (auto _ : state) {
        Plates plates;
        makePlates(texts, plates);
        benchmark::DoNotOptimize(plates.size());
        destroy(plates, none);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LabelPlates)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

// Packing the plates of N labels into atlases, pixels included.
void BM_PackPlates(benchmark::State& state) {
    Plates plates;
    makePlates(labelTexts(static_cast<int>(state.range(0))), plates);
    AtlasImageCtrl packer;
    for (auto _ : state) {
        std::vector<_TextAtlasInfo> infos;
        std::vector<K7DataIu1*> atlases;
        packer.makeAtlas(plates, infos, atlases);
        benchmark::DoNotOptimize(infos.data());
        for (K7DataIu1* atlas : atlases) delete atlas;
    }
    std::vector<K7DataIu1*> none;
    destroy(plates, none);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PackPlates)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

// One tile's label atlas: glyphs, plates and packing for N labels.
void BM_LabelAtlas(benchmark::State& state) {
    const std::vector<std::string> texts = labelTexts(static_cast<int>(state.range(0)));
    AtlasImageCtrl packer;
    for (auto _ : state) {
        Plates plates;
        makePlates(texts, plates);
        std::vector<_TextAtlasInfo> infos;
        std::vector<K7DataIu1*> atlases;
        packer.makeAtlas(plates, infos, atlases);
        benchmark::DoNotOptimize(infos.data());
        destroy(plates, atlases);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LabelAtlas)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace
