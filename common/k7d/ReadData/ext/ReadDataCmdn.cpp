#include "ReadDataCmdn.h"

ReadDataCmdn::~ReadDataCmdn() = default;
