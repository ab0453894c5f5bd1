#ifndef TOLKMAPS_SERVICE_TILECACHE_H
#define TOLKMAPS_SERVICE_TILECACHE_H

#include "Gzip.h"
#include "TileStore.h"

#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

// Recently served tiles of a read-only store, each with its bytes and its
// ready gzip segment, so that a tile answer neither reads the store nor
// compresses a tile it sent before. Keys the store lacks are remembered too.
// Least recently used tiles go once the cache holds more than its budget.
// Safe to use from several threads.
class TileCache {
public:
    struct Tile {
        std::string record;
        Gzip::Segment gzip;
    };

    // The store must outlive the cache.
    TileCache(const TileStore& store, size_t byteBudget, int gzipLevel);

    // The tile of a key, or null when the store has no usable tile for it.
    std::shared_ptr<const Tile> get(const std::string& quadKey);

private:
    struct Entry {
        std::string quadKey;
        std::shared_ptr<const Tile> tile;
    };
    std::shared_ptr<const Tile> load(const std::string& quadKey) const;
    void insert(const std::string& quadKey, std::shared_ptr<const Tile> tile);
    static size_t costOf(const Entry& entry);

    const TileStore& m_store;
    size_t m_byteBudget;
    int m_gzipLevel;
    std::mutex m_mutex;
    std::list<Entry> m_recent;  // most recent first
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
    size_t m_bytes = 0;
};

#endif
