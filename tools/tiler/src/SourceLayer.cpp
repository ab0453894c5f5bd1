#include "SourceLayer.h"

#include <vector>

#include "WorldProjection.h"

namespace {

void registerDrivers() {
    static const bool registered = [] {
        GDALAllRegister();
        CPLSetConfigOption("CPL_LOG", "/dev/null");
        return true;
    }();
    (void)registered;
}

int toWorld(double* x, double* y, void*) {
    *x = WorldProjection::x(*x);
    *y = WorldProjection::y(*y);
    return 1;
}

}  // namespace

SourceLayer::SourceLayer(const std::string& path, const std::string& layerName, const std::string& where) {
    registerDrivers();
    CPLErrorReset();
    m_dataset.reset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (!m_dataset) {
        const std::string reason = CPLGetLastErrorMsg();
        throw SourceError("cannot open input " + path + ": " +
                          (reason.empty() ? "missing, unreadable or in no format GDAL reads" : reason));
    }
    m_layer = layerName.empty() ? m_dataset->GetLayer(0) : m_dataset->GetLayerByName(layerName.c_str());
    if (!m_layer) throw SourceError("input " + path + " has no layer \"" + layerName + "\"");
    if (!where.empty() && m_layer->SetAttributeFilter(where.c_str()) != OGRERR_NONE)
        throw SourceError("input " + path + ": bad filter \"" + where + "\": " + CPLGetLastErrorMsg());
    m_wgs84.SetWellKnownGeogCS("WGS84");
    m_wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const OGRSpatialReference* source = m_layer->GetSpatialRef();
    if (source && !source->IsSame(&m_wgs84)) {
        OGRSpatialReference sourceCopy(*source);
        sourceCopy.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        m_toWgs84.reset(OGRCreateCoordinateTransformation(&sourceCopy, &m_wgs84));
        if (!m_toWgs84) throw SourceError("input " + path + ": no transformation to WGS84");
    }
    m_layer->ResetReading();
}

int64_t SourceLayer::count() {
    const int64_t features = m_layer->GetFeatureCount(TRUE);
    m_layer->ResetReading();
    return features;
}

std::optional<SourceFeature> SourceLayer::next(GeosContext& geos, int64_t& skipped) {
    while (OGRFeature* raw = m_layer->GetNextFeature()) {
        auto feature = convert(geos, OGRFeatureUniquePtr(raw));
        if (feature) return feature;
        ++skipped;
    }
    return std::nullopt;
}

std::optional<SourceFeature> SourceLayer::convert(GeosContext& geos, OGRFeatureUniquePtr feature) {
    OGRGeometry* geometry = feature->GetGeometryRef();
    if (!geometry || geometry->IsEmpty()) return std::nullopt;
    std::unique_ptr<OGRGeometry> linear(geometry->hasCurveGeometry() ? geometry->getLinearGeometry()
                                                                      : geometry->clone());
    linear->flattenTo2D();
    const auto kind = SourceFeature::kindOf(linear->getGeometryType());
    if (kind == SourceFeature::NONE) return std::nullopt;
    if (m_toWgs84 && linear->transform(m_toWgs84.get()) != OGRERR_NONE) return std::nullopt;
    std::vector<unsigned char> wkb(linear->WkbSize());
    linear->exportToWkb(wkbNDR, wkb.data(), wkbVariantIso);
    auto parsed = geos.fromWkb(wkb.data(), wkb.size());
    if (!parsed) return std::nullopt;
    auto world = geos.own(GEOSGeom_transformXY_r(geos.handle(), parsed.get(), &toWorld, nullptr));
    if (!world) return std::nullopt;
    return SourceFeature(std::move(feature), std::move(world), kind);
}
