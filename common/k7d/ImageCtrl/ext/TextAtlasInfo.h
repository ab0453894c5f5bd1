#ifndef TOLKMAPS_K7D_TEXTATLASINFO_H
#define TOLKMAPS_K7D_TEXTATLASINFO_H

#include <cstdint>

// Where one packed image lies in its atlas: the group key and the image's
// position in that group's vector, the top-left corner of the image proper
// (inside its one-pixel border) in atlas pixels with y down from the top row,
// the image's own size, and the number of the atlas image in the output
// vector of AtlasImageCtrl::makeAtlas.
struct _TextAtlasInfo {
    uint64_t key = 0;
    uint16_t index = 0;
    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t w = 0;
    uint16_t h = 0;
    uint16_t atlas = 0;

    bool operator==(const _TextAtlasInfo& other) const {
        return key == other.key && index == other.index && x == other.x && y == other.y &&
               w == other.w && h == other.h && atlas == other.atlas;
    }
    bool operator!=(const _TextAtlasInfo& other) const { return !(*this == other); }
};

#endif
