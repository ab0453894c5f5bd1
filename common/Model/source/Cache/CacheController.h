#ifndef TOLKMAPS_MODEL_CACHECONTROLLER_H
#define TOLKMAPS_MODEL_CACHECONTROLLER_H

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "LocalCache.h"
#include "MemoryCache.h"
#include "MemoryCacheAtlas.h"
#include "Settings.h"
#include "StringPairHash.h"
#include "TextAtlasInfo.h"

class K7DataCtg;

namespace qiv {

// The process-wide caches of map data: decoded tiles in memory, raw tile
// bytes on disk under a byte limit, the compressed global data file, and the
// label atlases of map tiles (one cache per owner and design) and of indoor
// floors.
// Every operation but `setEnabled` runs under `m_mutex`, so each single
// operation is atomic; callers lock around look-up-then-fill sequences.
// Paths start at the settings' cacheDir: tiles below cacheDir + localPath,
// the global file at cacheDir + globalPath + m_cid + globalDataExt.
class CacheController {
public:
    using AtlasCache = MemoryCacheAtlas<_TextAtlasInfo>;
    using AtlasImage = AtlasCache::AtlasImage;

    // Sets the disk cache's byte limit and evicts least recently used tiles down to it.
    static void setSize(uint64_t bytes);
    // Switches the disk cache (tiles and global file) on or off.
    static void setEnabled(bool enabled);

    // 0 and the tile when cached (it becomes the most recent; the cache keeps
    // owning it); -1 otherwise. An entry holding no record is dropped.
    static int getMemory(const StringPair& key, K7DataCtg*& record);
    // Stores a decoded tile; the cache owns it from then on.
    static void putMemory(const StringPair& key, K7DataCtg*& record);
    static bool existMemory(const StringPair& key);
    static void eraseMemory(const StringPair& key);
    // Empties the memory tile cache and every map label atlas cache (their
    // capacities stay); the indoor atlas cache is left as it is.
    static void clearMemory();

    // Tile bytes from disk into a new[] buffer (free with delete[]); -1 when
    // disabled or absent. `value` is LocalCache::createValue(key).
    static int getLocalDraw(const StringPair& key, const std::string& value, char*& buffer,
                            int* length);
    // The tile decoded from disk (bounded by the file's length) into a new
    // record that the caller owns. A truncated or corrupt file is dropped, so
    // the tile is fetched again. -1 when disabled, absent or dropped.
    static int getLocalDrawRecord(const StringPair& key, const std::string& value,
                                  K7DataCtg*& record);
    // Stores tile bytes on disk; -1 when disabled or not written.
    static int putLocalDraw(const StringPair& key, const std::string& value, const char* data,
                            int length);
    // Drops one tile from the disk cache.
    static void eraseLocalDraw(const StringPair& key);
    // Removes the whole tile directory and forgets its index.
    static void clearLocalDraw();

    // The global data file into a new[] buffer; 0 when enabled and at least
    // one byte was read, else -1.
    static int getLocalGlobal(char*& buffer, int* length);
    // Writes the global data file when enabled (0 or -1); -1 when disabled.
    static int putLocalGlobal(const char* data, int length);
    // Deletes the global data file, enabled or not.
    static void clearLocalGlobal();

    // Creates the tile and global directories below cacheDir and rebuilds
    // the disk index from the tile files found there.
    static void createDirs();
    // Creates cacheDir + "/" + relative step by step when it is missing.
    static void createPath(const std::string& relative);

    // Makes the atlas cache of (owner, design) when it is missing.
    static void createMemoryAtlas(const std::string& owner, const std::string& design);
    // -1 when (owner, design) has no atlas cache or `key` no atlas; else 0 with
    // the placements and the square images, pixels restored only `withPixels`.
    static int getMemoryAtlas(const std::string& owner, const std::string& design,
                              const StringPair& key, std::vector<_TextAtlasInfo>* infos,
                              std::vector<AtlasImage>* images, bool withPixels);
    // Stores compressed copies when the atlas cache of (owner, design) exists.
    static void putMemoryAtlas(const std::string& owner, const std::string& design,
                               const StringPair& key, const std::vector<_TextAtlasInfo>* infos,
                               const std::vector<AtlasImage>* images);
    static bool existAtlas(const std::string& owner, const std::string& design, const StringPair& key);
    // Removes every atlas cache of the owner.
    static void eraseMemoryAtlas(const std::string& owner);
    // Empties the atlas cache of (owner, design); the cache itself stays.
    static void eraseMemoryAtlas(const std::string& owner, const std::string& design);
    // The same on the indoor floors' atlas cache; the get always restores pixels.
    static int getMemoryAtlasIndoor(const StringPair& key, std::vector<_TextAtlasInfo>* infos,
                                    std::vector<AtlasImage>* images);
    static void putMemoryAtlasIndoor(const StringPair& key, const std::vector<_TextAtlasInfo>* infos,
                                     const std::vector<AtlasImage>* images);
    static bool existAtlasIndoor(const StringPair& key);

    static MemoryCache m_memoryCache;
    // Owner name to design name to that design's label atlases.
    static std::map<std::string, std::map<std::string, std::unique_ptr<AtlasCache>>> m_mCacheAtlas;
    static AtlasCache m_mCacheAtlasIndoor;
    static LocalCache m_localCache;
    static std::atomic<bool> m_isEnablelocalCache;
    static std::string m_cid;
    static Settings m_setting;
    static std::mutex m_mutex;

private:
    // The atlas cache of (owner, design), or null. Under m_mutex.
    static AtlasCache* findAtlas(const std::string& owner, const std::string& design);
    static std::string tileRoot();
    static std::string globalFile();
};

} // namespace qiv

#endif
