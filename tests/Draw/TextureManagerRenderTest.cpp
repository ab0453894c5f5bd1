#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "GLTestContext.h"
#include "IconSetFixture.h"
#include "ProgramDrawing.h"
#include "ShaderController.h"
#include "TextureManager.h"

using namespace qiv;
using iconset::Atlas;
using iconset::iconSet;

namespace {

using RGBA = GLTestContext::RGBA;

bool isTexture(GLuint name) {
    return glIsTexture(name) == GL_TRUE;
}

class TextureManagerTest : public GLTest {
protected:
    TextureManager m_textures;
};

struct UploadCase {
    int samplesPerPixel;
    float alpha;
};

// The colour a texel of the given samples shows, scaled by alpha.
RGBA expectedColour(const unsigned char* s, int samplesPerPixel, float alpha) {
    RGBA colour;
    switch (samplesPerPixel) {
        case 1:
            colour = {s[0], s[0], s[0], 255};
            break;
        case 2:
            colour = {s[0], s[0], s[0], s[1]};
            break;
        case 3:
            colour = {s[0], s[1], s[2], 255};
            break;
        default:
            colour = {s[0], s[1], s[2], s[3]};
            break;
    }
    for (auto& component : colour) component = static_cast<uint8_t>(std::lround(component * alpha));
    return colour;
}

}  // namespace

TEST_F(TextureManagerTest, UploadedImagesOfEveryFormatSampleBackTheirTexels) {
    EXPECT_EQ(TextureManager::convertColorChannel(0), static_cast<GLenum>(GL_RGBA));
    EXPECT_EQ(TextureManager::convertColorChannel(5), static_cast<GLenum>(GL_RGBA));
    ShaderController programs;
    auto shader = std::dynamic_pointer_cast<TexturedPolygonShader>(
        programs.getShaderProgram(TEXTURED_POLYGON_OBJECT));
    ASSERT_NE(shader, nullptr);

    // 3 x 2 texels: rows of 3, 6 or 9 bytes are not 4-byte aligned.
    const int width = 3, height = 2;
    for (const UploadCase& upload : {UploadCase{1, 1}, UploadCase{2, 1}, UploadCase{3, 1},
                                     UploadCase{4, 1}, UploadCase{4, 0.5f}}) {
        SCOPED_TRACE(testing::Message()
                     << upload.samplesPerPixel << " samples, alpha " << upload.alpha);
        std::vector<unsigned char> pixels;
        for (int texel = 0; texel < width * height; ++texel) {
            for (int sample = 0; sample < upload.samplesPerPixel; ++sample) {
                pixels.push_back(static_cast<unsigned char>(40 * texel + 10 * sample + 5));
            }
        }
        const GLuint texture = m_textures.createTextTexture(
            pixels.data(), width, height,
            TextureManager::convertColorChannel(upload.samplesPerPixel));
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        drawing::cover(*shader, texture, upload.alpha);
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                // Row 0 of the image lies at texture coordinate 0: the bottom.
                const int x = static_cast<int>((column + 0.5) / width * kWidth);
                const int y = static_cast<int>(kHeight - (row + 0.5) / height * kHeight);
                const RGBA expected =
                    expectedColour(&pixels[(row * width + column) * upload.samplesPerPixel],
                                   upload.samplesPerPixel, upload.alpha);
                const RGBA seen = gl().readPixel(x, y);
                for (int c = 0; c < 4; ++c) {
                    EXPECT_NEAR(seen[c], expected[c], 2)
                        << "texel " << column << "," << row << " component " << c;
                }
            }
        }
        m_textures.deleteTexture(texture);
        EXPECT_FALSE(isTexture(texture));
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureManagerTest, TextCacheKeepsTheFiftyMostRecentTextures) {
    const unsigned char pixel[4] = {1, 2, 3, 4};
    std::vector<GLuint> names;
    for (int i = 0; i < TextureCache::kCapacity; ++i) {
        names.push_back(m_textures.cacheTextTexture(TextureManager::textTextureKey("0123", i),
                                                    pixel, 1, 1, GL_RGBA));
    }
    // A hit answers the cached name without reading pixels and makes the entry
    // the most recent, so the 51st key evicts the second one.
    EXPECT_EQ(m_textures.cacheTextTexture(TextureManager::textTextureKey("0123", 0), nullptr, 1, 1,
                                          GL_RGBA),
              names[0]);
    const GLuint newest = m_textures.cacheTextTexture(TextureManager::textTextureKey("0123", 50),
                                                      pixel, 1, 1, GL_RGBA);
    EXPECT_TRUE(isTexture(newest));
    EXPECT_TRUE(isTexture(names[0]));
    EXPECT_FALSE(isTexture(names[1])) << "least recently used texture must be deleted";
    for (int i = 2; i < TextureCache::kCapacity; ++i) EXPECT_TRUE(isTexture(names[i])) << i;

    m_textures.clearTextTextureCache();
    for (GLuint name : names) EXPECT_FALSE(isTexture(name));
    EXPECT_FALSE(isTexture(newest));
    // After clearing, the cache fills again from the pixels.
    const GLuint again = m_textures.cacheTextTexture(TextureManager::textTextureKey("0123", 0),
                                                     pixel, 1, 1, GL_RGBA);
    EXPECT_TRUE(isTexture(again));
}

TEST_F(TextureManagerTest, IconAtlasesGiveEachIconItsSpriteSquare) {
    const auto set = iconSet({
        {256, 256, {{157, 100, 50, 30, 10}, {12, 0, 0, 20, 40}, {157, 1, 1, 5, 5}}},
        {64, 64, {{500, 8, 8, 16, 16}}, 1},
        {4, 4, {{900, 0, 0, 2, 2}}},
    });
    ASSERT_TRUE(m_textures.createIconAtlasTexture(set.get()));
    const std::vector<GLuint> atlases = m_textures.getIconTextures();
    ASSERT_EQ(atlases.size(), 3u);
    for (GLuint atlas : atlases) EXPECT_TRUE(isTexture(atlas));

    const double side = 30 * std::sqrt(2.0);                         // 42.426...
    const textureInfo wide = m_textures.getTextureInformation(157);  // the first 157 wins
    EXPECT_EQ(wide.texture, static_cast<int>(atlases[0]));
    EXPECT_EQ(wide.unit, GL_TEXTURE0);
    EXPECT_FLOAT_EQ(wide.offsetU, static_cast<float>((100 - (side - 30) / 2) / 256));
    EXPECT_FLOAT_EQ(wide.offsetV, static_cast<float>((50 - (side - 10) / 2) / 256));
    EXPECT_FLOAT_EQ(wide.sizeU, static_cast<float>(side / 256));
    EXPECT_FLOAT_EQ(wide.sizeV, static_cast<float>(side / 256));
    EXPECT_FLOAT_EQ(wide.iconSize, static_cast<float>(side));
    EXPECT_FLOAT_EQ(wide.atlasSize, 256.0f);
    EXPECT_FLOAT_EQ(wide.aspect, 1.0f / 3.0f);

    const textureInfo tall = m_textures.getTextureInformation(12);
    EXPECT_FLOAT_EQ(tall.iconSize, static_cast<float>(40 * std::sqrt(2.0)));
    EXPECT_FLOAT_EQ(tall.aspect, 2.0f);

    EXPECT_EQ(m_textures.getTextureInformation(500).texture, static_cast<int>(atlases[1]));
    EXPECT_EQ(m_textures.getTextureInformation(500).unit, GL_TEXTURE1);
    EXPECT_EQ(m_textures.getTextureInformation(900).unit, GL_TEXTURE2);
    EXPECT_EQ(m_textures.getTextureInformationMap().size(), 4u);

    textureInfo unknown;
    unknown.texture = -1;
    EXPECT_EQ(m_textures.getTextureInformation(4242), unknown);

    m_textures.deleteIconTextures();
    for (GLuint atlas : atlases) EXPECT_FALSE(isTexture(atlas));
    EXPECT_EQ(m_textures.getTextureInformation(157).texture, -1);
}

TEST_F(TextureManagerTest, RefusedAtlasStopsTheWalkAndKeepsEarlierAtlases) {
    const Atlas good = {8, 8, {{1, 0, 0, 4, 4}}};
    const Atlas later = {8, 8, {{3, 0, 0, 4, 4}}};
    Atlas shortPixels = {8, 8, {{2, 0, 0, 4, 4}}};
    shortPixels.shortPixels = true;
    for (const Atlas& refused : {Atlas{8, 4, {{2, 0, 0, 4, 4}}}, shortPixels}) {
        const auto set = iconSet({good, refused, later}, !refused.shortPixels);
        EXPECT_FALSE(m_textures.createIconAtlasTexture(set.get()));
        EXPECT_EQ(m_textures.getIconTextures().size(), 1u);
        EXPECT_NE(m_textures.getTextureInformation(1).texture, -1);
        EXPECT_EQ(m_textures.getTextureInformation(2).texture, -1);
        EXPECT_EQ(m_textures.getTextureInformation(3).texture, -1);
    }
}

TEST_F(TextureManagerTest, AtlasesBeyondTheImageUnitsAreDropped) {
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
    std::vector<Atlas> atlases;
    for (int i = 0; i <= units; ++i)
        atlases.push_back({1, 1, {{static_cast<uint16_t>(i), 0, 0, 1, 1}}});
    ASSERT_TRUE(m_textures.createIconAtlasTexture(iconSet(atlases).get()));
    EXPECT_EQ(m_textures.getIconTextures().size(), static_cast<size_t>(units));
    EXPECT_NE(m_textures.getTextureInformation(static_cast<unsigned>(units - 1)).texture, -1);
    EXPECT_EQ(m_textures.getTextureInformation(static_cast<unsigned>(units)).texture, -1);
}

TEST_F(GLTest, TextureManagerDeletesItsTexturesWhenDestroyed) {
    const unsigned char pixel[4] = {9, 9, 9, 9};
    const auto set = iconSet({{2, 2, {{7, 0, 0, 1, 1}}}});
    std::vector<GLuint> owned;
    {
        TextureManager textures;
        ASSERT_TRUE(textures.createIconAtlasTexture(set.get()));
        owned = textures.getIconTextures();
        owned.push_back(textures.cacheTextTexture("tile", pixel, 1, 1, GL_RGBA));
    }
    for (GLuint name : owned) EXPECT_FALSE(isTexture(name)) << name;
}
