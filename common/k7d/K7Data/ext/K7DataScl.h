#ifndef TOLKMAPS_K7D_K7DATASCL_H
#define TOLKMAPS_K7D_K7DATASCL_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "scl": Scale level of a design.
class K7DataScl : public K7DataNamed<K7DataNumber<uint8_t>, 's', 'c', 'l'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
