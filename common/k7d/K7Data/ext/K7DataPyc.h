#ifndef TOLKMAPS_K7D_K7DATAPYC_H
#define TOLKMAPS_K7D_K7DATAPYC_H

#include "K7DataColor.h"
#include "K7DataNamed.h"

// "pyc": Area colour, also the fill colour of a label plate.
class K7DataPyc : public K7DataNamed<K7DataColor, 'p', 'y', 'c'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
