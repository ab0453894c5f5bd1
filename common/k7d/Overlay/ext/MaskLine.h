#ifndef TOLKMAPS_K7D_MASKLINE_H
#define TOLKMAPS_K7D_MASKLINE_H

#include <cstddef>
#include <cstdint>
#include <string>

// The byte span of a run of bits in one row: first and last byte index and
// the bits of each that belong to the run.
struct _BitLine {
    size_t first = 0;
    size_t last = 0;
    uint8_t firstMask = 0;
    uint8_t lastMask = 0;
};

// One row of an occupancy bitmap, one bit per pixel. Bit x is bit
// 7 - (x mod 8) of byte x / 8 (the leftmost pixel is a byte's most
// significant bit); the width is rounded down to whole bytes. Bits past the
// row's end are never read (they count as free) nor written.
class MaskLine {
public:
    MaskLine() = default;
    explicit MaskLine(uint32_t width);

    // Width in bits, all clear.
    void init(uint32_t width);
    // Width in bits (a multiple of 8).
    uint32_t size() const { return static_cast<uint32_t>(m_bits.size() * 8); }
    // True when bits x to x + length - 1 are all clear; false when x starts
    // past the row.
    bool check(uint32_t x, uint32_t length) const;
    // Sets bits x to x + length - 1 that lie inside the row.
    void mask(uint32_t x, uint32_t length);
    void clear();
    // The byte span of bits x to x + length - 1, its last byte cut at the row's end.
    void getBitLine(uint32_t x, uint32_t length, _BitLine& line) const;

    bool operator==(const MaskLine& other) const { return m_bits == other.m_bits; }
    const std::string& bytes() const { return m_bits; }

private:
    uint8_t byteAt(size_t index) const;

    std::string m_bits;
};

#endif
