#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "GLTestContext.h"
#include "IconSetFixture.h"
#include "TextureManager.h"

using namespace qiv;
using iconset::Atlas;
using iconset::iconSet;

// The render thread replaces the icon atlases while other threads look icons
// up: a reader sees either no icons (before the first set) or a whole set,
// never a half-built one, and every record it sees is complete.
TEST_F(GLTest, IconLookupsDuringAtlasRebuildsSeeWholeSets) {
    const int iconsPerAtlas = 20;
    std::vector<Atlas> atlases(2, Atlas{16, 16, {}});
    for (int i = 0; i < 2 * iconsPerAtlas; ++i) {
        atlases[i / iconsPerAtlas].icons.push_back({static_cast<uint16_t>(i), 0, 0, 4, 2});
    }
    const auto set = iconSet(atlases);
    TextureManager textures;

    std::atomic<bool> done{false};
    std::atomic<int> partialSets{0};
    std::atomic<int> brokenRecords{0};
    std::vector<std::thread> readers;
    for (int r = 0; r < 3; ++r) {
        readers.emplace_back([&, r] {
            while (!done.load()) {
                const size_t seen = textures.getTextureInformationMap().size();
                if (seen != 0 && seen != atlases.size() * iconsPerAtlas) ++partialSets;
                const textureInfo info =
                    textures.getTextureInformation(static_cast<unsigned>(r * 7));
                if (info.texture != -1 && (info.aspect != 0.5f || info.texture == 0))
                    ++brokenRecords;
            }
        });
    }
    for (int rebuild = 0; rebuild < 30; ++rebuild) {
        ASSERT_TRUE(textures.createIconAtlasTexture(set.get()));
    }
    done = true;
    for (std::thread& reader : readers) reader.join();

    EXPECT_EQ(partialSets.load(), 0);
    EXPECT_EQ(brokenRecords.load(), 0);
    EXPECT_EQ(textures.getIconTextures().size(), atlases.size());
}
