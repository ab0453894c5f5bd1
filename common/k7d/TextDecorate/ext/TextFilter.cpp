#include "TextFilter.h"

#include "Log.h"
#include "TextDataCmdn.h"

void TextFilter::setInfo(TEXT_FILTER filter) {
    clear();
    if (filter == TEXT_FILTER_CMDN) m_charConverters.push_back(std::make_unique<TextDataCmdn>());
}

bool TextFilter::convText(std::string* text) const {
    if (text == nullptr) return false;
    std::string converted = *text;
    if (!runList(m_charConverters, converted) || !runList(m_textConverters, converted)) return false;
    *text = std::move(converted);
    return true;
}

void TextFilter::clear() {
    m_charConverters.clear();
    m_textConverters.clear();
}

bool TextFilter::runList(const Converters& converters, std::string& text) {
    for (const auto& converter : converters) {
        std::string converted;
        if (!convertAll(*converter, text, converted)) return false;
        text = std::move(converted);
    }
    return true;
}

// Converts every character of `in` into `out`; stops at the first byte that
// does not start a whole UTF-8 character.
bool TextFilter::convertAll(const TextBase& converter, const std::string& in, std::string& out) {
    for (size_t pos = 0; pos < in.size();) {
        K7D_LOG_DEBUG("pos", pos);
        unsigned size = 0;
        out += converter.convText(in.data() + pos, in.size() - pos, &size);
        if (size == 0) {
            K7D_LOG_ERROR("char size 0 calculated : maybe not utf-8");
            return false;
        }
        pos += size;
    }
    return true;
}
