#ifndef TOLKMAPS_K7D_K7DATACNR_H
#define TOLKMAPS_K7D_K7DATACNR_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "cnr": Corner radius of a label plate.
class K7DataCnr : public K7DataNamed<K7DataNumber<float>, 'c', 'n', 'r'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
