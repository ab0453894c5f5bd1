#ifndef TOLKMAPS_TESTS_K7DATASAMPLETREES_H
#define TOLKMAPS_TESTS_K7DATASAMPLETREES_H

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "K7DataColor.h"
#include "K7DataCtg.h"
#include "K7DataFactory.h"
#include "K7DataImPixel.h"
#include "K7DataLine.h"
#include "K7DataNumber.h"
#include "K7DataPoint.h"
#include "K7DataPoly.h"
#include "K7DataPosition.h"
#include "K7DataPupLine.h"
#include "K7DataSimple.h"
#include "K7DataTagTable.h"
#include "K7DataText.h"
#include "K7DataType.h"
#include "K7DataYmd.h"

// Record trees with a value in every field, shared by the codec tests and
// the fuzz seed corpus.

template <typename Record>
inline Record& as(K7DataBase& record) {
    auto* typed = dynamic_cast<Record*>(&record);
    EXPECT_NE(typed, nullptr) << record.getType() << " code " << record.getMajorType();
    return *typed;
}

template <typename T>
inline void fillNumber(K7DataBase& record, T value) {
    as<K7DataNumber<T>>(record).editContents() = value;
}

template <typename T>
inline void fillPosition(K7DataBase& record, T x, T y) {
    as<K7DataPosition<T>>(record).editContents() = {x, y};
}

template <typename T>
inline void fillPixels(K7DataBase& record) {
    K7D_STR_IMPIXEL<T>& image = as<K7DataImPixel<T>>(record).editContents();
    image.samplesPerPixel = 2;
    image.width = 3;
    image.height = 1;
    image.samples = {1, static_cast<T>(-2), 3, 4, 5, 100};
}

template <typename Geometry>
inline void fillLine(Geometry& line) {
    line.addCoord(1, 2);
    line.addCoord(300, 400);
    line.addCoord(7, 9);
}

template <typename T>
inline void fillPoly(K7DataBase& record) {
    GeoDataPoly& poly = as<K7DataPoly<T>>(record).editContents();
    fillLine(poly);
    poly.addPoly();
    poly.addCoord(10, 11);
}

template <typename T>
inline void fillPupLine(K7DataBase& record) {
    auto& pup = as<K7DataPupLine<T>>(record);
    fillLine(pup.editContents());
    pup.editText() = "pup text";
}

// Gives the record of any type code a value that uses every field.
inline void fillValue(K7DataBase& record) {
    switch (record.getMajorType()) {
        case K7DATA_TYPE_UND: return;
        case K7DATA_TYPE_GROUP: {
            auto& group = as<K7DataGroup>(record);
            auto* text = new K7DataText();
            text->setType("dcn");
            text->editContents() = "child";
            group.addContents(text);
            return;
        }
        case K7DATA_TYPE_TEXT: as<K7DataText>(record).editContents() = "road \xE9\x81\x93"; return;
        case K7DATA_TYPE_COLOR: as<K7DataColor>(record).editContents() = {1, 2, 250, 255}; return;
        case K7DATA_TYPE_POSITION_UINT16: fillPosition<uint16_t>(record, 65535, 3); return;
        case K7DATA_TYPE_POSITION_UINT32: fillPosition<uint32_t>(record, 4000000000u, 3); return;
        case K7DATA_TYPE_POSITION_FLOAT: fillPosition<float>(record, 1.25f, -3.5f); return;
        case K7DATA_TYPE_POSITION_DOUBLE: fillPosition<double>(record, 1.0 / 3, -2.5); return;
        case K7DATA_TYPE_NUMBER_UINT8: fillNumber<uint8_t>(record, 250); return;
        case K7DATA_TYPE_NUMBER_UINT16: fillNumber<uint16_t>(record, 65000); return;
        case K7DATA_TYPE_NUMBER_UINT32: fillNumber<uint32_t>(record, 4000000000u); return;
        case K7DATA_TYPE_NUMBER_UINT64: fillNumber<uint64_t>(record, 1ull << 60); return;
        case K7DATA_TYPE_NUMBER_INT16: fillNumber<int16_t>(record, -1234); return;
        case K7DATA_TYPE_NUMBER_INT64: fillNumber<int64_t>(record, -(1ll << 50)); return;
        case K7DATA_TYPE_NUMBER_FLOAT: fillNumber<float>(record, 2.75f); return;
        case K7DATA_TYPE_VRS: as<K7DataSimple<K7D_STR_VRS>>(record).editContents() = {{1, 2, 3}}; return;
        case K7DATA_TYPE_DTY: as<K7DataSimple<K7D_STR_DTY>>(record).editContents() = {{513, 65535}}; return;
        case K7DATA_TYPE_CLM: as<K7DataSimple<K7D_STR_CLM>>(record).editContents() = {7, "name"}; return;
        case K7DATA_TYPE_YMD: {
            const char date[] = "20261211";
            std::memcpy(as<K7DataYmd>(record).editContents().data(), date, 8);
            return;
        }
        case K7DATA_TYPE_IML: as<K7DataSimple<K7D_STR_IML>>(record).editContents() = {1, 2, 300, 4}; return;
        case K7DATA_TYPE_DFG: as<K7DataSimple<K7D_STR_DFG>>(record).editContents().flag[3] = true; return;
        case K7DATA_TYPE_LEY: as<K7DataSimple<K7D_STR_LEY>>(record).editContents() = {{0, 1, 2}}; return;
        case K7DATA_TYPE_IMPIXEL_UINT8: fillPixels<uint8_t>(record); return;
        case K7DATA_TYPE_IMPIXEL_INT8: fillPixels<int8_t>(record); return;
        case K7DATA_TYPE_IMPIXEL_UINT16: fillPixels<uint16_t>(record); return;
        case K7DATA_TYPE_IMPIXEL_INT16: fillPixels<int16_t>(record); return;
        case K7DATA_TYPE_POINT_INT16: as<K7DataPoint<int16_t>>(record).editContents().setCoord(-5, 6); return;
        case K7DATA_TYPE_POINT_UINT32: as<K7DataPoint<uint32_t>>(record).editContents().setCoord(5, 6); return;
        case K7DATA_TYPE_POINT_DOUBLE: as<K7DataPoint<double>>(record).editContents().setCoord(0.1, -6); return;
        case K7DATA_TYPE_LINE_INT16: fillLine(as<K7DataLine<int16_t>>(record).editContents()); return;
        case K7DATA_TYPE_LINE_UINT32: fillLine(as<K7DataLine<uint32_t>>(record).editContents()); return;
        case K7DATA_TYPE_LINE_DOUBLE: fillLine(as<K7DataLine<double>>(record).editContents()); return;
        case K7DATA_TYPE_POLY_INT16: fillPoly<int16_t>(record); return;
        case K7DATA_TYPE_POLY_UINT32: fillPoly<uint32_t>(record); return;
        case K7DATA_TYPE_POLY_DOUBLE: fillPoly<double>(record); return;
        case K7DATA_TYPE_PUPLINE_INT16: fillPupLine<int16_t>(record); return;
        case K7DATA_TYPE_PUPLINE_UINT32: fillPupLine<uint32_t>(record); return;
        case K7DATA_TYPE_PUPLINE_DOUBLE: fillPupLine<double>(record); return;
        default: FAIL() << "no value for code " << record.getMajorType();
    }
}

// A "ctg" holding one filled record of every tag in the table.
inline std::unique_ptr<K7DataCtg> everyTag() {
    auto root = std::make_unique<K7DataCtg>();
    for (const auto& [tag, code] : K7DataTagTable::byName()) {
        K7DataBase* child = K7DataFactory::create(tag.c_str());
        EXPECT_EQ(child->getMajorType(), code) << tag;
        fillValue(*child);
        root->addContents(child);
    }
    return root;
}

#endif
