#ifndef TOLKMAPS_K7D_K7DATADFP_H
#define TOLKMAPS_K7D_K7DATADFP_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "dfp": Display-flag position of a point design: 0 for none, else 1 to 5.
class K7DataDfp : public K7DataNamed<K7DataNumber<uint8_t>, 'd', 'f', 'p'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
