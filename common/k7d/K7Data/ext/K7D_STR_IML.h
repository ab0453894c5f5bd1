#ifndef TOLKMAPS_K7D_K7D_STR_IML_H
#define TOLKMAPS_K7D_K7D_STR_IML_H

#include <cstdint>

#include "K7DataBytes.h"
#include "K7DataType.h"

// The place of an image in an atlas, in pixels: four little-endian uint16.
struct K7D_STR_IML {
    static constexpr int32_t CODE = K7DATA_TYPE_IML;
    static constexpr uint32_t SIZE = 8;

    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t width = 0;
    uint16_t height = 0;

    uint32_t encodedSize() const { return SIZE; }
    // False when the content length is not the fixed size.
    bool decode(const char* in, uint32_t size) {
        if (size != SIZE) return false;
        x = K7DataBytes::load<uint16_t>(in);
        y = K7DataBytes::load<uint16_t>(in + 2);
        width = K7DataBytes::load<uint16_t>(in + 4);
        height = K7DataBytes::load<uint16_t>(in + 6);
        return true;
    }
    void encode(char* out) const {
        K7DataBytes::store<uint16_t>(out, x);
        K7DataBytes::store<uint16_t>(out + 2, y);
        K7DataBytes::store<uint16_t>(out + 4, width);
        K7DataBytes::store<uint16_t>(out + 6, height);
    }

    bool operator==(const K7D_STR_IML& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
    bool operator!=(const K7D_STR_IML& other) const { return !(*this == other); }
};

#endif
