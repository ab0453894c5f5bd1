#ifndef TOLKMAPS_K7D_K7DATAVRS_H
#define TOLKMAPS_K7D_K7DATAVRS_H

#include "K7DataSimple.h"
#include "K7D_STR_VRS.h"
#include "K7DataNamed.h"

// "vrs": A three-part version.
class K7DataVrs : public K7DataNamed<K7DataSimple<K7D_STR_VRS>, 'v', 'r', 's'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
