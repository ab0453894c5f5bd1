#ifndef TOLKMAPS_TILER_SOURCELAYER_H
#define TOLKMAPS_TILER_SOURCELAYER_H

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include "GeosContext.h"
#include "SourceFeature.h"

// Raised when an input cannot be opened or read.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One layer of an OGR source (shapefile, OpenStreetMap file, GeoJSON,
// GeoPackage, ...) read feature by feature, filtered by an attribute filter,
// reprojected to WGS84 and then put on the world plane.
class SourceLayer {
public:
    // Throws SourceError when the source, the layer or the filter is bad.
    SourceLayer(const std::string& path, const std::string& layerName, const std::string& where);

    // The number of features that pass the filter (may read the whole layer).
    int64_t count();
    // The next feature whose geometry converts, or nothing at the end.
    // Features without a usable geometry are skipped and counted in
    // `skipped`.
    std::optional<SourceFeature> next(GeosContext& geos, int64_t& skipped);

private:
    std::optional<SourceFeature> convert(GeosContext& geos, OGRFeatureUniquePtr feature);

    GDALDatasetUniquePtr m_dataset;
    OGRLayer* m_layer = nullptr;
    OGRSpatialReference m_wgs84;
    std::unique_ptr<OGRCoordinateTransformation> m_toWgs84;
};

#endif
