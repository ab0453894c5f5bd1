#include "ReadDataMaster.h"

ReadDataMaster::~ReadDataMaster() = default;

bool ReadDataMaster::read(const std::string&, AreaInfoBase*) {
    return false;
}

bool ReadDataMaster::setParam(K7DataCtg*) {
    return false;
}

bool ReadDataMaster::getData(K7DataCtg*) {
    return false;
}
