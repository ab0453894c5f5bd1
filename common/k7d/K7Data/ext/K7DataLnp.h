#ifndef TOLKMAPS_K7D_K7DATALNP_H
#define TOLKMAPS_K7D_K7DATALNP_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "lnp": Line pattern.
class K7DataLnp : public K7DataNamed<K7DataText, 'l', 'n', 'p'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
