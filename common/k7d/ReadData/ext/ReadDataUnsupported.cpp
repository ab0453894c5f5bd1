#include "ReadDataUnsupported.h"

#include "Log.h"

ReadDataUnsupported::~ReadDataUnsupported() = default;

bool ReadDataUnsupported::read(const std::string& path, AreaInfoBase*) {
    K7D_LOG_ERROR("", "reading this data kind is not supported:", path);
    return false;
}

bool ReadDataUnsupported::setParam(K7DataCtg*) {
    K7D_LOG_ERROR("", "reading this data kind is not supported.");
    return false;
}

bool ReadDataUnsupported::getData(K7DataCtg*) {
    K7D_LOG_ERROR("", "reading this data kind is not supported.");
    return false;
}
