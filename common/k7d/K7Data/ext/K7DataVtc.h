#ifndef TOLKMAPS_K7D_K7DATAVTC_H
#define TOLKMAPS_K7D_K7DATAVTC_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "vtc": Writing direction.
class K7DataVtc : public K7DataNamed<K7DataNumber<uint8_t>, 'v', 't', 'c'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
