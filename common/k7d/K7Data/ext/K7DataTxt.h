#ifndef TOLKMAPS_K7D_K7DATATXT_H
#define TOLKMAPS_K7D_K7DATATXT_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "txt": A line of text added by a reader.
class K7DataTxt : public K7DataNamed<K7DataText, 't', 'x', 't'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
