#ifndef TOLKMAPS_K7D_K7DATAPGG_H
#define TOLKMAPS_K7D_K7DATAPGG_H

#include "K7DataGroup.h"
#include "K7DataNamed.h"

// "pgg": Design group of an area category.
class K7DataPgg : public K7DataNamed<K7DataGroup, 'p', 'g', 'g'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
