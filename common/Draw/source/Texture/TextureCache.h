#ifndef TOLKMAPS_DRAW_TEXTURECACHE_H
#define TOLKMAPS_DRAW_TEXTURECACHE_H

#include <GLES2/gl2.h>

#include <string>

#include "LRUCache.h"

namespace qiv {

// Label atlas textures by key, the least recently used 50 kept. A texture
// leaves GL when its entry is evicted, replaced or cleared, and when the cache
// is destroyed. Render thread only, with the context current.
class TextureCache : public LRUCache<std::string, GLuint> {
public:
    static constexpr int kCapacity = 50;

    TextureCache();
    ~TextureCache() override;

    void deleteValue(GLuint& texture) override;
};

}  // namespace qiv

#endif
