#include "TextCommon.h"

unsigned TextCommon::getCharSize(uint8_t lead) {
    if (lead <= 0x7F) return 1;
    if (lead >= 0xC0 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xF8 && lead <= 0xFB) return 5;
    if (lead >= 0xFC && lead <= 0xFD) return 6;
    return 0;
}

unsigned TextCommon::getCharSize(const char* at, size_t length) {
    if (length == 0) return 0;
    const unsigned size = getCharSize(static_cast<uint8_t>(at[0]));
    return size <= length ? size : 0;
}

uint32_t TextCommon::getCodePoint(const char* at, unsigned size) {
    static constexpr uint8_t kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    if (size == 0 || size > 4) return 0;
    uint32_t code = static_cast<uint8_t>(at[0]) & kLeadMask[size];
    for (unsigned i = 1; i < size; ++i) code = (code << 6) | (static_cast<uint8_t>(at[i]) & 0x3F);
    return code;
}
