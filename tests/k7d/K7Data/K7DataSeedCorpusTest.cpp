#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataDfg.h"
#include "K7DataIml.h"
#include "K7DataIu1.h"
#include "K7DataLn4.h"
#include "K7DataLng.h"
#include "K7DataPoly.h"
#include "K7DataPupLine.h"
#include "K7DataQak.h"
#include "K7DataSampleTrees.h"
#include "K7DataScl.h"
#include "K7DataTestSupport.h"
#include "K7DataYmd.h"

// The seed corpus of the record decoder's fuzz target is the encoding of
// the trees below. This test keeps the committed seeds equal to them; run it
// with TOLKMAPS_WRITE_SEEDS=1 to write them afresh.
namespace {

template <typename Record>
Record* add(K7DataGroup& group, Record* child) {
    group.addContents(child);
    return child;
}

std::unique_ptr<K7DataCtg> smallTile() {
    auto tile = std::make_unique<K7DataCtg>();
    auto* head = add(*tile, new K7DataCtg());
    add(*head, new K7DataQak())->editContents() = "1320";
    auto* body = add(*tile, new K7DataCtg());
    auto* lines = add(*body, new K7DataLng());
    auto* roads = add(*lines, new K7DataCtg());
    for (int i = 0; i < 3; ++i) {
        GeoDataLine& line = add(*roads, new K7DataLn4())->editContents();
        for (int p = 0; p < 4; ++p) line.addCoord(1000 * i + p, 2000 + 7 * p);
    }
    add(*lines, new K7DataDcn())->editContents() = "road";
    auto* area = add(*body, new K7DataPoly<uint32_t>());
    area->setType("py4");
    GeoDataPoly& poly = area->editContents();
    for (int p = 0; p < 4; ++p) poly.addCoord(p * 10, p % 2 * 10);
    poly.addPoly();
    for (int p = 0; p < 3; ++p) poly.addCoord(2 + p, 3);
    add(*body, new K7DataScl())->editContents() = 12;
    return tile;
}

std::unique_ptr<K7DataCtg> labelsAndImages() {
    auto root = std::make_unique<K7DataCtg>();
    auto* label = add(*root, new K7DataCtg());
    add(*label, new K7DataDfg())->editContents().flag[2] = true;
    auto* pup = add(*label, new K7DataPupLine<uint32_t>());
    pup->setType("tf4");
    pup->editContents().addCoord(5, 6);
    pup->editText() = "label";
    auto* date = add(*label, new K7DataYmd());
    date->setType("upd");
    auto* icon = add(*root, new K7DataCtg());
    add(*icon, new K7DataIml())->editContents() = {0, 0, 2, 2};
    K7D_STR_IMPIXEL<uint8_t>& image = add(*icon, new K7DataIu1())->editContents();
    image.samplesPerPixel = 4;
    image.width = 2;
    image.height = 2;
    image.samples.assign(16, 0x7F);
    return root;
}

std::unique_ptr<K7DataCtg> longHeaderText() {
    auto root = std::make_unique<K7DataCtg>();
    add(*root, new K7DataDcn())->editContents().assign(300, 'x');
    return root;
}

struct Seed {
    const char* name;
    std::function<std::unique_ptr<K7DataCtg>()> build;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(K7DataSeedCorpus, SeedsAreTheEncodingsOfTheirTrees) {
    const Seed seeds[] = {
        {"every_tag", everyTag},
        {"small_tile", smallTile},
        {"labels_and_images", labelsAndImages},
        {"long_header_text", longHeaderText},
        {"empty_group", [] { return std::make_unique<K7DataCtg>(); }},
    };
    const bool write = std::getenv("TOLKMAPS_WRITE_SEEDS") != nullptr;
    for (const Seed& seed : seeds) {
        SCOPED_TRACE(seed.name);
        std::unique_ptr<K7DataCtg> tree = seed.build();
        const std::string bytes = encoded(*tree);
        const std::string path =
            std::string(TOLKMAPS_SOURCE_DIR) + "/fuzz/corpus/K7DataDecodeFuzz/" + seed.name + ".bin";
        if (write) std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_EQ(readFile(path), bytes);

        K7DataCtg decoded;
        ASSERT_TRUE(decoded.setBinaryBounded(bytes.data(), bytes.size()));
        expectSameTree(*tree, decoded);
    }
}

}  // namespace
