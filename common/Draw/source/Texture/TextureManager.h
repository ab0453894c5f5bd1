#ifndef TOLKMAPS_DRAW_TEXTUREMANAGER_H
#define TOLKMAPS_DRAW_TEXTUREMANAGER_H

#include <GLES2/gl2.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "TextureCache.h"
#include "textureInfo.h"

class K7DataGroup;

namespace qiv {

// Owns the renderer's GL textures: the icon atlases of the current design
// (with a textureInfo per icon), a cache of label atlas textures, and the
// one-shot textures of application objects. Every operation needs the GL
// context current on the render thread. Pixels are rows top first, tightly
// packed (any width is accepted).
class TextureManager {
public:
    TextureManager() = default;
    // Deletes the icon atlases and every cached label texture.
    ~TextureManager();
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // Replaces the icon atlases with those of a design's icon set: each "ctg"
    // child of `icons` is one square atlas ("iu1" pixels) with a "ctg" list of
    // icons ("icn" number, "iml" place). At most GL_MAX_TEXTURE_IMAGE_UNITS
    // atlases are made. False when an atlas is refused (not square, pixels
    // missing or short); the atlases made before it are kept.
    bool createIconAtlasTexture(K7DataGroup* icons);
    // The icon's record; texture -1 and all else 0 when the icon is unknown.
    textureInfo getTextureInformation(unsigned icon) const;
    // A copy of every icon's record, by icon number.
    std::map<unsigned, textureInfo> getTextureInformationMap() const;
    // The GL names of the icon atlases, in atlas order.
    std::vector<GLuint> getIconTextures() const;

    // A new texture on unit GL_TEXTURE3 (left unbound); the caller deletes it.
    // Null pixels make an uninitialised texture of that size.
    GLuint createTextTexture(const unsigned char* pixels, int width, int height, GLenum format);
    // The cached texture of `key` (the pixels are not read then); otherwise a
    // new texture from the pixels, cached under `key`, which may evict and
    // delete the least recently used one. The cache owns the name.
    GLuint cacheTextTexture(const std::string& key, const unsigned char* pixels, int width,
                            int height, GLenum format);
    // The cache key of one atlas image of a tile's labels, so that each image
    // of a tile keeps its own texture.
    static std::string textTextureKey(const std::string& tileKey, size_t image);
    // Deletes every cached label texture.
    void clearTextTextureCache();

    void deleteTexture(GLuint texture);
    // Deletes the icon atlases and forgets every icon.
    void deleteIconTextures();

    // GL format for a sample count: 1 GL_LUMINANCE, 2 GL_LUMINANCE_ALPHA,
    // 3 GL_RGB, anything else GL_RGBA.
    static GLenum convertColorChannel(int samplesPerPixel);

    // Guards the icon records and atlases.
    static std::mutex mtx;

private:
    // Adds one atlas and its icons; false when the atlas is refused.
    bool addIconAtlas(K7DataGroup* atlas, size_t index);
    void addIconRecords(K7DataGroup* atlas, const textureInfo& atlasRecord, int width, int height);
    void releaseIconTextures();
    static GLuint loadTexture(const unsigned char* pixels, int width, int height, GLenum format);

    std::map<unsigned, textureInfo> m_iconInformation;
    std::vector<GLuint> m_iconTextures;
    TextureCache m_textTextureCache;
};

}  // namespace qiv

#endif
