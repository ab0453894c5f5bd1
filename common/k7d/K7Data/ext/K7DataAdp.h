#ifndef TOLKMAPS_K7D_K7DATAADP_H
#define TOLKMAPS_K7D_K7DATAADP_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "adp": Text position.
class K7DataAdp : public K7DataNamed<K7DataNumber<uint8_t>, 'a', 'd', 'p'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
