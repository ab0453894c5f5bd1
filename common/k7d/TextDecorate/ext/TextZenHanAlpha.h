#ifndef TOLKMAPS_K7D_TEXTZENHANALPHA_H
#define TOLKMAPS_K7D_TEXTZENHANALPHA_H

#include "TextBase.h"

// Full-width Latin letters (U+FF21 to U+FF3A, U+FF41 to U+FF5A) become the
// ASCII letters; every other character is kept.
class TextZenHanAlpha : public TextBase {
protected:
    std::string replace(const std::string& character) const override;
};

#endif
