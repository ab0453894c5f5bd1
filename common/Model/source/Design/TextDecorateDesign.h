#ifndef TOLKMAPS_MODEL_TEXTDECORATEDESIGN_H
#define TOLKMAPS_MODEL_TEXTDECORATEDESIGN_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "_K7D_STR_COLOR.h"

class K7DataCtg;
class K7DataGroup;

namespace qiv {

// One label style of a point design, for one language: font, text colour
// and size (pixels), and the optional plate, frame, border (halo) and text
// layout settings. Read from a decoration group; rconvert() writes it back as
// records for the label renderer.
class TextDecorateDesign {
public:
    static const char* const DEFAULT_LANGUAGE;

    TextDecorateDesign();
    virtual ~TextDecorateDesign();

    // Reads a decoration group. A group without font name ("ftn"), text
    // colour ("anc") or text size ("ans") is not a label style (an icon-only
    // point row gives one): the answer is then false and the design must not
    // be used. A missing language ("lgt") is "jpn".
    virtual bool convert(K7DataGroup* group);
    // A new group (owned by the caller): "lgt", "ftn", "anc", "ans", then the
    // optional settings present, in the order "pyc", "mgn", "cnr", "lnc",
    // "lnw", "rmc", "rmw", "vtc", "adp", "asp", "asl".
    K7DataCtg* rconvert() const;

    const std::string& getLanguageType() const { return m_languageType; }
    const std::string& getFontName() const { return m_fontName; }
    const _K7D_STR_COLOR& getTextColor() const { return m_textColor; }
    uint16_t getTextSize() const { return m_textSize; }
    const std::optional<_K7D_STR_COLOR>& getPlateColor() const { return m_plateColor; }
    const std::optional<std::array<float, 2>>& getMargin() const { return m_margin; }
    const std::optional<float>& getCornerRadius() const { return m_cornerRadius; }
    const std::optional<_K7D_STR_COLOR>& getFrameLineColor() const { return m_frameLineColor; }
    const std::optional<int16_t>& getFrameLineWidth() const { return m_frameLineWidth; }
    const std::optional<_K7D_STR_COLOR>& getBorderColor() const { return m_borderColor; }
    const std::optional<float>& getBorderWidth() const { return m_borderWidth; }
    const std::optional<uint8_t>& getWritingDirection() const { return m_writingDirection; }
    const std::optional<uint8_t>& getTextPosition() const { return m_textPosition; }
    const std::optional<float>& getSpread() const { return m_spread; }
    const std::optional<float>& getSpreadLimit() const { return m_spreadLimit; }

private:
    void readOptional(K7DataGroup& group);

    std::string m_languageType;
    std::string m_fontName;
    _K7D_STR_COLOR m_textColor;
    uint16_t m_textSize = 0;
    std::optional<_K7D_STR_COLOR> m_plateColor;
    std::optional<std::array<float, 2>> m_margin;
    std::optional<float> m_cornerRadius;
    std::optional<_K7D_STR_COLOR> m_frameLineColor;
    std::optional<int16_t> m_frameLineWidth;
    std::optional<_K7D_STR_COLOR> m_borderColor;
    std::optional<float> m_borderWidth;
    std::optional<uint8_t> m_writingDirection;
    std::optional<uint8_t> m_textPosition;
    std::optional<float> m_spread;
    std::optional<float> m_spreadLimit;
};

}  // namespace qiv

#endif
