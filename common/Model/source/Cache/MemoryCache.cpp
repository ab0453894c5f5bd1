#include "MemoryCache.h"

#include "K7DataCtg.h"

namespace qiv {

MemoryCache::MemoryCache(int capacity) : LRUCache(capacity) {}

MemoryCache::~MemoryCache() { clear(); }

void MemoryCache::deleteValue(K7DataCtg*& value) {
    delete value;
    value = nullptr;
}

} // namespace qiv
