#ifndef TOLKMAPS_K7D_K7D_STR_LEY_H
#define TOLKMAPS_K7D_K7D_STR_LEY_H

#include <cstdint>

#include "K7DataFields.h"
#include "K7DataType.h"

// Three line end settings (each 0 to 2 in designs). Encoded as 3 little-endian uint8_t fields.
struct K7D_STR_LEY {
    static constexpr int32_t CODE = K7DATA_TYPE_LEY;
    static constexpr uint32_t SIZE = 3;

    uint8_t setting[3] = {};

    uint32_t encodedSize() const { return SIZE; }
    // False when the content length is not the fixed size.
    bool decode(const char* in, uint32_t size) {
        if (size != SIZE) return false;
        K7DataFields::load(in, setting);
        return true;
    }
    void encode(char* out) const { K7DataFields::store(out, setting); }

    bool operator==(const K7D_STR_LEY& other) const { return K7DataFields::equal(setting, other.setting); }
    bool operator!=(const K7D_STR_LEY& other) const { return !(*this == other); }
};

#endif
