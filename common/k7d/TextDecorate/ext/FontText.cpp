#include "FontText.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include "FontChar.h"
#include "Log.h"

namespace {

uint16_t toUint16(long value) {
    return static_cast<uint16_t>(std::clamp<long>(value, 0, std::numeric_limits<uint16_t>::max()));
}

// Start of a line (or column) of `extent` pixels within `total` pixels.
int alignedStart(TEXT_ALIGNMENT alignment, int total, int extent) {
    if (alignment == TEXT_ALIGNMENT_END) return total - extent;
    if (alignment == TEXT_ALIGNMENT_CENTER) return static_cast<int>((total - extent) * 0.5);
    return 0;
}

// UTF-8 to wide characters through UTF-16; malformed bytes become U+FFFD and
// a surrogate pair becomes the one character it encodes.
std::wstring toWide(const std::string& utf8) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8WithSub(nullptr, 0, &length, utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr,
                         &status);
    std::vector<UChar> units(static_cast<size_t>(length) + 1);
    status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    std::wstring wide;
    if (U_FAILURE(status)) {
        K7D_LOG_ERROR("UTF-8 conversion failed:", u_errorName(status));
        return wide;
    }
    for (int32_t i = 0; i < length;) {
        UChar32 code = 0;
        U16_NEXT(units.data(), i, length, code);
        wide.push_back(static_cast<wchar_t>(code));
    }
    return wide;
}

}  // namespace

void FontText::setBaseFont(const std::string& path) { FontChar::setBaseFont(path); }

void FontText::setInfo(const std::string& path, double size, bool horizontal, TEXT_ALIGNMENT alignment,
                       FT_Face face) {
    m_fontPath = path;
    m_size = size;
    m_horizontal = horizontal;
    m_alignment = alignment == TEXT_ALIGNMENT_DEFAULT ? TEXT_ALIGNMENT_CENTER : alignment;
    m_face = face;
}

void FontText::setSpread(float spread) { m_spread = std::max(spread, m_limit); }

void FontText::setLimit(float limit) { m_limit = limit; }

void FontText::setText(const std::string& text) {
    m_bInfo = _TEXT_BITMAP_INFO();
    getWide(text);
    measure();
}

void FontText::getWide(const std::string& text) {
    m_lines.clear();
    if (text.empty()) return;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        m_lines.push_back(toWide(text.substr(start, end - start)));
        start = end + 1;
    }
    m_lines.push_back(toWide(text.substr(start)));
}

void FontText::measure() {
    if (!m_horizontal) std::reverse(m_lines.begin(), m_lines.end());
    m_glyphs.assign(m_lines.size(), {});
    for (size_t i = 0; i < m_lines.size(); ++i) {
        for (wchar_t ch : m_lines[i]) {
            Glyph glyph;
            glyph.ch = ch;
            FontChar::getSize(m_face, m_fontPath, m_size, ch, glyph.width, glyph.height, glyph.ascent,
                              glyph.descent);
            m_glyphs[i].push_back(glyph);
        }
    }
    m_lineWidth.clear();
    m_lineHeight.clear();
    m_lineAscent.clear();
    m_lineDescent.clear();
    const int gap = static_cast<int>(m_size / 10);
    int width = 0;
    int height = 0;
    if (m_horizontal) {
        measureHorizontal(gap, width, height);
    } else {
        measureVertical(gap, width, height);
    }
    m_unspreadWidth = toUint16(width);
    m_bInfo.width = m_spread != 1.0f ? toUint16(static_cast<long>(m_spread * width + 1)) : m_unspreadWidth;
    m_bInfo.height = toUint16(height);
    K7D_LOG_DEBUG("m_bInfo->width", m_bInfo.width);
    K7D_LOG_DEBUG("m_bInfo->height", m_bInfo.height);
}

void FontText::measureHorizontal(int gap, int& width, int& height) {
    for (size_t i = 0; i < m_glyphs.size(); ++i) {
        const std::vector<Glyph>& line = m_glyphs[i];
        if (i > 0 && !line.empty()) height += gap;
        int lineWidth = 0, ascent = 0, descent = 0;
        for (const Glyph& glyph : line) {
            lineWidth += glyph.width;
            ascent = std::max<int>(ascent, glyph.ascent);
            descent = std::max<int>(descent, glyph.descent);
        }
        m_lineWidth.push_back(toUint16(lineWidth));
        m_lineAscent.push_back(toUint16(ascent));
        m_lineDescent.push_back(toUint16(descent));
        width = std::max(width, lineWidth);
        height += line.empty() ? static_cast<int>(m_size) : ascent + descent;
    }
}

void FontText::measureVertical(int gap, int& width, int& height) {
    for (const std::vector<Glyph>& column : m_glyphs) {
        int columnWidth = column.empty() ? static_cast<int>(m_size) : 0;
        int columnHeight = 0;
        for (size_t j = 0; j < column.size(); ++j) {
            if (j > 0) columnHeight += gap;
            columnHeight += column[j].ascent + column[j].descent;
            columnWidth = std::max<int>(columnWidth, column[j].width);
        }
        m_lineWidth.push_back(toUint16(columnWidth));
        m_lineHeight.push_back(toUint16(columnHeight));
        width += columnWidth;
        height = std::max(height, columnHeight);
    }
}

const _TEXT_BITMAP_INFO& FontText::getData(TEXT_ALIGNMENT alignment) {
    if (!m_bInfo.data.empty()) return m_bInfo;
    if (alignment == TEXT_ALIGNMENT_DEFAULT) alignment = m_alignment;
    m_bInfo.data.assign(static_cast<size_t>(m_unspreadWidth) * m_bInfo.height, 0);
    if (m_bInfo.data.empty()) return m_bInfo;
    const int gap = static_cast<int>(m_size / 10);
    if (m_horizontal) {
        drawHorizontal(alignment, gap);
    } else {
        drawVertical(alignment, gap);
    }
    if (m_spread != 1.0f) spreadText();
    return m_bInfo;
}

void FontText::drawHorizontal(TEXT_ALIGNMENT alignment, int gap) {
    int y = 0;
    for (size_t i = 0; i < m_glyphs.size(); ++i) {
        int x = alignedStart(alignment, m_unspreadWidth, m_lineWidth[i]);
        int bitmapHeight = 0;
        for (const Glyph& glyph : m_glyphs[i]) {
            drawGlyph(glyph, x, y + m_lineAscent[i] - glyph.ascent, bitmapHeight);
            x += glyph.width;
        }
        y += m_glyphs[i].empty() ? static_cast<int>(m_size) : m_lineAscent[i] + m_lineDescent[i] + gap;
    }
}

void FontText::drawVertical(TEXT_ALIGNMENT alignment, int gap) {
    int x = 0;
    for (size_t i = 0; i < m_glyphs.size(); ++i) {
        int y = alignedStart(alignment, m_bInfo.height, m_lineHeight[i]);
        for (size_t j = 0; j < m_glyphs[i].size(); ++j) {
            const Glyph& glyph = m_glyphs[i][j];
            if (j > 0) y += gap;
            int bitmapHeight = 0;
            drawGlyph(glyph, x + static_cast<int>((m_lineWidth[i] - glyph.width) * 0.5), y, bitmapHeight);
            y += bitmapHeight;
        }
        x += m_lineWidth[i];
    }
}

// Copies the glyph's coverage with its top-left corner at (x, y); pixels
// outside the image are dropped. Reports the bitmap's row count.
void FontText::drawGlyph(const Glyph& glyph, int x, int y, int& bitmapHeight) {
    std::vector<uint8_t> coverage;
    FontChar::getData(m_face, m_fontPath, m_size, coverage, glyph.ch);
    bitmapHeight = std::max<int>(glyph.height, 0);
    if (bitmapHeight == 0 || coverage.empty()) return;
    const int stride = static_cast<int>(coverage.size()) / bitmapHeight;
    const int width = m_unspreadWidth;
    for (int k = 0; k < bitmapHeight; ++k) {
        const int row = y + k;
        if (row < 0 || row >= m_bInfo.height) continue;
        for (int l = 0; l < stride; ++l) {
            const int column = x + l;
            if (column < 0 || column >= width) continue;
            uint8_t& target = m_bInfo.data[static_cast<size_t>(row) * width + column];
            target = std::max(target, coverage[static_cast<size_t>(k) * stride + l]);
        }
    }
}

// Stretches the image to the spread width by linear interpolation between
// neighbouring columns; the first and last columns stay blank.
void FontText::spreadText() {
    const int oldWidth = m_unspreadWidth;
    const int newWidth = m_bInfo.width;
    std::vector<uint8_t> spread(static_cast<size_t>(newWidth) * m_bInfo.height, 0);
    for (int i = 1; i < newWidth - 1; ++i) {
        const double u = static_cast<double>(i) * oldWidth / newWidth;
        const int f = static_cast<int>(std::floor(u));
        const double g = u - f;
        if (f >= oldWidth) continue;
        for (int row = 0; row < m_bInfo.height; ++row) {
            const uint8_t* old = m_bInfo.data.data() + static_cast<size_t>(row) * oldWidth;
            const double next = f + 1 < oldWidth ? old[f + 1] : 0;
            spread[static_cast<size_t>(row) * newWidth + i] = static_cast<uint8_t>(g * next + (1 - g) * old[f]);
        }
    }
    m_bInfo.data.swap(spread);
}
