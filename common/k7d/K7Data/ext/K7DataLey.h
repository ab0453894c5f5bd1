#ifndef TOLKMAPS_K7D_K7DATALEY_H
#define TOLKMAPS_K7D_K7DATALEY_H

#include "K7DataSimple.h"
#include "K7D_STR_LEY.h"
#include "K7DataNamed.h"

// "ley": Line end settings.
class K7DataLey : public K7DataNamed<K7DataSimple<K7D_STR_LEY>, 'l', 'e', 'y'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
