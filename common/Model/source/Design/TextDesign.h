#ifndef TOLKMAPS_MODEL_TEXTDESIGN_H
#define TOLKMAPS_MODEL_TEXTDESIGN_H

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "BaseDesign.h"
#include "TextDecorateDesign.h"

namespace qiv {

// A point design (kind TEXT): its icons and its label styles, one per
// language, read from a point design group ("icn", the first "ctg" child's
// decoration groups, "ofs", "dfp"). Decoration groups that are not label
// styles (no font name, text colour or text size, as an icon-only row of a
// design table gives) are left out here.
class TextDesign : public BaseDesign {
public:
    TextDesign();

    bool convert(K7DataGroup* group) override;

    const std::vector<uint16_t>& getIconNumbers() const { return m_iconNumbers; }
    const std::vector<TextDecorateDesign>& getDecorations() const { return m_decorations; }
    // The label style of a language, or null.
    const TextDecorateDesign* findDecoration(const std::string& language) const;
    const std::optional<std::array<float, 2>>& getOffset() const { return m_offset; }
    // 0 for none, else the display flag (1 to 5) that must be set for a label to show.
    const std::optional<uint8_t>& getDisplayFlagPosition() const { return m_displayFlagPosition; }

private:
    void readDecorations(K7DataGroup& decorations);

    std::vector<uint16_t> m_iconNumbers;
    std::vector<TextDecorateDesign> m_decorations;
    std::optional<std::array<float, 2>> m_offset;
    std::optional<uint8_t> m_displayFlagPosition;
};

}  // namespace qiv

#endif
