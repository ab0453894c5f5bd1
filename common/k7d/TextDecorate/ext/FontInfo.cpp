#include "FontInfo.h"

#include "Log.h"

FT_Library FontInfo::m_ft = nullptr;
FT_Face FontInfo::m_face = nullptr;
bool FontInfo::m_fc = false;
std::string FontInfo::m_fontPath;
double FontInfo::m_size = 0;

FontInfo::FontInfo() {
    if (FT_Init_FreeType(&m_ft) != 0) {
        K7D_LOG_ERROR("FT_Init_FreeType Error");
        m_ft = nullptr;
    }
}

// Leaves the path text alone: it may already be gone when the process ends.
FontInfo::~FontInfo() {
    if (!m_fc && m_face != nullptr) FT_Done_Face(m_face);
    m_face = nullptr;
    if (m_ft != nullptr) FT_Done_FreeType(m_ft);
    m_ft = nullptr;
}

void FontInfo::openFont(const std::string& path, double size) {
    if (path != m_fontPath || m_fc) {
        closeFont();
        m_fc = false;
        m_fontPath = path;
        if (m_ft == nullptr || FT_New_Face(m_ft, path.c_str(), 0, &m_face) != 0) {
            K7D_LOG_ERROR("Get face error", path);
            m_face = nullptr;
        }
    }
    setPixelSize(size);
}

void FontInfo::openFont(FT_Face face, double size) {
    closeFont();
    m_fc = true;
    m_face = face;
    setPixelSize(size);
}

void FontInfo::closeFont() {
    if (!m_fc && m_face != nullptr) FT_Done_Face(m_face);
    if (!m_fc) m_face = nullptr;
    m_fontPath.clear();
}

void FontInfo::setPixelSize(double size) {
    m_size = size;
    if (m_face == nullptr) return;
    const FT_UInt pixels = size > 0 ? static_cast<FT_UInt>(size) : 0;
    FT_Set_Pixel_Sizes(m_face, pixels, pixels);
}

void FontInfo::setText(wchar_t ch) {
    if (m_face == nullptr) return;
    const FT_UInt index = FT_Get_Char_Index(m_face, static_cast<FT_ULong>(ch));
    if (FT_Load_Glyph(m_face, index, FT_LOAD_DEFAULT) != 0) K7D_LOG_ERROR("FT_Load_Glyph Error");
    if (m_face->glyph == nullptr) K7D_LOG_ERROR("FontInfo::getGlyph return null");
}

bool FontInfo::checkTofu(wchar_t ch) {
    return m_face != nullptr && FT_Get_Char_Index(m_face, static_cast<FT_ULong>(ch)) != 0;
}

const FT_Glyph_Metrics* FontInfo::metrics() {
    if (m_face == nullptr || m_face->glyph == nullptr) return nullptr;
    return &m_face->glyph->metrics;
}

int16_t FontInfo::getHoriAdvance() {
    const FT_Glyph_Metrics* glyph = metrics();
    return glyph ? static_cast<int16_t>(glyph->horiAdvance >> 6) : 0;
}

int16_t FontInfo::getWidth() {
    const FT_Glyph_Metrics* glyph = metrics();
    return glyph ? static_cast<int16_t>(glyph->width >> 6) : 0;
}

int16_t FontInfo::getHeight() {
    const FT_Glyph_Metrics* glyph = metrics();
    return glyph ? static_cast<int16_t>(glyph->height >> 6) : 0;
}

int16_t FontInfo::getAscent() {
    const FT_Glyph_Metrics* glyph = metrics();
    return glyph ? static_cast<int16_t>(glyph->horiBearingY >> 6) : 0;
}

int16_t FontInfo::getDescent() {
    const FT_Glyph_Metrics* glyph = metrics();
    if (glyph == nullptr || glyph->height <= glyph->horiBearingY) return 0;
    return static_cast<int16_t>((glyph->height - glyph->horiBearingY) >> 6);
}

const FT_Bitmap* FontInfo::getBitmap() {
    if (m_face == nullptr || m_face->glyph == nullptr) return nullptr;
    if (FT_Render_Glyph(m_face->glyph, FT_RENDER_MODE_NORMAL) != 0) K7D_LOG_ERROR("FT_Render_Glyph Error");
    return &m_face->glyph->bitmap;
}
