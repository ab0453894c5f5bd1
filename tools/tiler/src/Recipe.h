#ifndef TOLKMAPS_TILER_RECIPE_H
#define TOLKMAPS_TILER_RECIPE_H

#include <string>
#include <vector>

#include "RecipeLayer.h"

// What the tiler makes and from what: a JSON file that maps input layers to
// design categories, sections and levels, and names the design sets, the
// label languages, the levels of the background map and the service id.
//
//   { "service_id": "demo", "languages": ["jpn"], "background_levels": [2, 5],
//     "designs": "../designs", "icons": "../icons/build",
//     "versions": {"global": "1", "local": "1"},            (optional)
//     "regions": {"devon": [-4.2, 51.1, -4.1, 51.2]},        (degrees W, S, E, N)
//     "layers": [{ "input": "land.shp", "layer": "land", "where": "...",
//                  "category": "land", "category_field": "highway",
//                  "categories": {"motorway": "road_motorway"},
//                  "section": "background" | "ground" | "points",
//                  "levels": [2, 8], "labels": {"jpn": "name"},
//                  "fallback_text": "name", "rank": "scalerank",
//                  "rank_level_offset": 1, "angle": "orient",
//                  "text_position": 1, "vertical": false,
//                  "simplify": 0.5, "regions": ["devon"] }],
//     "coverage": [{"levels": [2, 7]}, {"levels": [8, 18], "regions": ["devon"]}] }
//
// Coverage lists the tiles that must exist even where no layer has data
// (open sea where the design's background colour shows): every tile of
// those levels, over the given regions or the whole world.
//
// Unknown keys, wrong types and values out of range are refused with the
// line they stand on.
class Recipe {
public:
    static constexpr int MIN_LEVEL = 1;
    static constexpr int MAX_LEVEL = 20;

    // Reads and checks a recipe. Relative input paths are taken from
    // `inputDirectory` (the recipe's folder when empty), the design and icon
    // folders from the recipe's folder. Throws RecipeError.
    static Recipe load(const std::string& path, const std::string& inputDirectory = "");
    // The same for recipe text; `path` names it in messages and anchors
    // relative folders.
    static Recipe parse(const std::string& text, const std::string& path, const std::string& inputDirectory = "");

    std::string path;
    std::string serviceId;
    std::string globalVersion;  // empty: derived from the global data
    std::string localVersion;   // empty: derived from the tiles
    std::vector<std::string> languages;
    int backgroundMinLevel = 2;
    int backgroundMaxLevel = 5;
    std::string designDirectory;
    std::string iconDirectory;
    std::vector<RecipeLayer> layers;

    struct Coverage {
        int minLevel = 0;
        int maxLevel = 0;
        std::vector<WorldBox> regions;  // empty: the whole world
    };
    std::vector<Coverage> coverage;
};

#endif
