#ifndef TOLKMAPS_TILER_GEOSCONTEXT_H
#define TOLKMAPS_TILER_GEOSCONTEXT_H

#include <memory>
#include <string>

#include <geos_c.h>

#include "WorldBox.h"

// One GEOS context (the reentrant interface) for one thread, with owning
// geometry pointers and the last error GEOS reported.
class GeosContext {
public:
    struct Deleter {
        GEOSContextHandle_t handle;
        void operator()(GEOSGeometry* geometry) const { GEOSGeom_destroy_r(handle, geometry); }
    };
    using Geometry = std::unique_ptr<GEOSGeometry, Deleter>;

    GeosContext();
    ~GeosContext();
    GeosContext(const GeosContext&) = delete;
    GeosContext& operator=(const GeosContext&) = delete;

    GEOSContextHandle_t handle() const { return m_handle; }
    // Takes ownership of a geometry that a GEOS call returned (may be null).
    Geometry own(GEOSGeometry* geometry) const { return Geometry(geometry, Deleter{m_handle}); }
    // The geometry of an ISO WKB buffer, or null.
    Geometry fromWkb(const unsigned char* wkb, size_t size) const;
    // The bounding box; false for an empty geometry.
    bool extent(const GEOSGeometry* geometry, WorldBox& box) const;
    // A rectangle polygon.
    Geometry rectangle(const WorldBox& box) const;
    const std::string& lastError() const { return m_lastError; }

private:
    static void noteError(const char* message, void* context);

    GEOSContextHandle_t m_handle;
    GEOSWKBReader* m_wkbReader;
    std::string m_lastError;
};

#endif
