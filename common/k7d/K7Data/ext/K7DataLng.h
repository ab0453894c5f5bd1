#ifndef TOLKMAPS_K7D_K7DATALNG_H
#define TOLKMAPS_K7D_K7DATALNG_H

#include "K7DataGroup.h"
#include "K7DataNamed.h"

// "lng": Design group of a line category.
class K7DataLng : public K7DataNamed<K7DataGroup, 'l', 'n', 'g'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
