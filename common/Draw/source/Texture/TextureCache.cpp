#include "TextureCache.h"

namespace qiv {

TextureCache::TextureCache() : LRUCache<std::string, GLuint>(kCapacity) {}

TextureCache::~TextureCache() {
    clear();
}

void TextureCache::deleteValue(GLuint& texture) {
    glDeleteTextures(1, &texture);
}

}  // namespace qiv
