#include "ReadDataHrl.h"

ReadDataHrl::~ReadDataHrl() = default;
