#ifndef TOLKMAPS_K7D_ATLASIMAGECTRL_H
#define TOLKMAPS_K7D_ATLASIMAGECTRL_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "TextAtlasInfo.h"

class K7DataIu1;

// One image waiting to be packed: its size with the one-pixel border on each
// side, where it came from, and the result slot reserved for it.
struct _SORT_STR_SIZE {
    uint16_t w = 0;
    uint16_t h = 0;
    uint64_t key = 0;
    uint64_t index = 0;
    const K7DataIu1* image = nullptr;
    size_t slot = 0;
};

// A free rectangle of an atlas, in atlas pixels.
struct _PIXEL_STR_BOX {
    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t w = 0;
    uint16_t h = 0;
};

// One atlas row copies row `row` of `image`, starting at atlas column `x`
// with the repeated first pixel and ending with the repeated last pixel.
struct _PIXEL_STR_POSINFO {
    const K7DataIu1* image = nullptr;
    uint16_t row = 0;
    uint16_t x = 0;
};

// Packs groups of RGBA images (4 samples per pixel) into square atlas images
// of at most 1024 x 1024 pixels. Each image is surrounded by a one-pixel
// border repeating its edge pixels, and padded images stay one pixel apart.
// The object is reusable and keeps no state between calls; one caller at a
// time.
class AtlasImageCtrl {
public:
    static constexpr uint16_t MAX_ATLAS_SIDE = 1024;
    static constexpr uint16_t MAX_IMAGE_SIDE = 1020;

    using ImageMap = std::map<uint64_t, std::vector<K7DataIu1*>>;

    virtual ~AtlasImageCtrl() = default;

    // Packs every image of `images` (keys ascending, each group in vector
    // order). Appends one placement per accepted image to `infos` (the image
    // proper, inside its border) and the new atlas images, owned by the
    // caller, to `atlases`. Null images are skipped; images wider or taller
    // than 1020 pixels, and images whose samples do not hold width x height
    // RGBA pixels, are refused with a log line and get no placement.
    void makeAtlas(const ImageMap& images, std::vector<_TextAtlasInfo>& infos,
                   std::vector<K7DataIu1*>& atlases);

    // Sorts the acceptable images into the wide, tall and square lists and
    // reserves their result slots in `infos`.
    void preprocessing(const ImageMap& images, std::vector<_TextAtlasInfo>& infos);
    // True while an image waits to be packed.
    bool isExistsData() const;
    // The free rectangles to the right of and below an entry placed at
    // (x, y) inside an available area of `availableW` x `availableH`.
    static std::vector<_PIXEL_STR_BOX> getBlankBox(uint16_t x, uint16_t y, const _SORT_STR_SIZE& entry,
                                                   uint16_t availableW, uint16_t availableH);

private:
    bool packOneAtlas(std::vector<_TextAtlasInfo>& infos, std::vector<K7DataIu1*>& atlases);
    bool pickFirst(_SORT_STR_SIZE& entry);
    void putImageData(const _PIXEL_STR_BOX& box, std::vector<_TextAtlasInfo>& infos);
    bool putImageInfo(const _PIXEL_STR_BOX& box, std::vector<_TextAtlasInfo>& infos);
    void place(const _SORT_STR_SIZE& entry, uint16_t x, uint16_t y, std::vector<_TextAtlasInfo>& infos);
    void putPixelPosInfo(const _SORT_STR_SIZE& entry, uint16_t x, uint16_t y);
    K7DataIu1* setAtlasPixel() const;
    static void replaceIml(_TextAtlasInfo& info);
    static bool isPackable(const K7DataIu1& image);
    void clearWorkingState();

    std::vector<_SORT_STR_SIZE> m_wide;
    std::vector<_SORT_STR_SIZE> m_tall;
    std::vector<_SORT_STR_SIZE> m_square;

    // The atlas being filled: its side, its number in the output vector and
    // the image rows each of its rows copies.
    uint16_t m_atlasSide = 0;
    uint16_t m_atlasNumber = 0;
    std::vector<std::vector<_PIXEL_STR_POSINFO>> m_rows;
};

#endif
