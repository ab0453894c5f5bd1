#ifndef TOLKMAPS_K7D_K7DATAANS_H
#define TOLKMAPS_K7D_K7DATAANS_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "ans": Text size.
class K7DataAns : public K7DataNamed<K7DataNumber<uint16_t>, 'a', 'n', 's'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
