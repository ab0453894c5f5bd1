#ifndef TOLKMAPS_MODEL_MEMORYCACHE_H
#define TOLKMAPS_MODEL_MEMORYCACHE_H

#include "LRUCache.h"
#include "StringPairHash.h"

class K7DataCtg;

namespace qiv {

// Decoded tiles by (service id, quad key). The cache owns every record put
// into it and destroys it when it is replaced, evicted, erased or cleared.
class MemoryCache : public LRUCache<StringPair, K7DataCtg*, StringPairHash> {
public:
    static constexpr int DEFAULT_CAPACITY = 128;

    explicit MemoryCache(int capacity = DEFAULT_CAPACITY);
    ~MemoryCache() override;

    void deleteValue(K7DataCtg*& value) override;
};

} // namespace qiv

#endif
