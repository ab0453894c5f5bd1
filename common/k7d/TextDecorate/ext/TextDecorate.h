#ifndef TOLKMAPS_K7D_TEXTDECORATE_H
#define TOLKMAPS_K7D_TEXTDECORATE_H

#include <cstdint>
#include <string>
#include <vector>

#include "FontText.h"
#include "TextDecorateTypes.h"
#include "_K7D_STR_COLOR.h"

class K7DataCtg;

// One label plate: the text in its colour on an optional filled background
// with rounded corners, a frame line and a halo ("rim") around the glyphs.
// The style comes from a record group: "ans" size (pixels), "anc" text
// colour and "dtp" font file are required; "vtc" vertical, "adp" position,
// "pyc" plate colour, "mgn" margin, "cnr" corner radius, "lnw"/"lnc" frame
// line, "rmw"/"rmc" rim, "asp"/"asl" spread and its limit are optional.
// Call setInfo, then setText, then getData when the size is not 0 x 0.
// One object belongs to one caller; glyph work is serialized by FontChar.
class TextDecorate {
public:
    TextDecorate() = default;
    virtual ~TextDecorate() = default;

    // Appends a fallback font for characters the label font lacks.
    static void setBaseFontPath(const std::string& path);

    // Reads the style; a missing "ans", "anc" or "dtp", or a size outside
    // 1 to 1020 pixels, is logged and leaves the plate empty (0 x 0). The
    // group stays the caller's.
    void setInfo(K7DataCtg* style);
    void setSpread(float spread);
    // Lays the UTF-8 text out and sizes the plate (pixels); a plate wider or
    // taller than 2048 pixels is logged and left empty (0 x 0).
    void setText(const std::string& text);

    int32_t getWidth() const { return m_width; }
    int32_t getHeight() const { return m_height; }
    void getSize(int32_t& width, int32_t& height) const;

    // The plate's RGBA pixels, row-major, width x height x 4 bytes, painted
    // on the first call after setText.
    const std::vector<uint8_t>& getData();
    // The same after taking the alignment from a label position.
    const std::vector<uint8_t>& getData(ANNOTATIONPOS_TYPE position);
    // Sets the line alignment from a label position.
    void getAlignment(ANNOTATIONPOS_TYPE position);

private:
    static int alignmentFor(int position, bool horizontal);
    bool readRequired(K7DataCtg& style);
    void readPlate(K7DataCtg& style);
    void paintBackground();
    void paintFrame();
    void paintCorners();
    void paintCornerPixel(int x, int y, double distance);
    void stamp(const _K7D_STR_COLOR& color, int dx, int dy);
    void setPixel(int x, int y, const _K7D_STR_COLOR& color);
    void blendPixel(int x, int y, const _K7D_STR_COLOR& color, double weight);
    uint8_t* pixelAt(int x, int y);
    static void writeColor(uint8_t* pixel, const _K7D_STR_COLOR& color);
    static void blendColor(uint8_t* pixel, const _K7D_STR_COLOR& color, double weight);

    bool m_hasInfo = false;
    bool m_horizontal = true;
    FontText m_text;
    _K7D_STR_COLOR m_textColor;
    _K7D_STR_COLOR m_plateColor;
    double m_marginX = 0;
    double m_marginY = 0;
    double m_styleRadius = 0;
    // The style radius limited to half the plate's height and width.
    double m_cornerRadius = 0;
    double m_lineWidth = 0;
    _K7D_STR_COLOR m_lineColor;
    double m_rimWidth = 0;
    _K7D_STR_COLOR m_rimColor;
    int m_alignment = TEXT_ALIGNMENT_DEFAULT;
    int32_t m_width = 0;
    int32_t m_height = 0;
    std::vector<uint8_t> m_pixels;
};

#endif
