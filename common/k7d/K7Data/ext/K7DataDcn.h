#ifndef TOLKMAPS_K7D_K7DATADCN_H
#define TOLKMAPS_K7D_K7DATADCN_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "dcn": Design name.
class K7DataDcn : public K7DataNamed<K7DataText, 'd', 'c', 'n'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
