#ifndef TOLKMAPS_K7D_K7D_STR_CLM_H
#define TOLKMAPS_K7D_K7D_STR_CLM_H

#include <cstdint>
#include <string>

#include "K7DataType.h"

// A column of a table: its position, then the bytes of its name.
struct K7D_STR_CLM {
    static constexpr int32_t CODE = K7DATA_TYPE_CLM;

    uint8_t position = 0;
    std::string name;

    uint32_t encodedSize() const { return 1 + static_cast<uint32_t>(name.size()); }
    // False when the content lacks the position byte.
    bool decode(const char* in, uint32_t size) {
        if (size < 1) return false;
        position = static_cast<uint8_t>(in[0]);
        name.assign(in + 1, size - 1);
        return true;
    }
    void encode(char* out) const {
        out[0] = static_cast<char>(position);
        name.copy(out + 1, name.size());
    }

    bool operator==(const K7D_STR_CLM& other) const {
        return position == other.position && name == other.name;
    }
    bool operator!=(const K7D_STR_CLM& other) const { return !(*this == other); }
};

#endif
