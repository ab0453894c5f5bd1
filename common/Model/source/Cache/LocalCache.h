#ifndef TOLKMAPS_MODEL_LOCALCACHE_H
#define TOLKMAPS_MODEL_LOCALCACHE_H

#include <cstdint>
#include <string>

#include "LRUCache.h"
#include "StringPairHash.h"

namespace qiv {

// Disk cache of raw tile bytes, bounded in bytes. Each tile lives in
// root/<len>/<service id>/<quad key>/local.dat; the index maps the pair
// (service id, quad key) to that relative directory. No index file is kept:
// `setPath` rebuilds the index from the files found. No lock of its own
// (the cache controller serialises); file access goes through FileManager.
class LocalCache : public LRUCache<StringPair, std::string, StringPairHash> {
public:
    explicit LocalCache(uint64_t limit);

    // Sets the root directory and rebuilds the index from the "local.dat"
    // files below it; the last file listed counts as the most recent.
    void setPath(const std::string& root);
    // Sets the byte limit and evicts least recently used tiles down to it.
    void setSize(uint64_t bytes);
    // Reads root/value/local.dat into a new[] buffer (free with delete[]).
    // 0 on a hit; -1 when the pair is not indexed, or when the file is missing
    // or empty, which also drops the entry.
    int get(const StringPair& key, const std::string& value, char*& buffer, int* length);
    // Stores the bytes for the pair as the most recent tile, then evicts down
    // to the limit; an older copy is removed first. 0, or -1 for no bytes or
    // when the file cannot be written (then nothing is indexed).
    int put(const StringPair& key, const std::string& value, const char* data, int length);
    // Evicts everything, removes the root and creates it empty again.
    void clear() override;
    // Forgets every entry without touching the files (they are gone already).
    void forget();
    void clean() override;
    void deleteValue(std::string& value) override;

    // "<quad key length>/<service id>/<quad key>".
    static std::string createValue(const StringPair& key);

    uint64_t totalSize() const { return m_total; }
    uint64_t limit() const { return m_limit; }

private:
    std::string tileFile(const std::string& value) const;
    void recoverList();

    uint64_t m_limit;
    std::string m_root;
    uint64_t m_total;
};

} // namespace qiv

#endif
