#include "FontChar.h"

#include <algorithm>
#include <cstdlib>

FontInfo FontChar::m_fontInfo;
std::vector<std::string> FontChar::m_vFontPath;
std::mutex FontChar::m_mutex;

namespace {

// Coverage of pixel k of a bitmap row: 8-bit grey as it is, one-bit
// monochrome as 0 or 255; other pixel modes are left blank.
uint8_t coverageAt(const FT_Bitmap& bitmap, const uint8_t* row, unsigned k) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) return row[k];
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[k >> 3] >> (7 - (k & 7))) & 1 ? 255 : 0;
    return 0;
}

}  // namespace

void FontChar::setBaseFont(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_vFontPath.push_back(path);
}

void FontChar::getSize(FT_Face face, const std::string& path, double size, wchar_t ch, int16_t& width,
                       int16_t& height, int16_t& ascent, int16_t& descent) {
    std::lock_guard<std::mutex> lock(m_mutex);
    setUp(face, path, size, ch);
    const int16_t glyphWidth = FontInfo::getWidth();
    width = static_cast<int16_t>((glyphWidth != 0 ? glyphWidth : FontInfo::getHoriAdvance()) + 1);
    height = FontInfo::getHeight();
    ascent = FontInfo::getAscent();
    descent = FontInfo::getDescent();
}

void FontChar::getData(FT_Face face, const std::string& path, double size, std::vector<uint8_t>& data,
                       wchar_t ch) {
    std::lock_guard<std::mutex> lock(m_mutex);
    setUp(face, path, size, ch);
    const FT_Bitmap* bitmap = FontInfo::getBitmap();
    const int width = std::max<int>(FontInfo::getWidth(), 0);
    const int height = std::max<int>(FontInfo::getHeight(), 0);
    data.assign(static_cast<size_t>(width + 1) * height, 0);
    if (bitmap != nullptr) copyBitmap(*bitmap, width, height, data);
}

// Opens the face that has the character: the label font, else the first
// fallback font that has it, else the label font again (its missing-glyph
// shape is drawn), and loads the glyph.
void FontChar::setUp(FT_Face face, const std::string& path, double size, wchar_t ch) {
    const auto openBase = [&]() {
        if (face != nullptr) {
            FontInfo::openFont(face, size);
        } else {
            FontInfo::openFont(path, size);
        }
    };
    openBase();
    if (!FontInfo::checkTofu(ch)) {
        bool found = false;
        for (const std::string& fallback : m_vFontPath) {
            FontInfo::openFont(fallback, size);
            found = FontInfo::checkTofu(ch);
            if (found) break;
        }
        if (!found) openBase();
    }
    FontInfo::setText(ch);
}

// Copies the rendered rows into a (width + 1) x height image; pixels outside
// it are dropped. Rows are read at the bitmap's pitch, bottom-up ones too.
void FontChar::copyBitmap(const FT_Bitmap& bitmap, int width, int height, std::vector<uint8_t>& data) {
    if (bitmap.buffer == nullptr) return;
    const unsigned rows = std::min<unsigned>(bitmap.rows, static_cast<unsigned>(height));
    const unsigned columns = std::min<unsigned>(bitmap.width, static_cast<unsigned>(width + 1));
    const long pitch = bitmap.pitch;
    for (unsigned r = 0; r < rows; ++r) {
        const long rowIndex = pitch >= 0 ? r : static_cast<long>(bitmap.rows) - 1 - r;
        const uint8_t* row = bitmap.buffer + rowIndex * std::labs(pitch);
        for (unsigned k = 0; k < columns; ++k) {
            data[static_cast<size_t>(r) * (width + 1) + k] = coverageAt(bitmap, row, k);
        }
    }
}
