#ifndef TOLKMAPS_K7D_ICONIMAGE_H
#define TOLKMAPS_K7D_ICONIMAGE_H

#include <cstdint>
#include <string>
#include <vector>

// One icon image of a design set: its icon number and its pixels as 8-bit
// RGBA, row by row from the top.
class IconImage {
public:
    IconImage() = default;
    IconImage(uint16_t number, uint16_t width, uint16_t height, std::vector<uint8_t> rgba);

    // Reads a PNG file of any colour type into RGBA. False, with the reason
    // logged, when the file cannot be read or is larger than 4096 pixels on
    // a side; the image is then left as it was.
    bool readPng(uint16_t number, const std::string& path);

    uint16_t getNumber() const { return m_number; }
    uint16_t getWidth() const { return m_width; }
    uint16_t getHeight() const { return m_height; }
    const std::vector<uint8_t>& getPixels() const { return m_rgba; }

    static constexpr uint16_t MAX_SIDE = 4096;

private:
    uint16_t m_number = 0;
    uint16_t m_width = 0;
    uint16_t m_height = 0;
    std::vector<uint8_t> m_rgba;
};

#endif
