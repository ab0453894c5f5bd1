#ifndef TOLKMAPS_TILER_RECIPELAYER_H
#define TOLKMAPS_TILER_RECIPELAYER_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "WorldBox.h"

// One input layer of a recipe: where its features come from, which of them
// are taken, and how they become map data (design category, tile section,
// levels, label texts and priority).
struct RecipeLayer {
    // Tile sections that features go to; the numbers are the sections' places.
    enum Section { BACKGROUND = 1, GROUND = 2, POINTS = 3 };

    int line = 0;               // where the layer starts in the recipe
    std::string input;          // OGR source, resolved path
    std::string sourceLayer;    // layer name inside the source; empty: the first
    std::string where;          // OGR attribute filter (SQL WHERE), may be empty
    std::string category;       // design category ("dcn"); the fallback when categoryField is set
    std::string categoryField;  // attribute whose value picks the category
    std::map<std::string, std::string> categoryValues;  // attribute value -> category
    int section = GROUND;
    int minLevel = 0;
    int maxLevel = 0;
    // Label text attribute per language, in the recipe's language order;
    // an empty attribute means no text in that language.
    std::vector<std::pair<std::string, std::string>> labels;
    std::string fallbackText;   // attribute for "sat", used when no language has a text
    std::string rank;           // attribute: smaller ranks are more important
    int rankLevelOffset = 0;    // with a rank: a feature starts at level rank + offset
    std::string angle;          // attribute: label angle in degrees ("agl")
    int textPosition = 0;       // "adp"
    bool vertical = false;      // "vtc"
    double simplify = 0.5;      // simplification tolerance in pixels of a 256-pixel tile
    std::vector<WorldBox> regions;  // when not empty, tiles are made only over these

    // A short name for messages: the input's file name and the layer.
    std::string label() const;
};

#endif
