#ifndef TOLKMAPS_K7D_K7DATAIU1_H
#define TOLKMAPS_K7D_K7DATAIU1_H

#include <cstdint>

#include "K7DataImPixel.h"
#include "K7DataNamed.h"

// "iu1": Image pixels, 8-bit samples.
class K7DataIu1 : public K7DataNamed<K7DataImPixel<uint8_t>, 'i', 'u', '1'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
