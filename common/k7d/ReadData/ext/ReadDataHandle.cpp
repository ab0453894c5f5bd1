#include "ReadDataHandle.h"

#include "ReadDataCmdn.h"
#include "ReadDataDesign.h"
#include "ReadDataGDAL.h"
#include "ReadDataHrl.h"
#include "ReadDataJson.h"
#include "ReadDataK7Binary.h"
#include "ReadDataMaster.h"
#include "ReadDataTextFile.h"

ReadDataHandle::ReadDataHandle(DATA_TYPE type, uint16_t) : HandleBase(makeReader(type)) {}

ReadDataHandle::~ReadDataHandle() = default;

std::shared_ptr<ReadDataBase> ReadDataHandle::makeReader(DATA_TYPE type) {
    switch (type) {
        case DATA_TYPE_JSON:
            return std::make_shared<ReadDataJson>();
        case DATA_TYPE_GDAL:
            return std::make_shared<ReadDataGDAL>();
        case DATA_TYPE_MASTER:
            return std::make_shared<ReadDataMaster>();
        case DATA_TYPE_CMDN:
            return std::make_shared<ReadDataCmdn>();
        case DATA_TYPE_HRL:
            return std::make_shared<ReadDataHrl>();
        case DATA_TYPE_DESIGN:
            return std::make_shared<ReadDataDesign>();
        case DATA_TYPE_TEXTFILE:
            return std::make_shared<ReadDataTextFile>();
        default:
            return std::make_shared<ReadDataK7Binary>();
    }
}
