#ifndef TOLKMAPS_K7D_K7DATAASL_H
#define TOLKMAPS_K7D_K7DATAASL_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "asl": Lower limit of the horizontal spread of a label text.
class K7DataAsl : public K7DataNamed<K7DataNumber<float>, 'a', 's', 'l'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
