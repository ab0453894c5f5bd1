#ifndef TOLKMAPS_K7D_K7D_STR_DTY_H
#define TOLKMAPS_K7D_K7D_STR_DTY_H

#include <cstdint>

#include "K7DataFields.h"
#include "K7DataType.h"

// Two 16-bit values of a data type. Encoded as 2 little-endian uint16_t fields.
struct K7D_STR_DTY {
    static constexpr int32_t CODE = K7DATA_TYPE_DTY;
    static constexpr uint32_t SIZE = 4;

    uint16_t value[2] = {};

    uint32_t encodedSize() const { return SIZE; }
    // False when the content length is not the fixed size.
    bool decode(const char* in, uint32_t size) {
        if (size != SIZE) return false;
        K7DataFields::load(in, value);
        return true;
    }
    void encode(char* out) const { K7DataFields::store(out, value); }

    bool operator==(const K7D_STR_DTY& other) const { return K7DataFields::equal(value, other.value); }
    bool operator!=(const K7D_STR_DTY& other) const { return !(*this == other); }
};

#endif
