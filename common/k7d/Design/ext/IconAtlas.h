#ifndef TOLKMAPS_K7D_ICONATLAS_H
#define TOLKMAPS_K7D_ICONATLAS_H

#include <cstdint>
#include <vector>

#include "IconImage.h"

class K7DataCtg;

// Packs the icon images of a design set into one square RGBA atlas whose side
// is a power of two, and writes it as the atlas group that the renderer's icon
// texture step reads: an "iu1" image (4 samples per pixel) and a "ctg" with one
// "ctg" per icon holding its "icn" number and its "iml" place (x, y, width,
// height in atlas pixels, y down from the top row).
class IconAtlas {
public:
    struct Placement {
        uint16_t number;
        uint16_t x;
        uint16_t y;
        uint16_t width;
        uint16_t height;
    };

    // Transparent pixels kept around every icon so that filtering never
    // blends in a neighbour.
    static constexpr uint16_t PADDING = 2;
    static constexpr uint16_t MIN_SIDE = 32;

    // Packs the images (a later image with an icon number already packed is
    // left out, with a log line). False when they do not fit an atlas of
    // IconImage::MAX_SIDE; the atlas is then empty.
    bool pack(const std::vector<IconImage>& images);

    uint16_t getSide() const { return m_side; }
    // Placements in ascending icon number.
    const std::vector<Placement>& getPlacements() const { return m_placements; }
    const std::vector<uint8_t>& getPixels() const { return m_pixels; }

    // A new atlas group (owned by the caller).
    K7DataCtg* makeRecord() const;

private:
    bool place(const std::vector<const IconImage*>& byHeight, uint16_t side);
    void paint(const std::vector<const IconImage*>& images);

    uint16_t m_side = 0;
    std::vector<Placement> m_placements;
    std::vector<uint8_t> m_pixels;
};

#endif
