#ifndef TOLKMAPS_K7D_K7DATAASP_H
#define TOLKMAPS_K7D_K7DATAASP_H

#include <cstdint>

#include "K7DataNumber.h"
#include "K7DataNamed.h"

// "asp": Horizontal spread of a label text.
class K7DataAsp : public K7DataNamed<K7DataNumber<float>, 'a', 's', 'p'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
