#ifndef TOLKMAPS_TESTS_DRAW_ICONSETFIXTURE_H
#define TOLKMAPS_TESTS_DRAW_ICONSETFIXTURE_H

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "K7DataCtg.h"
#include "K7DataIcn.h"
#include "K7DataIml.h"
#include "K7DataIu1.h"

// Icon sets of a design (atlas images with their icon lists) for the texture
// manager's tests.
namespace iconset {

struct Icon {
    uint16_t number;
    uint16_t x, y, width, height;
};

struct Atlas {
    uint16_t width, height;
    std::vector<Icon> icons;
    uint8_t samplesPerPixel = 4;
    bool shortPixels = false;
};

// A design's icon set. Round-tripped (encoded, then decoded) the manager sees
// the record classes a real download produces; the decoder refuses short
// pixels, so such a set is handed over as built.
inline std::unique_ptr<K7DataCtg> iconSet(const std::vector<Atlas>& atlases,
                                          bool roundTrip = true) {
    auto built = std::make_unique<K7DataCtg>();
    K7DataCtg& set = *built;
    for (const Atlas& atlas : atlases) {
        auto* group = new K7DataCtg;
        auto* image = new K7DataIu1;
        auto& pixels = image->editContents();
        pixels.samplesPerPixel = atlas.samplesPerPixel;
        pixels.width = atlas.width;
        pixels.height = atlas.height;
        pixels.samples.assign(
            static_cast<size_t>(atlas.width) * atlas.height * atlas.samplesPerPixel -
                (atlas.shortPixels ? 1 : 0),
            200);
        group->addContents(image);
        auto* list = new K7DataCtg;
        for (const Icon& icon : atlas.icons) {
            auto* entry = new K7DataCtg;
            auto* number = new K7DataIcn;
            number->editContents() = icon.number;
            auto* place = new K7DataIml;
            place->editContents() = {icon.x, icon.y, icon.width, icon.height};
            entry->addContents(number);
            entry->addContents(place);
            list->addContents(entry);
        }
        group->addContents(list);
        set.addContents(group);
    }
    if (!roundTrip) return built;
    const char* encoded = set.getBinary();
    auto decoded = std::make_unique<K7DataCtg>();
    EXPECT_TRUE(decoded->setBinaryBounded(encoded, set.getSizeAll()));
    return decoded;
}

}  // namespace iconset

#endif
