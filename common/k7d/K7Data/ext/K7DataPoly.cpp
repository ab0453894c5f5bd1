#include "K7DataPoly.h"

#include <type_traits>
#include <vector>

#include "K7DataBytes.h"
#include "K7DataCoords.h"
#include "K7DataType.h"

template <typename T>
void K7DataPoly<T>::setSize() {
    uint32_t size = COUNT_SIZE;
    if (!isEmpty()) {
        for (const GeoBasePoly::Ring& ring : m_poly.getPoly()) {
            size += COUNT_SIZE + K7DataCoords<T>::length(ring.size());
        }
    }
    m_size = size;
}

template <typename T>
void K7DataPoly<T>::makeBinary(char* out) {
    if (isEmpty()) {
        K7DataBytes::store<uint32_t>(out, 0);
        return;
    }
    const std::vector<GeoBasePoly::Ring>& rings = m_poly.getPoly();
    K7DataBytes::store<uint32_t>(out, static_cast<uint32_t>(rings.size()));
    out += COUNT_SIZE;
    for (const GeoBasePoly::Ring& ring : rings) {
        K7DataBytes::store<uint32_t>(out, static_cast<uint32_t>(ring.size()));
        out = K7DataCoords<T>::write(out + COUNT_SIZE, ring);
    }
}

template <typename T>
void K7DataPoly<T>::setMajorType() {
    if constexpr (std::is_same_v<T, uint8_t>) m_majorType = K7DATA_TYPE_POLY_UINT8;
    if constexpr (std::is_same_v<T, int16_t>) m_majorType = K7DATA_TYPE_POLY_INT16;
    if constexpr (std::is_same_v<T, uint32_t>) m_majorType = K7DATA_TYPE_POLY_UINT32;
    if constexpr (std::is_same_v<T, double>) m_majorType = K7DATA_TYPE_POLY_DOUBLE;
}

template <typename T>
bool K7DataPoly<T>::decodeContent(const char* content, size_t offset, unsigned) {
    if (m_size < COUNT_SIZE) return refuseLength(offset);
    const uint32_t ringCount = K7DataBytes::load<uint32_t>(content);
    if (ringCount > (m_size - COUNT_SIZE) / COUNT_SIZE) {
        return refuse("Refused record: ring count runs past the record.", offset, "rings:", ringCount,
                      "length:", m_size);
    }
    m_poly.clear();
    uint32_t position = COUNT_SIZE;
    for (uint32_t r = 0; r < ringCount; ++r) {
        if (m_size - position < COUNT_SIZE) {
            return refuse("Refused record: ring count runs past the record.", offset + position,
                          "rings:", ringCount, "ring:", r);
        }
        const uint32_t pointCount = K7DataBytes::load<uint32_t>(content + position);
        position += COUNT_SIZE;
        if (pointCount > K7DataCoords<T>::fitting(m_size - position)) {
            return refuse("Refused record: point count runs past the record.",
                          offset + position - COUNT_SIZE, "points:", pointCount, "ring:", r);
        }
        const char* points = content + position;
        if (r > 0) m_poly.addPoly();
        m_poly.addCoords(K7DataCoords<T>::begin(points), K7DataCoords<T>::end(points, pointCount));
        position += K7DataCoords<T>::length(pointCount);
    }
    if (position != m_size) {
        return refuse("Refused record: bytes left after the last ring.", offset + position,
                      "bytes left:", m_size - position);
    }
    return true;
}

template class K7DataPoly<uint8_t>;
template class K7DataPoly<int16_t>;
template class K7DataPoly<uint32_t>;
template class K7DataPoly<double>;
