#ifndef TOLKMAPS_K7D_K7DATARMW_H
#define TOLKMAPS_K7D_K7DATARMW_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "rmw": Border width of a label plate.
class K7DataRmw : public K7DataNamed<K7DataNumber<uint8_t>, 'r', 'm', 'w'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
