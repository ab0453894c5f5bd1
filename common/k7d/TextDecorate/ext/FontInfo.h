#ifndef TOLKMAPS_K7D_FONTINFO_H
#define TOLKMAPS_K7D_FONTINFO_H

#include <cstdint>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

// The one FreeType face in use, its pixel size, and the metrics and bitmap
// of the glyph loaded last. All state is class-wide: the single instance,
// owned by FontChar, starts FreeType when it is constructed and stops it when
// destroyed. Callers hold FontChar's lock.
class FontInfo {
public:
    FontInfo();
    ~FontInfo();
    FontInfo(const FontInfo&) = delete;
    FontInfo& operator=(const FontInfo&) = delete;

    // Opens face 0 of the font file (kept when the path is the one open) and
    // sets the pixel size. A file that cannot be opened leaves no face.
    static void openFont(const std::string& path, double size);
    // Uses a caller's face (never released here) at the pixel size.
    static void openFont(FT_Face face, double size);
    // Releases the owned face.
    static void closeFont();

    // Loads the glyph of the character.
    static void setText(wchar_t ch);
    // True when the face has a glyph for the character.
    static bool checkTofu(wchar_t ch);

    // Metrics of the loaded glyph in whole pixels; 0 without a face.
    static int16_t getHoriAdvance();
    static int16_t getWidth();
    static int16_t getHeight();
    static int16_t getAscent();
    static int16_t getDescent();
    // Renders the loaded glyph to 8-bit coverage; null without a face.
    static const FT_Bitmap* getBitmap();

private:
    static const FT_Glyph_Metrics* metrics();
    static void setPixelSize(double size);

    static FT_Library m_ft;
    static FT_Face m_face;
    static bool m_fc;
    static std::string m_fontPath;
    static double m_size;
};

#endif
