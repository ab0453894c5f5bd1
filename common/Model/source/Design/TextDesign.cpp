#include "TextDesign.h"

#include "DesignRecord.h"
#include "K7DataNumber.h"
#include "K7DataPosition.h"

namespace qiv {

TextDesign::TextDesign() : BaseDesign(TEXT) {}

bool TextDesign::convert(K7DataGroup* group) {
    if (!BaseDesign::convert(group)) return false;
    if (const auto icon = DesignRecord::value<K7DataNumber<uint16_t>>(*group, "icn")) m_iconNumbers.push_back(*icon);
    if (K7DataGroup* decorations = DesignRecord::firstCategory(*group)) readDecorations(*decorations);
    if (const auto offset = DesignRecord::value<K7DataPosition<double>>(*group, "ofs")) {
        m_offset = std::array<float, 2>{DesignRecord::toFloat(offset->x), DesignRecord::toFloat(offset->y)};
    }
    m_displayFlagPosition = DesignRecord::value<K7DataNumber<uint8_t>>(*group, "dfp");
    return true;
}

const TextDecorateDesign* TextDesign::findDecoration(const std::string& language) const {
    for (const TextDecorateDesign& decoration : m_decorations) {
        if (decoration.getLanguageType() == language) return &decoration;
    }
    return nullptr;
}

void TextDesign::readDecorations(K7DataGroup& decorations) {
    for (K7DataBase* child : decorations.getContents()) {
        TextDecorateDesign decoration;
        if (decoration.convert(dynamic_cast<K7DataGroup*>(child))) m_decorations.push_back(decoration);
    }
}

}  // namespace qiv
