#ifndef TOLKMAPS_K7D_TEXTCRTOLF_H
#define TOLKMAPS_K7D_TEXTCRTOLF_H

#include "TextBase.h"

// Byte-wise: a carriage return becomes a line feed, any other byte is kept.
class TextCrToLf : public TextBase {
public:
    std::string convText(const char* at, size_t length, unsigned* size) const override;
};

#endif
