#ifndef TOLKMAPS_K7D_TEXTDATACMDN_H
#define TOLKMAPS_K7D_TEXTDATACMDN_H

#include "TextDataBase.h"

// Label text clean-up: a carriage return becomes a line feed and the minus
// sign U+2212 becomes the full-width hyphen-minus U+FF0D.
class TextDataCmdn : public TextDataBase {
public:
    TextDataCmdn();
};

#endif
