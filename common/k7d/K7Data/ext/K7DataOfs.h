#ifndef TOLKMAPS_K7D_K7DATAOFS_H
#define TOLKMAPS_K7D_K7DATAOFS_H

#include <cstdint>

#include "K7DataPosition.h"
#include "K7DataNamed.h"

// "ofs": Offset of a design (x, y).
class K7DataOfs : public K7DataNamed<K7DataPosition<double>, 'o', 'f', 's'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
