#ifndef TOLKMAPS_K7D_K7DATAUND_H
#define TOLKMAPS_K7D_K7DATAUND_H

#include "K7DataBase.h"
#include "K7DataNamed.h"

// "und": A record without a value.
class K7DataUnd : public K7DataNamed<K7DataBase, 'u', 'n', 'd'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
