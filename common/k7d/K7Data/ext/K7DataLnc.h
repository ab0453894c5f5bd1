#ifndef TOLKMAPS_K7D_K7DATALNC_H
#define TOLKMAPS_K7D_K7DATALNC_H

#include "K7DataColor.h"
#include "K7DataNamed.h"

// "lnc": Line colour.
class K7DataLnc : public K7DataNamed<K7DataColor, 'l', 'n', 'c'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
