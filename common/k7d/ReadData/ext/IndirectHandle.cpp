#include "IndirectHandle.h"

#include "IndirectK7DataMaster.h"

IndirectHandle::IndirectHandle(DATA_TYPE) : HandleBase(std::make_shared<IndirectK7DataMaster>()) {}

IndirectHandle::~IndirectHandle() = default;
