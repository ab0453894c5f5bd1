#ifndef TOLKMAPS_K7D_K7DATAANC_H
#define TOLKMAPS_K7D_K7DATAANC_H

#include "K7DataColor.h"
#include "K7DataNamed.h"

// "anc": Text colour.
class K7DataAnc : public K7DataNamed<K7DataColor, 'a', 'n', 'c'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
