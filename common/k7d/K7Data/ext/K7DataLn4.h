#ifndef TOLKMAPS_K7D_K7DATALN4_H
#define TOLKMAPS_K7D_K7DATALN4_H

#include <cstdint>

#include "K7DataLine.h"
#include "K7DataNamed.h"

// "ln4": Polyline coordinates stored as uint32.
class K7DataLn4 : public K7DataNamed<K7DataLine<uint32_t>, 'l', 'n', '4'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
