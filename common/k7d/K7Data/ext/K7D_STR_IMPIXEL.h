#ifndef TOLKMAPS_K7D_K7D_STR_IMPIXEL_H
#define TOLKMAPS_K7D_K7D_STR_IMPIXEL_H

#include <cstdint>
#include <vector>

// A pixel image: samples per pixel, width and height, then the samples row
// by row (width x height x samples per pixel of them).
template <typename T>
struct K7D_STR_IMPIXEL {
    uint8_t samplesPerPixel = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<T> samples;

    // The sample count that the three header fields call for.
    uint64_t expectedSamples() const {
        return static_cast<uint64_t>(width) * height * samplesPerPixel;
    }

    bool operator==(const K7D_STR_IMPIXEL& other) const {
        return samplesPerPixel == other.samplesPerPixel && width == other.width &&
               height == other.height && samples == other.samples;
    }
    bool operator!=(const K7D_STR_IMPIXEL& other) const { return !(*this == other); }
};

#endif
