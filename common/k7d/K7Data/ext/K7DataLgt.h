#ifndef TOLKMAPS_K7D_K7DATALGT_H
#define TOLKMAPS_K7D_K7DATALGT_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "lgt": Language type.
class K7DataLgt : public K7DataNamed<K7DataText, 'l', 'g', 't'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
