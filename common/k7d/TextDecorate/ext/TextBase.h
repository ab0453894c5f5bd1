#ifndef TOLKMAPS_K7D_TEXTBASE_H
#define TOLKMAPS_K7D_TEXTBASE_H

#include <cstddef>
#include <string>

#include "TextCommon.h"

// A character converter over UTF-8 text: keeps every character as it is.
// Subclasses replace characters.
class TextBase : public TextCommon {
public:
    // Reads the character at `at` (of the `length` bytes left), reports its
    // byte size through `size` (0 for an invalid lead byte or a character cut
    // off by the end) and returns its replacement (empty when the size is 0).
    virtual std::string convText(const char* at, size_t length, unsigned* size) const;

protected:
    // The replacement of one whole character.
    virtual std::string replace(const std::string& character) const;
};

#endif
