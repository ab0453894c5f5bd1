#include "K7DataSimple.h"

template class K7DataSimple<K7D_STR_VRS>;
template class K7DataSimple<K7D_STR_DTY>;
template class K7DataSimple<K7D_STR_CLM>;
template class K7DataSimple<K7D_STR_IML>;
template class K7DataSimple<K7D_STR_DFG>;
template class K7DataSimple<K7D_STR_LEY>;
