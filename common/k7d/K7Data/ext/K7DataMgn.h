#ifndef TOLKMAPS_K7D_K7DATAMGN_H
#define TOLKMAPS_K7D_K7DATAMGN_H

#include <cstdint>

#include "K7DataPosition.h"
#include "K7DataNamed.h"

// "mgn": Margin of a label plate (x, y).
class K7DataMgn : public K7DataNamed<K7DataPosition<uint16_t>, 'm', 'g', 'n'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
