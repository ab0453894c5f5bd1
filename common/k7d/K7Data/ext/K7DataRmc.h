#ifndef TOLKMAPS_K7D_K7DATARMC_H
#define TOLKMAPS_K7D_K7DATARMC_H

#include "K7DataColor.h"
#include "K7DataNamed.h"

// "rmc": Border colour of a label plate.
class K7DataRmc : public K7DataNamed<K7DataColor, 'r', 'm', 'c'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
