#include "ReadDataGDAL.h"

ReadDataGDAL::~ReadDataGDAL() = default;
