#ifndef TOLKMAPS_K7D_K7D_STR_VRS_H
#define TOLKMAPS_K7D_K7D_STR_VRS_H

#include <cstdint>

#include "K7DataFields.h"
#include "K7DataType.h"

// A three-part version. Encoded as 3 little-endian uint8_t fields.
struct K7D_STR_VRS {
    static constexpr int32_t CODE = K7DATA_TYPE_VRS;
    static constexpr uint32_t SIZE = 3;

    uint8_t part[3] = {};

    uint32_t encodedSize() const { return SIZE; }
    // False when the content length is not the fixed size.
    bool decode(const char* in, uint32_t size) {
        if (size != SIZE) return false;
        K7DataFields::load(in, part);
        return true;
    }
    void encode(char* out) const { K7DataFields::store(out, part); }

    bool operator==(const K7D_STR_VRS& other) const { return K7DataFields::equal(part, other.part); }
    bool operator!=(const K7D_STR_VRS& other) const { return !(*this == other); }
};

#endif
