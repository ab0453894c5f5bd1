#include "IndirectK7Data.h"

IndirectK7Data::~IndirectK7Data() = default;
