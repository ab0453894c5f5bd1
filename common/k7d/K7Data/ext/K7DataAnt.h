#ifndef TOLKMAPS_K7D_K7DATAANT_H
#define TOLKMAPS_K7D_K7DATAANT_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "ant": Label text of a user object.
class K7DataAnt : public K7DataNamed<K7DataText, 'a', 'n', 't'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
