#include "AreaInfoBase.h"

AreaInfoBase::~AreaInfoBase() = default;
