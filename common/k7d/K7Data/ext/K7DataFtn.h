#ifndef TOLKMAPS_K7D_K7DATAFTN_H
#define TOLKMAPS_K7D_K7DATAFTN_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "ftn": Font name.
class K7DataFtn : public K7DataNamed<K7DataText, 'f', 't', 'n'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
