#include "GeosContext.h"

GeosContext::GeosContext() : m_handle(GEOS_init_r()), m_wkbReader(nullptr) {
    GEOSContext_setErrorMessageHandler_r(m_handle, &GeosContext::noteError, this);
    GEOSContext_setNoticeMessageHandler_r(m_handle, nullptr, nullptr);
    m_wkbReader = GEOSWKBReader_create_r(m_handle);
}

GeosContext::~GeosContext() {
    GEOSWKBReader_destroy_r(m_handle, m_wkbReader);
    GEOS_finish_r(m_handle);
}

void GeosContext::noteError(const char* message, void* context) {
    static_cast<GeosContext*>(context)->m_lastError = message ? message : "";
}

GeosContext::Geometry GeosContext::fromWkb(const unsigned char* wkb, size_t size) const {
    return own(GEOSWKBReader_read_r(m_handle, m_wkbReader, wkb, size));
}

bool GeosContext::extent(const GEOSGeometry* geometry, WorldBox& box) const {
    if (GEOSisEmpty_r(m_handle, geometry) != 0) return false;
    return GEOSGeom_getExtent_r(m_handle, geometry, &box.west, &box.south, &box.east, &box.north) != 0;
}

GeosContext::Geometry GeosContext::rectangle(const WorldBox& box) const {
    return own(GEOSGeom_createRectangle_r(m_handle, box.west, box.south, box.east, box.north));
}
