#ifndef TOLKMAPS_K7D_K7DATAIML_H
#define TOLKMAPS_K7D_K7DATAIML_H

#include "K7DataSimple.h"
#include "K7D_STR_IML.h"
#include "K7DataNamed.h"

// "iml": Place of an image in an atlas.
class K7DataIml : public K7DataNamed<K7DataSimple<K7D_STR_IML>, 'i', 'm', 'l'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
