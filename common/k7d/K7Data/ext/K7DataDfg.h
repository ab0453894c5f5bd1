#ifndef TOLKMAPS_K7D_K7DATADFG_H
#define TOLKMAPS_K7D_K7DATADFG_H

#include "K7DataSimple.h"
#include "K7D_STR_DFG.h"
#include "K7DataNamed.h"

// "dfg": Display flags of a point feature.
class K7DataDfg : public K7DataNamed<K7DataSimple<K7D_STR_DFG>, 'd', 'f', 'g'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
