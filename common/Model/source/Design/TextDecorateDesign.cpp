#include "TextDecorateDesign.h"

#include "DesignRecord.h"
#include "K7DataAdp.h"
#include "K7DataAnc.h"
#include "K7DataAns.h"
#include "K7DataAsl.h"
#include "K7DataAsp.h"
#include "K7DataCnr.h"
#include "K7DataCtg.h"
#include "K7DataFtn.h"
#include "K7DataLgt.h"
#include "K7DataLnc.h"
#include "K7DataLnw.h"
#include "K7DataMgn.h"
#include "K7DataPyc.h"
#include "K7DataRmc.h"
#include "K7DataRmw.h"
#include "K7DataVtc.h"

namespace qiv {

namespace {

template <typename Record, typename Value>
void addRecord(K7DataCtg& group, const Value& value) {
    auto* record = new Record();
    record->editContents() = value;
    group.addContents(record);
}

template <typename Record, typename Value>
void addOptional(K7DataCtg& group, const std::optional<Value>& value) {
    if (value) addRecord<Record>(group, *value);
}

}  // namespace

const char* const TextDecorateDesign::DEFAULT_LANGUAGE = "jpn";

TextDecorateDesign::TextDecorateDesign() : m_languageType(DEFAULT_LANGUAGE) {}

TextDecorateDesign::~TextDecorateDesign() = default;

bool TextDecorateDesign::convert(K7DataGroup* group) {
    if (group == nullptr) return false;
    const auto font = DesignRecord::value<K7DataText>(*group, "ftn");
    const auto color = DesignRecord::value<K7DataColor>(*group, "anc");
    const auto size = DesignRecord::value<K7DataNumber<uint16_t>>(*group, "ans");
    if (!font || !color || !size) return false;
    m_languageType = DesignRecord::value<K7DataText>(*group, "lgt").value_or(DEFAULT_LANGUAGE);
    m_fontName = *font;
    m_textColor = *color;
    m_textSize = *size;
    readOptional(*group);
    return true;
}

void TextDecorateDesign::readOptional(K7DataGroup& group) {
    m_plateColor = DesignRecord::value<K7DataColor>(group, "pyc");
    if (const auto margin = DesignRecord::value<K7DataPosition<uint16_t>>(group, "mgn")) {
        m_margin = std::array<float, 2>{static_cast<float>(margin->x), static_cast<float>(margin->y)};
    }
    m_cornerRadius = DesignRecord::value<K7DataNumber<float>>(group, "cnr");
    m_frameLineColor = DesignRecord::value<K7DataColor>(group, "lnc");
    if (const auto width = DesignRecord::value<K7DataNumber<float>>(group, "lnw")) {
        m_frameLineWidth = DesignRecord::toInt16(*width);
    }
    m_borderColor = DesignRecord::value<K7DataColor>(group, "rmc");
    if (const auto width = DesignRecord::value<K7DataNumber<uint8_t>>(group, "rmw")) {
        m_borderWidth = static_cast<float>(*width);
    }
    m_writingDirection = DesignRecord::value<K7DataNumber<uint8_t>>(group, "vtc");
    m_textPosition = DesignRecord::value<K7DataNumber<uint8_t>>(group, "adp");
    m_spread = DesignRecord::value<K7DataNumber<float>>(group, "asp");
    m_spreadLimit = DesignRecord::value<K7DataNumber<float>>(group, "asl");
}

K7DataCtg* TextDecorateDesign::rconvert() const {
    auto* group = new K7DataCtg();
    addRecord<K7DataLgt>(*group, m_languageType);
    addRecord<K7DataFtn>(*group, m_fontName);
    addRecord<K7DataAnc>(*group, m_textColor);
    addRecord<K7DataAns>(*group, m_textSize);
    addOptional<K7DataPyc>(*group, m_plateColor);
    if (m_margin) {
        K7D_STR_POSITION<uint16_t> margin;
        margin.x = DesignRecord::toUint16((*m_margin)[0]);
        margin.y = DesignRecord::toUint16((*m_margin)[1]);
        addRecord<K7DataMgn>(*group, margin);
    }
    addOptional<K7DataCnr>(*group, m_cornerRadius);
    addOptional<K7DataLnc>(*group, m_frameLineColor);
    if (m_frameLineWidth) addRecord<K7DataLnw>(*group, static_cast<float>(*m_frameLineWidth));
    addOptional<K7DataRmc>(*group, m_borderColor);
    if (m_borderWidth) addRecord<K7DataRmw>(*group, DesignRecord::toUint8(*m_borderWidth));
    addOptional<K7DataVtc>(*group, m_writingDirection);
    addOptional<K7DataAdp>(*group, m_textPosition);
    addOptional<K7DataAsp>(*group, m_spread);
    addOptional<K7DataAsl>(*group, m_spreadLimit);
    return group;
}

}  // namespace qiv
