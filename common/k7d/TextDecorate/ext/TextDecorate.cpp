#include "TextDecorate.h"

#include <algorithm>
#include <cmath>

#include "K7DataCtg.h"
#include "Log.h"
#include "StyleRecord.h"

namespace {

constexpr int kRgba = 4;
// Bounds on what a style may ask for, checked before any pixel is allocated:
// glyphs no larger than an atlas image may be, plates up to twice that (the
// atlas refuses those beyond 1020 pixels itself).
constexpr double kMaxFontSize = 1020;
constexpr double kMaxPlateSide = 2048;

}  // namespace

void TextDecorate::setBaseFontPath(const std::string& path) { FontText::setBaseFont(path); }

int TextDecorate::alignmentFor(int position, bool horizontal) {
    if (horizontal) {
        if (position == ANNOTATIONPOS_RIGHT) return TEXT_ALIGNMENT_START;
        if (position == ANNOTATIONPOS_LEFT) return TEXT_ALIGNMENT_END;
    } else {
        if (position == ANNOTATIONPOS_BOTTOM) return TEXT_ALIGNMENT_START;
        if (position == ANNOTATIONPOS_TOP) return TEXT_ALIGNMENT_END;
    }
    return TEXT_ALIGNMENT_CENTER;
}

void TextDecorate::setInfo(K7DataCtg* style) {
    m_hasInfo = false;
    if (style == nullptr) {
        K7D_LOG_ERROR("No Font Size");
        return;
    }
    if (!readRequired(*style)) return;
    readPlate(*style);
}

// Size, colour, direction, alignment and font path; false (logged) when one
// of the required records is missing.
bool TextDecorate::readRequired(K7DataCtg& style) {
    const std::optional<double> size = StyleRecord::number(style, "ans");
    if (!size) {
        K7D_LOG_ERROR("No Font Size");
        return false;
    }
    if (!(*size > 0 && *size <= kMaxFontSize)) {
        K7D_LOG_ERROR("Font size out of range:", *size);
        return false;
    }
    const std::optional<_K7D_STR_COLOR> color = StyleRecord::color(style, "anc");
    if (!color) {
        K7D_LOG_ERROR("No Color");
        return false;
    }
    m_textColor = *color;
    const std::optional<double> vertical = StyleRecord::number(style, "vtc");
    m_horizontal = !vertical || *vertical == 0;
    const std::optional<double> position = StyleRecord::number(style, "adp");
    m_alignment = position ? alignmentFor(static_cast<int>(*position), m_horizontal) : TEXT_ALIGNMENT_DEFAULT;
    const std::optional<std::string> path = StyleRecord::text(style, "dtp");
    if (!path) {
        K7D_LOG_ERROR("No Font Path");
        return false;
    }
    m_hasInfo = true;
    m_text.setInfo(*path, *size, m_horizontal, static_cast<TEXT_ALIGNMENT>(m_alignment));
    return true;
}

void TextDecorate::readPlate(K7DataCtg& style) {
    m_plateColor = StyleRecord::color(style, "pyc").value_or(_K7D_STR_COLOR());
    m_styleRadius = StyleRecord::number(style, "cnr").value_or(0);
    const auto margin = StyleRecord::position(style, "mgn");
    const bool plate = m_plateColor.a != 0 && margin;
    m_marginX = plate ? margin->first : 0;
    m_marginY = plate ? margin->second : 0;
    m_lineWidth = std::trunc(StyleRecord::number(style, "lnw").value_or(0));
    m_lineColor = StyleRecord::color(style, "lnc").value_or(_K7D_STR_COLOR());
    m_rimWidth = StyleRecord::number(style, "rmw").value_or(0);
    m_rimColor = StyleRecord::color(style, "rmc").value_or(_K7D_STR_COLOR());
    if (const auto spread = StyleRecord::number(style, "asp")) m_text.setSpread(static_cast<float>(*spread));
    if (const auto limit = StyleRecord::number(style, "asl")) m_text.setLimit(static_cast<float>(*limit));
}

void TextDecorate::setSpread(float spread) { m_text.setSpread(spread); }

void TextDecorate::setText(const std::string& text) {
    m_pixels.clear();
    m_width = 0;
    m_height = 0;
    if (!m_hasInfo) return;
    m_text.setText(text);
    const double border = m_lineWidth + m_rimWidth;
    const double width = 2 * (m_marginX + border) + m_text.getWidth();
    const double height = 2 * (m_marginY + border) + m_text.getHeight();
    if (!(width <= kMaxPlateSide && height <= kMaxPlateSide)) {
        K7D_LOG_ERROR("Plate size beyond the limit:", width, height);
        return;
    }
    m_width = static_cast<int32_t>(width);
    m_height = static_cast<int32_t>(height);
    m_cornerRadius = std::min(m_styleRadius, m_height * 0.5);
    m_cornerRadius = std::min(m_cornerRadius, m_width * 0.5);
}

void TextDecorate::getSize(int32_t& width, int32_t& height) const {
    width = m_width;
    height = m_height;
}

const std::vector<uint8_t>& TextDecorate::getData() {
    if (!m_hasInfo || !m_pixels.empty() || m_width <= 0 || m_height <= 0) return m_pixels;
    paintBackground();
    paintFrame();
    if (m_plateColor.a != 0 && m_cornerRadius != 0) paintCorners();
    if (m_rimWidth != 0 && m_rimColor.a != 0) {
        const int reach = static_cast<int>(std::floor(m_rimWidth));
        for (int i = -reach; i <= reach; ++i) {
            for (int j = -reach; j <= reach; ++j) stamp(m_rimColor, i, j);
        }
    }
    stamp(m_textColor, 0, 0);
    return m_pixels;
}

const std::vector<uint8_t>& TextDecorate::getData(ANNOTATIONPOS_TYPE position) {
    getAlignment(position);
    return getData();
}

void TextDecorate::getAlignment(ANNOTATIONPOS_TYPE position) { m_alignment = alignmentFor(position, m_horizontal); }

void TextDecorate::paintBackground() {
    m_pixels.assign(static_cast<size_t>(m_width) * m_height * kRgba, 0);
    if (m_plateColor.a == 0) return;
    for (size_t i = 0; i < m_pixels.size(); i += kRgba) {
        m_pixels[i] = m_plateColor.r;
        m_pixels[i + 1] = m_plateColor.g;
        m_pixels[i + 2] = m_plateColor.b;
        m_pixels[i + 3] = m_plateColor.a;
    }
}

void TextDecorate::paintFrame() {
    const int lineWidth = static_cast<int>(m_lineWidth);
    for (int a = 0; a < lineWidth; ++a) {
        for (int x = 0; x < m_width; ++x) {
            setPixel(x, a, m_lineColor);
            setPixel(x, m_height - 1 - a, m_lineColor);
        }
        for (int y = lineWidth; y < m_height; ++y) {
            setPixel(a, y, m_lineColor);
            setPixel(m_width - 1 - a, y, m_lineColor);
        }
    }
}

// Rounds the four corners about a circle of the corner radius plus the frame
// line, with anti-aliased edges.
void TextDecorate::paintCorners() {
    const double outer = m_cornerRadius + m_lineWidth;
    for (int y = 0; y < outer + 1; ++y) {
        for (int x = 0; x < outer + 1; ++x) {
            const double distance = std::sqrt((x - outer) * (x - outer) + (y - outer) * (y - outer));
            paintCornerPixel(x, y, distance);
            paintCornerPixel(m_width - 1 - x, y, distance);
            paintCornerPixel(x, m_height - 1 - y, distance);
            paintCornerPixel(m_width - 1 - x, m_height - 1 - y, distance);
        }
    }
}

void TextDecorate::paintCornerPixel(int x, int y, double distance) {
    uint8_t* pixel = pixelAt(x, y);
    if (pixel == nullptr) return;
    const double r = m_cornerRadius;
    if (m_lineWidth == 0) {
        if (distance > r + 1) {
            pixel[3] = 0;
        } else if (distance > r) {
            pixel[3] = static_cast<uint8_t>((r + 1 - distance) * 255);
        }
        return;
    }
    const double outer = r + m_lineWidth;
    if (distance > outer + 1) {
        pixel[3] = 0;
    } else if (distance > outer) {
        _K7D_STR_COLOR edge = m_lineColor;
        edge.a = static_cast<uint8_t>((outer + 1 - distance) * m_lineColor.a);
        setPixel(x, y, edge);
    } else if (distance > r + 0.99) {
        setPixel(x, y, m_lineColor);
    } else if (distance > r) {
        blendPixel(x, y, m_lineColor, distance - r);
    }
}

// Draws the text coverage in `color`, shifted by (dx, dy) from its place
// inside the margin, frame line and rim; coverage outside the plate is dropped.
void TextDecorate::stamp(const _K7D_STR_COLOR& color, int dx, int dy) {
    const _TEXT_BITMAP_INFO& text = m_text.getData(static_cast<TEXT_ALIGNMENT>(m_alignment));
    if (text.data.size() < static_cast<size_t>(text.width) * text.height) return;
    const int left = static_cast<int>(m_marginX + m_lineWidth + m_rimWidth) + dx;
    const int top = static_cast<int>(m_marginY + m_lineWidth + m_rimWidth) + dy;
    const int firstColumn = std::max(0, -left);
    const int endColumn = std::min<int>(text.width, m_width - left);
    for (int row = std::max(0, -top); row < text.height && top + row < m_height; ++row) {
        const uint8_t* coverage = text.data.data() + static_cast<size_t>(row) * text.width;
        uint8_t* target = m_pixels.data() + (static_cast<size_t>(top + row) * m_width + left) * kRgba;
        for (int column = firstColumn; column < endColumn; ++column) {
            const uint8_t value = coverage[column];
            if (value == 255) {
                writeColor(target + column * kRgba, color);
            } else if (value > 0) {
                blendColor(target + column * kRgba, color, value / 255.0);
            }
        }
    }
}

uint8_t* TextDecorate::pixelAt(int x, int y) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return nullptr;
    return m_pixels.data() + (static_cast<size_t>(y) * m_width + x) * kRgba;
}

void TextDecorate::setPixel(int x, int y, const _K7D_STR_COLOR& color) {
    if (uint8_t* pixel = pixelAt(x, y)) writeColor(pixel, color);
}

void TextDecorate::blendPixel(int x, int y, const _K7D_STR_COLOR& color, double weight) {
    if (uint8_t* pixel = pixelAt(x, y)) blendColor(pixel, color, weight);
}

void TextDecorate::writeColor(uint8_t* pixel, const _K7D_STR_COLOR& color) {
    pixel[0] = color.r;
    pixel[1] = color.g;
    pixel[2] = color.b;
    pixel[3] = color.a;
}

// Mixes the colour in with the weight; onto a transparent pixel the colour
// goes as it is, with its alpha scaled by the weight.
void TextDecorate::blendColor(uint8_t* pixel, const _K7D_STR_COLOR& color, double weight) {
    if (pixel[3] == 0) {
        writeColor(pixel, {color.r, color.g, color.b, static_cast<uint8_t>(color.a * weight)});
        return;
    }
    const uint8_t components[kRgba] = {color.r, color.g, color.b, color.a};
    for (int i = 0; i < kRgba; ++i) {
        pixel[i] = static_cast<uint8_t>(components[i] * weight + (1 - weight) * pixel[i]);
    }
}
