#include "K7DataFactory.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "K7DataAdp.h"
#include "K7DataAnc.h"
#include "K7DataAns.h"
#include "K7DataAnt.h"
#include "K7DataAsl.h"
#include "K7DataAsp.h"
#include "K7DataAtg.h"
#include "K7DataClm.h"
#include "K7DataCnr.h"
#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataDfg.h"
#include "K7DataDfn.h"
#include "K7DataDfp.h"
#include "K7DataDtp.h"
#include "K7DataDty.h"
#include "K7DataFtn.h"
#include "K7DataIcn.h"
#include "K7DataIml.h"
#include "K7DataIu1.h"
#include "K7DataLbc.h"
#include "K7DataLey.h"
#include "K7DataLgt.h"
#include "K7DataLn4.h"
#include "K7DataLnc.h"
#include "K7DataLng.h"
#include "K7DataLnp.h"
#include "K7DataLnw.h"
#include "K7DataMgn.h"
#include "K7DataOfs.h"
#include "K7DataPgg.h"
#include "K7DataPyc.h"
#include "K7DataQak.h"
#include "K7DataRmc.h"
#include "K7DataRmw.h"
#include "K7DataScl.h"
#include "K7DataTxt.h"
#include "K7DataUnd.h"
#include "K7DataVrs.h"
#include "K7DataVtc.h"
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
#include "K7DataTagTable.h"
#include "K7DataText.h"
#include "K7DataType.h"
#include "K7DataYmd.h"

namespace {

using Maker = K7DataBase* (*)();

template <typename Record>
K7DataBase* make() {
    return new Record();
}

// The named classes by tag.
std::vector<std::pair<uint32_t, Maker>> buildNamedMakers() {
    const std::pair<const char*, Maker> named[] = {
        {K7DataCtg::tag(), make<K7DataCtg>},
        {K7DataAtg::tag(), make<K7DataAtg>},
        {K7DataLng::tag(), make<K7DataLng>},
        {K7DataPgg::tag(), make<K7DataPgg>},
        {K7DataAnt::tag(), make<K7DataAnt>},
        {K7DataDcn::tag(), make<K7DataDcn>},
        {K7DataDfn::tag(), make<K7DataDfn>},
        {K7DataDtp::tag(), make<K7DataDtp>},
        {K7DataFtn::tag(), make<K7DataFtn>},
        {K7DataLgt::tag(), make<K7DataLgt>},
        {K7DataLnp::tag(), make<K7DataLnp>},
        {K7DataQak::tag(), make<K7DataQak>},
        {K7DataTxt::tag(), make<K7DataTxt>},
        {K7DataAnc::tag(), make<K7DataAnc>},
        {K7DataLnc::tag(), make<K7DataLnc>},
        {K7DataPyc::tag(), make<K7DataPyc>},
        {K7DataRmc::tag(), make<K7DataRmc>},
        {K7DataMgn::tag(), make<K7DataMgn>},
        {K7DataOfs::tag(), make<K7DataOfs>},
        {K7DataAdp::tag(), make<K7DataAdp>},
        {K7DataDfp::tag(), make<K7DataDfp>},
        {K7DataLbc::tag(), make<K7DataLbc>},
        {K7DataRmw::tag(), make<K7DataRmw>},
        {K7DataScl::tag(), make<K7DataScl>},
        {K7DataVtc::tag(), make<K7DataVtc>},
        {K7DataAns::tag(), make<K7DataAns>},
        {K7DataIcn::tag(), make<K7DataIcn>},
        {K7DataAsl::tag(), make<K7DataAsl>},
        {K7DataAsp::tag(), make<K7DataAsp>},
        {K7DataCnr::tag(), make<K7DataCnr>},
        {K7DataLnw::tag(), make<K7DataLnw>},
        {K7DataIu1::tag(), make<K7DataIu1>},
        {K7DataLn4::tag(), make<K7DataLn4>},
        {K7DataVrs::tag(), make<K7DataVrs>},
        {K7DataDty::tag(), make<K7DataDty>},
        {K7DataClm::tag(), make<K7DataClm>},
        {K7DataIml::tag(), make<K7DataIml>},
        {K7DataDfg::tag(), make<K7DataDfg>},
        {K7DataLey::tag(), make<K7DataLey>},
        {K7DataUnd::tag(), make<K7DataUnd>},
    };
    std::vector<std::pair<uint32_t, Maker>> makers;
    for (const auto& [tag, maker] : named) makers.emplace_back(K7DataTagTable::key(tag), maker);
    std::sort(makers.begin(), makers.end());
    return makers;
}

Maker findNamedMaker(uint32_t key) {
    static const std::vector<std::pair<uint32_t, Maker>> makers = buildNamedMakers();
    const auto found = std::lower_bound(makers.begin(), makers.end(), key,
                                        [](const auto& entry, uint32_t wanted) { return entry.first < wanted; });
    return found != makers.end() && found->first == key ? found->second : nullptr;
}

}  // namespace

K7DataBase* K7DataFactory::create(const char* tag) {
    const Maker named = findNamedMaker(K7DataTagTable::key(tag));
    K7DataBase* record = named != nullptr ? named() : createByCode(K7DataTagTable::find(tag));
    record->setType(tag);
    return record;
}

K7DataBase* K7DataFactory::createByCode(int32_t code) {
    switch (code) {
        case K7DATA_TYPE_GROUP: return new K7DataGroup();
        case K7DATA_TYPE_TEXT: return new K7DataText();
        case K7DATA_TYPE_COLOR: return new K7DataColor();
        case K7DATA_TYPE_POSITION_UINT16: return new K7DataPosition<uint16_t>();
        case K7DATA_TYPE_POSITION_UINT32: return new K7DataPosition<uint32_t>();
        case K7DATA_TYPE_POSITION_FLOAT: return new K7DataPosition<float>();
        case K7DATA_TYPE_POSITION_DOUBLE: return new K7DataPosition<double>();
        case K7DATA_TYPE_NUMBER_UINT8: return new K7DataNumber<uint8_t>();
        case K7DATA_TYPE_NUMBER_UINT16: return new K7DataNumber<uint16_t>();
        case K7DATA_TYPE_NUMBER_UINT32: return new K7DataNumber<uint32_t>();
        case K7DATA_TYPE_NUMBER_UINT64: return new K7DataNumber<uint64_t>();
        case K7DATA_TYPE_NUMBER_INT16: return new K7DataNumber<int16_t>();
        case K7DATA_TYPE_NUMBER_INT64: return new K7DataNumber<int64_t>();
        case K7DATA_TYPE_NUMBER_FLOAT: return new K7DataNumber<float>();
        case K7DATA_TYPE_VRS: return new K7DataSimple<K7D_STR_VRS>();
        case K7DATA_TYPE_DTY: return new K7DataSimple<K7D_STR_DTY>();
        case K7DATA_TYPE_CLM: return new K7DataSimple<K7D_STR_CLM>();
        case K7DATA_TYPE_YMD: return new K7DataYmd();
        case K7DATA_TYPE_IML: return new K7DataSimple<K7D_STR_IML>();
        case K7DATA_TYPE_DFG: return new K7DataSimple<K7D_STR_DFG>();
        case K7DATA_TYPE_LEY: return new K7DataSimple<K7D_STR_LEY>();
        case K7DATA_TYPE_IMPIXEL_UINT8: return new K7DataImPixel<uint8_t>();
        case K7DATA_TYPE_IMPIXEL_INT8: return new K7DataImPixel<int8_t>();
        case K7DATA_TYPE_IMPIXEL_UINT16: return new K7DataImPixel<uint16_t>();
        case K7DATA_TYPE_IMPIXEL_INT16: return new K7DataImPixel<int16_t>();
        case K7DATA_TYPE_POINT_UINT8: return new K7DataPoint<uint8_t>();
        case K7DATA_TYPE_POINT_INT16: return new K7DataPoint<int16_t>();
        case K7DATA_TYPE_POINT_UINT32: return new K7DataPoint<uint32_t>();
        case K7DATA_TYPE_POINT_DOUBLE: return new K7DataPoint<double>();
        case K7DATA_TYPE_LINE_INT16: return new K7DataLine<int16_t>();
        case K7DATA_TYPE_LINE_UINT32: return new K7DataLine<uint32_t>();
        case K7DATA_TYPE_LINE_DOUBLE: return new K7DataLine<double>();
        case K7DATA_TYPE_POLY_INT16: return new K7DataPoly<int16_t>();
        case K7DATA_TYPE_POLY_UINT32: return new K7DataPoly<uint32_t>();
        case K7DATA_TYPE_POLY_DOUBLE: return new K7DataPoly<double>();
        case K7DATA_TYPE_PUPLINE_INT16: return new K7DataPupLine<int16_t>();
        case K7DATA_TYPE_PUPLINE_UINT32: return new K7DataPupLine<uint32_t>();
        case K7DATA_TYPE_PUPLINE_DOUBLE: return new K7DataPupLine<double>();
        default: return new K7DataUnd();
    }
}
