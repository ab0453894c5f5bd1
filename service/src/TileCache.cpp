#include "TileCache.h"

#include "Log.h"
#include "TileContainer.h"

TileCache::TileCache(const TileStore& store, size_t byteBudget, int gzipLevel)
    : m_store(store), m_byteBudget(byteBudget), m_gzipLevel(gzipLevel) {}

std::shared_ptr<const TileCache::Tile> TileCache::get(const std::string& quadKey) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto found = m_index.find(quadKey);
        if (found != m_index.end()) {
            m_recent.splice(m_recent.begin(), m_recent, found->second);
            return found->second->tile;
        }
    }
    // Loaded outside the lock: two threads may load the same tile at once,
    // which costs time but gives the same bytes.
    std::shared_ptr<const Tile> tile = load(quadKey);
    insert(quadKey, tile);
    return tile;
}

std::shared_ptr<const TileCache::Tile> TileCache::load(const std::string& quadKey) const {
    std::optional<std::string> record = m_store.tile(quadKey);
    if (!record) return nullptr;
    if (!TileContainer::isTileRecord(*record)) {
        K7D_LOG_ERROR("stored tile is not one tile record, left out:", quadKey);
        return nullptr;
    }
    auto tile = std::make_shared<Tile>();
    tile->gzip = Gzip::segment(*record, m_gzipLevel);
    tile->record = std::move(*record);
    return tile;
}

size_t TileCache::costOf(const Entry& entry) {
    size_t cost = entry.quadKey.size() + 64;
    if (entry.tile) cost += entry.tile->record.size() + entry.tile->gzip.deflated.size();
    return cost;
}

void TileCache::insert(const std::string& quadKey, std::shared_ptr<const Tile> tile) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_index.count(quadKey)) return;
    m_recent.push_front(Entry{quadKey, std::move(tile)});
    m_index[quadKey] = m_recent.begin();
    m_bytes += costOf(m_recent.front());
    while (m_bytes > m_byteBudget && m_recent.size() > 1) {
        m_bytes -= costOf(m_recent.back());
        m_index.erase(m_recent.back().quadKey);
        m_recent.pop_back();
    }
}
