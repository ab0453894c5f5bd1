#ifndef TOLKMAPS_MODEL_STRINGPAIRHASH_H
#define TOLKMAPS_MODEL_STRINGPAIRHASH_H

#include <cstddef>
#include <functional>
#include <string>
#include <utility>

namespace qiv {

// Cache key of a tile, of an atlas and the like: two strings, for tiles the
// service id and the quad key.
using StringPair = std::pair<std::string, std::string>;

// Hash of a string pair: 31 * (31 + h(first)) + h(second).
struct StringPairHash {
    size_t operator()(const StringPair& key) const {
        std::hash<std::string> hash;
        return 31 * (31 + hash(key.first)) + hash(key.second);
    }
};

} // namespace qiv

#endif
