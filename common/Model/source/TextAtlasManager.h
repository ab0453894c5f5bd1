#ifndef TOLKMAPS_MODEL_TEXTATLASMANAGER_H
#define TOLKMAPS_MODEL_TEXTATLASMANAGER_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "K7D_STR_IMPIXEL.h"
#include "TextAtlasInfo.h"

class K7DataGroup;

namespace qiv {

class ThreadPool;

// A finished label atlas as the frame receives it: the placement of every
// label text, and the square RGBA atlas images (4 samples per pixel).
using AtlasImage = K7D_STR_IMPIXEL<uint8_t>;
using AtlasPlacementMap = std::map<std::string, std::vector<_TextAtlasInfo>>;
using AtlasImageMap = std::map<std::string, std::vector<AtlasImage>>;

// Hands out the label atlases of map tiles (and indoor floors) from the
// memory atlas caches and makes the missing ones on its own three workers.
// The owner name (the engine id) selects the engine's atlas caches. The
// drawing thread calls everything; the font map is set between frames.
class TextAtlasManager {
public:
    static constexpr unsigned WORKERS = 3;

    explicit TextAtlasManager(const std::string& name);
    // Stops the workers (queued atlases are dropped and leave the in-flight
    // list, so a later manager of the same name may make them).
    virtual ~TextAtlasManager();
    TextAtlasManager(const TextAtlasManager&) = delete;
    TextAtlasManager& operator=(const TextAtlasManager&) = delete;

    // Font file per language code ("jpn", ...). A language without a font
    // gets no label texts.
    void setFontPath(const std::map<std::string, std::string>& fontPath) { m_fontPath = fontPath; }

    // Fills `infos` and `images` with the cached atlases of `keys` for
    // `design`; pixels are restored only for the keys in `withPixels`
    // (the others get images of the right size with undefined samples).
    // Keys without a finished atlas get no entry.
    void getAtlas(const std::string& design, const std::vector<std::string>& keys, AtlasPlacementMap& infos,
                  AtlasImageMap& images, const std::vector<std::string>& withPixels) const;
    // Schedules the atlases of the `missing` keys whose tile is in `tiles`,
    // unless they are already being made. Answers how many were scheduled.
    int getAtlasRequest(const std::string& design, const std::vector<std::string>& missing,
                        const std::map<std::string, K7DataGroup*>& tiles);

    // The cached atlases of one floor of indoor tiles, keyed by quad key;
    // pixels are always restored.
    void getIndoorAtlas(const std::string& design, const std::vector<std::string>& keys, int floor,
                        AtlasPlacementMap& infos, AtlasImageMap& images) const;
    // Schedules the indoor atlases of the tiles whose floor index (in
    // `floors`) is not -1, unless already being made. Answers how many.
    int getIndoorAtlasRequest(const std::string& design, int floor, const std::map<std::string, int>& floors,
                              const std::map<std::string, K7DataGroup*>& tiles);

    // The atlas key of an indoor floor: quad key + "_" + floor.
    static std::string indoorKey(const std::string& key, int floor);

private:
    // Adds (owner, design, atlas key) to the in-flight list; false when present.
    bool markInFlight(const std::string& design, const std::string& atlasKey) const;
    void releaseAllInFlight() const;
    // A copy of one child group of the tile's data group (the tile's second
    // child), or null; the copy lives as long as the task that reads it.
    static std::shared_ptr<K7DataGroup> copySection(K7DataGroup* tile, size_t index);
    static K7DataGroup* dataGroup(K7DataGroup* tile);

    std::map<std::string, std::string> m_fontPath;
    std::string m_name;
    std::unique_ptr<ThreadPool> m_pool;
};

}  // namespace qiv

#endif
