#ifndef TOLKMAPS_TESTS_TILERTESTRUN_H
#define TOLKMAPS_TESTS_TILERTESTRUN_H

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "K7DataCtg.h"
#include "ProgressBar.h"
#include "Recipe.h"
#include "ScratchDirectory.h"
#include "Tiler.h"
#include "TileStore.h"

// The fixtures next to the tiler tests: a few features cut from the demo
// inputs (GeoJSON, some in the British National Grid).
inline std::string tilerFixture(const std::string& name) {
    return std::string(TOLKMAPS_SOURCE_DIR) + "/tests/tools/tiler/fixtures/" + name;
}

// A whole recipe around the given "layers" list (JSON text), with the
// shipped design tables and one language, "jpn".
inline std::string tilerRecipe(const std::string& layers, const std::string& extra = "") {
    return std::string("{\"service_id\": \"test\", \"languages\": [\"jpn\"], \"background_levels\": [2, 3],\n") +
           "\"designs\": \"" + TOLKMAPS_SOURCE_DIR + "/data/designs\",\n" + "\"icons\": \"" + TOLKMAPS_SOURCE_DIR +
           "/data/icons/build\",\n" + extra + "\"layers\": [\n" + layers + "\n]}\n";
}

// One tiler run on a recipe text into a store in a scratch directory, with
// the tiles read back from the store and decoded by the kit's bounded
// decoder.
class TilerTestRun {
public:
    explicit TilerTestRun(const std::string& recipeText)
        : m_storePath(m_scratch.file("tiles.sqlite")), m_progress(false) {
        m_tiler = std::make_unique<Tiler>(Recipe::parse(recipeText, m_scratch.file("recipe.json"), tilerFixture("")),
                                          m_progress);
        m_tiler->run(m_storePath);
        m_store = std::make_unique<TileStore>(m_storePath, TileStore::Mode::ReadOnly);
    }

    const Tiler& tiler() const { return *m_tiler; }
    const TileStore& store() const { return *m_store; }
    const std::string& storePath() const { return m_storePath; }

    // Every tile the run made, decoded; a tile that does not decode is
    // missing from the map (and logged by the decoder).
    std::map<std::string, std::unique_ptr<K7DataCtg>> decodedTiles() const {
        std::map<std::string, std::unique_ptr<K7DataCtg>> tiles;
        for (const auto& tile : m_tiler->tiles()) {
            auto bytes = m_store->tile(tile.first);
            auto decoded = std::make_unique<K7DataCtg>();
            if (bytes && decoded->setBinaryBounded(bytes->data(), bytes->size())) tiles[tile.first] = std::move(decoded);
        }
        return tiles;
    }

    static std::string fileBytes(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

private:
    ScratchDirectory m_scratch;
    std::string m_storePath;
    ProgressBar m_progress;
    std::unique_ptr<Tiler> m_tiler;
    std::unique_ptr<TileStore> m_store;
};

#endif
