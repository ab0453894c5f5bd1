#ifndef TOLKMAPS_K7D_K7DATALBC_H
#define TOLKMAPS_K7D_K7DATALBC_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "lbc": Reader parameter.
class K7DataLbc : public K7DataNamed<K7DataNumber<uint8_t>, 'l', 'b', 'c'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
