#ifndef TOLKMAPS_K7D_FONTCHAR_H
#define TOLKMAPS_K7D_FONTCHAR_H

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "FontInfo.h"

// One character of a label: picks the face that has it (the label font, else
// the first fallback font that has it, else the label font's missing-glyph
// shape), measures it and copies its coverage. Every call holds one
// process-wide lock, so any thread may call.
class FontChar {
public:
    // Appends a fallback font path.
    static void setBaseFont(const std::string& path);

    // Box of the character in pixels: width (the glyph width, or the advance
    // for blank glyphs, plus 1 pixel of spacing), height, ascent above and
    // descent below the base line. `face` may be null: `path` is opened then.
    static void getSize(FT_Face face, const std::string& path, double size, wchar_t ch, int16_t& width,
                        int16_t& height, int16_t& ascent, int16_t& descent);
    // Coverage of the character: (glyph width + 1) x glyph height bytes,
    // row-major, the last column blank.
    static void getData(FT_Face face, const std::string& path, double size, std::vector<uint8_t>& data,
                        wchar_t ch);

private:
    static void setUp(FT_Face face, const std::string& path, double size, wchar_t ch);
    static void copyBitmap(const FT_Bitmap& bitmap, int width, int height, std::vector<uint8_t>& data);

    static FontInfo m_fontInfo;
    static std::vector<std::string> m_vFontPath;
    static std::mutex m_mutex;
};

#endif
