#ifndef TOLKMAPS_K7D_K7DATALNW_H
#define TOLKMAPS_K7D_K7DATALNW_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "lnw": Line width.
class K7DataLnw : public K7DataNamed<K7DataNumber<float>, 'l', 'n', 'w'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
