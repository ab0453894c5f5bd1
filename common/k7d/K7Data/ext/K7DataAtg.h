#ifndef TOLKMAPS_K7D_K7DATAATG_H
#define TOLKMAPS_K7D_K7DATAATG_H

#include "K7DataGroup.h"
#include "K7DataNamed.h"

// "atg": Design group of a point category.
class K7DataAtg : public K7DataNamed<K7DataGroup, 'a', 't', 'g'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
