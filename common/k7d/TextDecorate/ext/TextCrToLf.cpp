#include "TextCrToLf.h"

std::string TextCrToLf::convText(const char* at, size_t length, unsigned* size) const {
    *size = length > 0 ? 1 : 0;
    if (*size == 0) return std::string();
    return std::string(1, *at == '\r' ? '\n' : *at);
}
