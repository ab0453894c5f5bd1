#ifndef TOLKMAPS_K7D_K7DATAICN_H
#define TOLKMAPS_K7D_K7DATAICN_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "icn": Icon number.
class K7DataIcn : public K7DataNamed<K7DataNumber<uint16_t>, 'i', 'c', 'n'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
