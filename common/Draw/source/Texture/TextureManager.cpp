#include "TextureManager.h"

#include <algorithm>
#include <cmath>

#include "K7DataGroup.h"
#include "K7DataImPixel.h"
#include "K7DataNumber.h"
#include "K7DataSimple.h"
#include "Log.h"

namespace qiv {

namespace {

const double kSqrt2 = std::sqrt(2.0);

// The first child with `tag` as class T, or null.
template <typename T>
T* firstChild(K7DataGroup* group, const char* tag) {
    const std::vector<K7DataBase*>& children = group->getContents(tag);
    return children.empty() ? nullptr : dynamic_cast<T*>(children.front());
}

GLenum unitOfAtlas(size_t index) {
    return index == 0 ? GL_TEXTURE0 : index == 1 ? GL_TEXTURE1 : GL_TEXTURE2;
}

// The record of one icon at (x, y), w x h pixels, in an atlas of W x H pixels:
// its sprite square is the larger side x sqrt(2), centred on the icon.
textureInfo iconRecord(const textureInfo& atlas, const K7D_STR_IML& place, int W, int H) {
    const double w = place.width;
    const double h = place.height;
    const float side = static_cast<float>(kSqrt2 * std::max(w, h));
    textureInfo info = atlas;
    info.offsetU = static_cast<float>((place.x - (side - w) / 2) / W);
    info.offsetV = static_cast<float>((place.y - (side - h) / 2) / H);
    info.sizeU = side / static_cast<float>(W);
    info.sizeV = side / static_cast<float>(H);
    info.iconSize = side;
    info.atlasSize = static_cast<float>(H);
    info.aspect = static_cast<float>(h / w);
    return info;
}

}  // namespace

std::mutex TextureManager::mtx;

TextureManager::~TextureManager() {
    deleteIconTextures();
}

bool TextureManager::createIconAtlasTexture(K7DataGroup* icons) {
    std::lock_guard<std::mutex> lock(mtx);
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
    releaseIconTextures();
    if (icons == nullptr) return false;
    const std::vector<K7DataBase*>& atlases = icons->getContents("ctg");
    const size_t count = std::min(atlases.size(), static_cast<size_t>(std::max(units, 0)));
    m_iconTextures.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        if (!addIconAtlas(dynamic_cast<K7DataGroup*>(atlases[i]), i)) return false;
    }
    return true;
}

bool TextureManager::addIconAtlas(K7DataGroup* atlas, size_t index) {
    const auto* image =
        atlas != nullptr ? firstChild<K7DataImPixel<uint8_t>>(atlas, "iu1") : nullptr;
    if (image == nullptr) {
        K7D_LOG_ERROR("icon atlas without image, atlas ", index);
        return false;
    }
    const K7D_STR_IMPIXEL<uint8_t>& pixels = image->getContents();
    if (pixels.width != pixels.height || pixels.width == 0) {
        K7D_LOG_ERROR("icon atlas not square, atlas ", index, pixels.width, pixels.height);
        return false;
    }
    const uint64_t needed = static_cast<uint64_t>(pixels.width) * pixels.height *
                            (pixels.samplesPerPixel == 0 ? 4 : pixels.samplesPerPixel);
    if (pixels.samples.size() < needed) {
        K7D_LOG_ERROR("icon atlas pixels short, atlas ", index, pixels.samples.size(), needed);
        return false;
    }
    textureInfo atlasRecord;
    atlasRecord.texture =
        static_cast<int>(loadTexture(pixels.samples.data(), pixels.width, pixels.height,
                                     convertColorChannel(pixels.samplesPerPixel)));
    atlasRecord.unit = static_cast<int>(unitOfAtlas(index));
    m_iconTextures.push_back(static_cast<GLuint>(atlasRecord.texture));
    if (index < 2) {
        glActiveTexture(static_cast<GLenum>(atlasRecord.unit));
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(atlasRecord.texture));
    }
    addIconRecords(atlas, atlasRecord, pixels.width, pixels.height);
    return true;
}

void TextureManager::addIconRecords(K7DataGroup* atlas, const textureInfo& atlasRecord, int width,
                                    int height) {
    auto* list = firstChild<K7DataGroup>(atlas, "ctg");
    if (list == nullptr) return;
    for (K7DataBase* child : list->getContents("ctg")) {
        auto* entry = dynamic_cast<K7DataGroup*>(child);
        const auto* number = entry ? firstChild<K7DataNumber<uint16_t>>(entry, "icn") : nullptr;
        const auto* place = entry ? firstChild<K7DataSimple<K7D_STR_IML>>(entry, "iml") : nullptr;
        if (number == nullptr || place == nullptr || place->getContents().width == 0) {
            K7D_LOG_WARNING("icon entry without number or place skipped");
            continue;
        }
        m_iconInformation.emplace(number->getContents(),
                                  iconRecord(atlasRecord, place->getContents(), width, height));
    }
}

textureInfo TextureManager::getTextureInformation(unsigned icon) const {
    std::lock_guard<std::mutex> lock(mtx);
    const auto found = m_iconInformation.find(icon);
    if (found != m_iconInformation.end()) return found->second;
    textureInfo unknown;
    unknown.texture = -1;
    return unknown;
}

std::map<unsigned, textureInfo> TextureManager::getTextureInformationMap() const {
    std::lock_guard<std::mutex> lock(mtx);
    return m_iconInformation;
}

std::vector<GLuint> TextureManager::getIconTextures() const {
    std::lock_guard<std::mutex> lock(mtx);
    return m_iconTextures;
}

GLuint TextureManager::createTextTexture(const unsigned char* pixels, int width, int height,
                                         GLenum format) {
    glActiveTexture(GL_TEXTURE3);
    return loadTexture(pixels, width, height, format);
}

GLuint TextureManager::cacheTextTexture(const std::string& key, const unsigned char* pixels,
                                        int width, int height, GLenum format) {
    glActiveTexture(GL_TEXTURE3);
    GLuint texture = 0;
    if (m_textTextureCache.get(key, texture) == 0) return texture;
    texture = loadTexture(pixels, width, height, format);
    m_textTextureCache.put(key, texture);
    return texture;
}

std::string TextureManager::textTextureKey(const std::string& tileKey, size_t image) {
    return tileKey + "#" + std::to_string(image);
}

void TextureManager::clearTextTextureCache() {
    m_textTextureCache.clear();
}

void TextureManager::deleteTexture(GLuint texture) {
    glDeleteTextures(1, &texture);
}

void TextureManager::deleteIconTextures() {
    std::lock_guard<std::mutex> lock(mtx);
    releaseIconTextures();
}

void TextureManager::releaseIconTextures() {
    if (!m_iconTextures.empty()) {
        glDeleteTextures(static_cast<GLsizei>(m_iconTextures.size()), m_iconTextures.data());
    }
    m_iconTextures.clear();
    m_iconInformation.clear();
}

GLenum TextureManager::convertColorChannel(int samplesPerPixel) {
    switch (samplesPerPixel) {
        case 1:
            return GL_LUMINANCE;
        case 2:
            return GL_LUMINANCE_ALPHA;
        case 3:
            return GL_RGB;
        default:
            return GL_RGBA;
    }
}

// Uploads into a new texture: linear filtering, clamped edges, rows of any
// width (alignment 1). The texture is left unbound.
GLuint TextureManager::loadTexture(const unsigned char* pixels, int width, int height,
                                   GLenum format) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

}  // namespace qiv
