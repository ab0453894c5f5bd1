#ifndef TOLKMAPS_K7D_K7DATACLM_H
#define TOLKMAPS_K7D_K7DATACLM_H

#include "K7DataSimple.h"
#include "K7D_STR_CLM.h"
#include "K7DataNamed.h"

// "clm": A column position and name.
class K7DataClm : public K7DataNamed<K7DataSimple<K7D_STR_CLM>, 'c', 'l', 'm'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
