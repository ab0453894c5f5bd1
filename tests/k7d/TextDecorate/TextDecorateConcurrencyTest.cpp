#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "GlyphTestSupport.h"
#include "K7DataCtg.h"
#include "TextDecorate.h"

namespace {

using glyphs::rgba;
using glyphs::Style;

const std::vector<std::string> kTexts = {"東京", "Shinjuku", "渋谷\n駅", "Ueno Park", "池袋"};

// The plate pixels of every text, with a halo on a rounded plate; vertical
// for every other text so that both layouts share the glyph state.
std::vector<std::vector<uint8_t>> drawAll() {
    std::vector<std::vector<uint8_t>> plates;
    for (size_t i = 0; i < kTexts.size(); ++i) {
        Style style;
        if (i % 2 == 1) style.vertical = 1;
        style.plate = rgba(255, 250, 230, 255);
        style.margin = std::make_pair(uint16_t{3}, uint16_t{2});
        style.radius = 4.0f;
        style.rimWidth = 1;
        style.rimColor = rgba(255, 255, 255, 255);
        std::unique_ptr<K7DataCtg> group(style.build());
        TextDecorate decorate;
        decorate.setInfo(group.get());
        decorate.setText(kTexts[i]);
        plates.push_back(decorate.getData());
    }
    return plates;
}

// Labels drawn on several threads at once come out as they do on one.
TEST(TextDecorateConcurrencyTest, PlatesDrawnOnSeveralThreadsMatchThoseDrawnOnOne) {
    const std::vector<std::vector<uint8_t>> expected = drawAll();
    for (const std::vector<uint8_t>& plate : expected) ASSERT_FALSE(plate.empty());
    constexpr int kThreads = 4;
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &expected, &mismatches]() {
            for (int round = 0; round < 5; ++round) {
                if (drawAll() != expected) ++mismatches[t];
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
