#ifndef TOLKMAPS_K7D_K7DATACTG_H
#define TOLKMAPS_K7D_K7DATACTG_H

#include "K7DataGroup.h"
#include "K7DataNamed.h"

// "ctg": Category group: a tile payload, the global data, a design set and the groups inside them.
class K7DataCtg : public K7DataNamed<K7DataGroup, 'c', 't', 'g'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
