#ifndef TOLKMAPS_K7D_K7DATAVISIT_H
#define TOLKMAPS_K7D_K7DATAVISIT_H

#include <cstdint>

#include "K7DataBase.h"
#include "K7DataColor.h"
#include "K7DataGroup.h"
#include "K7DataImPixel.h"
#include "K7DataLine.h"
#include "K7DataNumber.h"
#include "K7DataPoint.h"
#include "K7DataPoly.h"
#include "K7DataPosition.h"
#include "K7DataPupLine.h"
#include "K7DataSimple.h"
#include "K7DataText.h"
#include "K7DataType.h"
#include "K7DataYmd.h"

// Calls `visitor` with the record as the value class of its type code. A
// record without a value (codes 0 and 33, unknown codes, or a record whose
// class does not match its code) is passed as K7DataBase.
class K7DataVisit {
public:
    template <typename Visitor>
    static decltype(auto) visit(K7DataBase& record, Visitor& visitor) {
        switch (record.getMajorType()) {
            case K7DATA_TYPE_GROUP:
                return as<K7DataGroup>(record, visitor);
            case K7DATA_TYPE_TEXT:
                return as<K7DataText>(record, visitor);
            case K7DATA_TYPE_COLOR:
                return as<K7DataColor>(record, visitor);
            case K7DATA_TYPE_POSITION_UINT16:
                return as<K7DataPosition<uint16_t>>(record, visitor);
            case K7DATA_TYPE_POSITION_UINT32:
                return as<K7DataPosition<uint32_t>>(record, visitor);
            case K7DATA_TYPE_POSITION_FLOAT:
                return as<K7DataPosition<float>>(record, visitor);
            case K7DATA_TYPE_POSITION_DOUBLE:
                return as<K7DataPosition<double>>(record, visitor);
            case K7DATA_TYPE_NUMBER_UINT8:
                return as<K7DataNumber<uint8_t>>(record, visitor);
            case K7DATA_TYPE_NUMBER_UINT16:
                return as<K7DataNumber<uint16_t>>(record, visitor);
            case K7DATA_TYPE_NUMBER_UINT32:
                return as<K7DataNumber<uint32_t>>(record, visitor);
            case K7DATA_TYPE_NUMBER_UINT64:
                return as<K7DataNumber<uint64_t>>(record, visitor);
            case K7DATA_TYPE_NUMBER_INT16:
                return as<K7DataNumber<int16_t>>(record, visitor);
            case K7DATA_TYPE_NUMBER_INT64:
                return as<K7DataNumber<int64_t>>(record, visitor);
            case K7DATA_TYPE_NUMBER_FLOAT:
                return as<K7DataNumber<float>>(record, visitor);
            case K7DATA_TYPE_VRS:
                return as<K7DataSimple<K7D_STR_VRS>>(record, visitor);
            case K7DATA_TYPE_DTY:
                return as<K7DataSimple<K7D_STR_DTY>>(record, visitor);
            case K7DATA_TYPE_CLM:
                return as<K7DataSimple<K7D_STR_CLM>>(record, visitor);
            case K7DATA_TYPE_YMD:
                return as<K7DataYmd>(record, visitor);
            case K7DATA_TYPE_IML:
                return as<K7DataSimple<K7D_STR_IML>>(record, visitor);
            case K7DATA_TYPE_DFG:
                return as<K7DataSimple<K7D_STR_DFG>>(record, visitor);
            case K7DATA_TYPE_LEY:
                return as<K7DataSimple<K7D_STR_LEY>>(record, visitor);
            case K7DATA_TYPE_IMPIXEL_UINT8:
                return as<K7DataImPixel<uint8_t>>(record, visitor);
            case K7DATA_TYPE_IMPIXEL_INT8:
                return as<K7DataImPixel<int8_t>>(record, visitor);
            case K7DATA_TYPE_IMPIXEL_UINT16:
                return as<K7DataImPixel<uint16_t>>(record, visitor);
            case K7DATA_TYPE_IMPIXEL_INT16:
                return as<K7DataImPixel<int16_t>>(record, visitor);
            case K7DATA_TYPE_POINT_UINT8:
                return as<K7DataPoint<uint8_t>>(record, visitor);
            case K7DATA_TYPE_POINT_INT16:
                return as<K7DataPoint<int16_t>>(record, visitor);
            case K7DATA_TYPE_POINT_UINT32:
                return as<K7DataPoint<uint32_t>>(record, visitor);
            case K7DATA_TYPE_POINT_DOUBLE:
                return as<K7DataPoint<double>>(record, visitor);
            case K7DATA_TYPE_LINE_INT16:
                return as<K7DataLine<int16_t>>(record, visitor);
            case K7DATA_TYPE_LINE_UINT32:
                return as<K7DataLine<uint32_t>>(record, visitor);
            case K7DATA_TYPE_LINE_DOUBLE:
                return as<K7DataLine<double>>(record, visitor);
            case K7DATA_TYPE_POLY_INT16:
                return as<K7DataPoly<int16_t>>(record, visitor);
            case K7DATA_TYPE_POLY_UINT32:
                return as<K7DataPoly<uint32_t>>(record, visitor);
            case K7DATA_TYPE_POLY_DOUBLE:
                return as<K7DataPoly<double>>(record, visitor);
            case K7DATA_TYPE_PUPLINE_INT16:
                return as<K7DataPupLine<int16_t>>(record, visitor);
            case K7DATA_TYPE_PUPLINE_UINT32:
                return as<K7DataPupLine<uint32_t>>(record, visitor);
            case K7DATA_TYPE_PUPLINE_DOUBLE:
                return as<K7DataPupLine<double>>(record, visitor);
            default:
                return visitor(record);
        }
    }

private:
    template <typename T, typename Visitor>
    static decltype(auto) as(K7DataBase& record, Visitor& visitor) {
        if (auto* typed = dynamic_cast<T*>(&record)) return visitor(*typed);
        return visitor(record);
    }
};

#endif
