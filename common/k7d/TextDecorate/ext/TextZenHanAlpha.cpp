#include "TextZenHanAlpha.h"

std::string TextZenHanAlpha::replace(const std::string& character) const {
    const uint32_t code = getCodePoint(character.data(), static_cast<unsigned>(character.size()));
    if ((code >= 0xFF21 && code <= 0xFF3A) || (code >= 0xFF41 && code <= 0xFF5A)) {
        return std::string(1, static_cast<char>(code - 0xFF21 + 'A'));
    }
    return character;
}
