#ifndef TOLKMAPS_K7D_K7DATAQAK_H
#define TOLKMAPS_K7D_K7DATAQAK_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "qak": Quad key of a tile.
class K7DataQak : public K7DataNamed<K7DataText, 'q', 'a', 'k'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
