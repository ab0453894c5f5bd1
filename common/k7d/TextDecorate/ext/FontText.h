#ifndef TOLKMAPS_K7D_FONTTEXT_H
#define TOLKMAPS_K7D_FONTTEXT_H

#include <cstdint>
#include <string>
#include <vector>

#include "FontInfo.h"
#include "TextCommon.h"
#include "TextDecorateTypes.h"

// An 8-bit coverage image, one byte per pixel, row-major.
struct _TEXT_BITMAP_INFO {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint8_t> data;
};

// A whole text: split into lines at "\n", measured glyph by glyph and drawn
// into one coverage image, either as lines stacked top to bottom or as
// vertical columns read right to left, optionally stretched horizontally.
// Sizes are pixels. One object belongs to one caller.
class FontText : public TextCommon {
public:
    FontText() = default;

    // Appends a fallback font path (see FontChar).
    static void setBaseFont(const std::string& path);

    // Font file (or a caller's face when `face` is not null), pixel size,
    // horizontal lines or vertical columns, and the default alignment
    // (0 means centred).
    void setInfo(const std::string& path, double size, bool horizontal, TEXT_ALIGNMENT alignment,
                 FT_Face face = nullptr);
    // Horizontal stretch factor, never below the limit.
    void setSpread(float spread);
    // Lower bound of later setSpread calls.
    void setLimit(float limit);
    float getSpread() const { return m_spread; }

    // Measures a UTF-8 text; the image is drawn by the next getData.
    void setText(const std::string& text);
    uint16_t getWidth() const { return m_bInfo.width; }
    uint16_t getHeight() const { return m_bInfo.height; }

    // The coverage image, drawn once per setText with the given alignment
    // (0: the one of setInfo).
    const _TEXT_BITMAP_INFO& getData(TEXT_ALIGNMENT alignment = TEXT_ALIGNMENT_DEFAULT);

private:
    // One character of a line with its box.
    struct Glyph {
        wchar_t ch = 0;
        int16_t width = 0;
        int16_t height = 0;
        int16_t ascent = 0;
        int16_t descent = 0;
    };

    void getWide(const std::string& text);
    void measure();
    void measureHorizontal(int gap, int& width, int& height);
    void measureVertical(int gap, int& width, int& height);
    void drawHorizontal(TEXT_ALIGNMENT alignment, int gap);
    void drawVertical(TEXT_ALIGNMENT alignment, int gap);
    void drawGlyph(const Glyph& glyph, int x, int y, int& bitmapHeight);
    void spreadText();

    FT_Face m_face = nullptr;
    std::string m_fontPath;
    double m_size = 0;
    bool m_horizontal = true;
    TEXT_ALIGNMENT m_alignment = TEXT_ALIGNMENT_CENTER;
    std::vector<std::wstring> m_lines;
    std::vector<std::vector<Glyph>> m_glyphs;
    uint16_t m_unspreadWidth = 0;
    // Per line: width, ascent and descent; per vertical column: width and height.
    std::vector<uint16_t> m_lineWidth;
    std::vector<uint16_t> m_lineHeight;
    std::vector<uint16_t> m_lineAscent;
    std::vector<uint16_t> m_lineDescent;
    float m_spread = 1.0f;
    float m_limit = 0.0f;
    _TEXT_BITMAP_INFO m_bInfo;
};

#endif
