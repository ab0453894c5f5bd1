#ifndef TOLKMAPS_K7D_K7D_STR_DFG_H
#define TOLKMAPS_K7D_K7D_STR_DFG_H

#include <cstdint>

#include "K7DataType.h"

// Five display flags in one byte: flag k (1 to 5) is bit k - 1; the upper
// three bits are written as 0 and ignored on reading. flag[k - 1] holds flag k.
struct K7D_STR_DFG {
    static constexpr int32_t CODE = K7DATA_TYPE_DFG;
    static constexpr uint32_t SIZE = 1;
    static constexpr int COUNT = 5;

    bool flag[COUNT] = {};

    uint32_t encodedSize() const { return SIZE; }
    // False when the content length is not one byte.
    bool decode(const char* in, uint32_t size) {
        if (size != SIZE) return false;
        const auto bits = static_cast<uint8_t>(in[0]);
        for (int k = 0; k < COUNT; ++k) flag[k] = (bits >> k) & 1u;
        return true;
    }
    void encode(char* out) const {
        uint8_t bits = 0;
        for (int k = 0; k < COUNT; ++k) bits |= static_cast<uint8_t>(flag[k] ? 1u << k : 0u);
        out[0] = static_cast<char>(bits);
    }

    bool operator==(const K7D_STR_DFG& other) const {
        for (int k = 0; k < COUNT; ++k) {
            if (flag[k] != other.flag[k]) return false;
        }
        return true;
    }
    bool operator!=(const K7D_STR_DFG& other) const { return !(*this == other); }
};

#endif
