#ifndef TOLKMAPS_SERVICE_TILECONTAINER_H
#define TOLKMAPS_SERVICE_TILECONTAINER_H

#include <string>
#include <string_view>
#include <vector>

// The body of a tile answer: one "ctg" record whose content is the tile
// records back to back, each a "ctg" record as stored. No tiles give the
// empty container "ctg" with length 0.
class TileContainer {
public:
    // Throws std::invalid_argument when a tile is not exactly one "ctg" record.
    static std::string encode(const std::vector<std::string_view>& tiles);
    // Whether `tile` is exactly one "ctg" record, as encode needs it.
    static bool isTileRecord(const std::string& tile);
    // The quad key of a tile record: the text of the "qak" record that is the
    // first child of its first child. Empty when the tile has no such record
    // or does not decode.
    static std::string quadKeyOf(const std::string& tile);
};

#endif
