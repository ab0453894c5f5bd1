#ifndef TOLKMAPS_K7D_K7DATADFN_H
#define TOLKMAPS_K7D_K7DATADFN_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "dfn": Name of a design set.
class K7DataDfn : public K7DataNamed<K7DataText, 'd', 'f', 'n'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
