#ifndef TOLKMAPS_K7D_TEXTCOMMON_H
#define TOLKMAPS_K7D_TEXTCOMMON_H

#include <cstddef>
#include <cstdint>

// UTF-8 helpers shared by the text classes.
class TextCommon {
public:
    virtual ~TextCommon() = default;

    // Byte count of the UTF-8 character that starts with `lead`; 0 for a
    // byte that cannot start one (continuation bytes, 0xFE, 0xFF).
    static unsigned getCharSize(uint8_t lead);
    // Byte count of the character at `at` when it is complete within
    // `length` bytes, else 0.
    static unsigned getCharSize(const char* at, size_t length);
    // Code point of a complete character of `size` bytes (1 to 4).
    static uint32_t getCodePoint(const char* at, unsigned size);
};

#endif
