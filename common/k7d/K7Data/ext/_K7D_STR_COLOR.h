#ifndef TOLKMAPS_K7D_K7D_STR_COLOR_H
#define TOLKMAPS_K7D_K7D_STR_COLOR_H

#include <cstdint>

// A colour of four 8-bit components.
struct _K7D_STR_COLOR {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;

    bool operator==(const _K7D_STR_COLOR& other) const {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    bool operator!=(const _K7D_STR_COLOR& other) const { return !(*this == other); }
};

#endif
