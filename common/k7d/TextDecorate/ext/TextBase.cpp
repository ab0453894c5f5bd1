#include "TextBase.h"

std::string TextBase::convText(const char* at, size_t length, unsigned* size) const {
    *size = getCharSize(at, length);
    if (*size == 0) return std::string();
    return replace(std::string(at, *size));
}

std::string TextBase::replace(const std::string& character) const { return character; }
