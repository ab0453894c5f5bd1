#ifndef TOLKMAPS_K7D_K7DATADTP_H
#define TOLKMAPS_K7D_K7DATADTP_H

#include "K7DataText.h"
#include "K7DataNamed.h"

// "dtp": Font file path of a label style.
class K7DataDtp : public K7DataNamed<K7DataText, 'd', 't', 'p'> {
public:
    using K7DataNamed::K7DataNamed;
};

#endif
