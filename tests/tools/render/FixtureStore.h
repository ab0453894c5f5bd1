#ifndef TOLKMAPS_TESTS_RENDER_FIXTURESTORE_H
#define TOLKMAPS_TESTS_RENDER_FIXTURESTORE_H

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "DesignSetBuilder.h"
#include "FixtureTile.h"
#include "K7DataCtg.h"
#include "TileStore.h"

// Writes a tile store for render tests: the shipped design sets ("day",
// "night", without icons) as global data, a background map made of the given
// tiles, and the tiles themselves.
class FixtureStore {
public:
    static constexpr const char* kServiceId = "fixture";
    static constexpr const char* kVersion = "20261211";

    static void write(const std::string& path, const std::vector<FixtureTile*>& tiles,
                      const std::vector<FixtureTile*>& backgroundTiles = {}) {
        TileStore store(path, TileStore::Mode::ReadWrite);
        store.beginTransaction();
        store.setServiceId(kServiceId);
        store.setVersions(kVersion, kVersion);
        store.setGlobalData(designSets());
        store.setBackgroundMap(backgroundMap(backgroundTiles));
        for (FixtureTile* tile : tiles) store.putTile(tile->quadKey(), tile->bytes());
        store.commit();
    }

private:
    static std::string encoded(K7DataCtg& record) {
        const char* binary = record.getBinary();
        return std::string(binary, record.getSizeAll());
    }

    static std::string designSets() {
        std::unique_ptr<K7DataCtg> global(DesignSetBuilder::build(
            std::string(TOLKMAPS_SOURCE_DIR) + "/data/designs", "/nonexistent-icons"));
        if (!global) throw std::runtime_error("the shipped design tables do not build");
        return encoded(*global);
    }

    // The background map holds whole tiles, each found by its quad key.
    static std::string backgroundMap(const std::vector<FixtureTile*>& tiles) {
        K7DataCtg map;
        for (FixtureTile* tile : tiles) {
            const std::string bytes = tile->bytes();
            auto decoded = std::make_unique<K7DataCtg>();
            if (!decoded->setBinaryBounded(bytes.data(), bytes.size()))
                throw std::runtime_error("a background tile does not decode");
            map.addContents(decoded.release());
        }
        return encoded(map);
    }
};

#endif
