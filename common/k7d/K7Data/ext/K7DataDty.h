#ifndef TOLKMAPS_K7D_K7DATADTY_H
#define TOLKMAPS_K7D_K7DATADTY_H

#include "K7DataSimple.h"
#include "K7D_STR_DTY.h"
#include "K7DataNamed.h"

// "dty": Two 16-bit values of a data type.
class K7DataDty : public K7DataNamed<K7DataSimple<K7D_STR_DTY>, 'd', 't', 'y'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
