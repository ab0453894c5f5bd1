#ifndef TOLKMAPS_TILER_LABELPOINT_H
#define TOLKMAPS_TILER_LABELPOINT_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One point label of a tile: where it stands, its object id (the same at
// every level), its texts in the recipe's language order (empty where a
// language has none), the text for "sat", and how it is shown.
struct LabelPoint {
    uint64_t objectId = 0;
    double rank = 0;  // smaller first
    uint32_t x = 0;
    uint32_t y = 0;
    std::vector<std::string> texts;
    std::string fallbackText;
    std::optional<float> angle;
    uint8_t textPosition = 0;
    bool vertical = false;

    bool hasTexts() const {
        for (const auto& text : texts) {
            if (!text.empty()) return true;
        }
        return false;
    }
};

#endif
