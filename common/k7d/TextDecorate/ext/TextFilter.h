#ifndef TOLKMAPS_K7D_TEXTFILTER_H
#define TOLKMAPS_K7D_TEXTFILTER_H

#include <memory>
#include <string>
#include <vector>

#include "TextBase.h"
#include "TextDecorateTypes.h"

// Character substitutions over UTF-8 text: a list of converters applied to
// each character in turn, then a list applied to whole texts.
class TextFilter {
public:
    // Replaces both lists with the converters of the filter set; unknown
    // sets leave them empty.
    void setInfo(TEXT_FILTER filter);
    // Converts the text in place. False, with the text unchanged, when it is
    // not valid UTF-8 where a converter reads it.
    bool convText(std::string* text) const;
    void clear();

private:
    using Converters = std::vector<std::unique_ptr<TextBase>>;

    static bool runList(const Converters& converters, std::string& text);
    static bool convertAll(const TextBase& converter, const std::string& in, std::string& out);

    Converters m_charConverters;
    Converters m_textConverters;
};

#endif
