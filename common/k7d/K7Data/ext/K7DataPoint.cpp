#include "K7DataPoint.h"

#include <type_traits>

#include "K7DataCoords.h"
#include "K7DataType.h"

template <typename T>
void K7DataPoint<T>::makeBinary(char* out) {
    K7DataCoords<T>::write(out, m_point.x(), m_point.y());
}

template <typename T>
void K7DataPoint<T>::setMajorType() {
    if constexpr (std::is_same_v<T, uint8_t>) m_majorType = K7DATA_TYPE_POINT_UINT8;
    if constexpr (std::is_same_v<T, int16_t>) m_majorType = K7DATA_TYPE_POINT_INT16;
    if constexpr (std::is_same_v<T, uint32_t>) m_majorType = K7DATA_TYPE_POINT_UINT32;
    if constexpr (std::is_same_v<T, double>) m_majorType = K7DATA_TYPE_POINT_DOUBLE;
}

template <typename T>
bool K7DataPoint<T>::decodeContent(const char* content, size_t offset, unsigned) {
    if (m_size != SIZE) return refuseLength(offset);
    m_point = *K7DataCoords<T>::begin(content);
    return true;
}

template class K7DataPoint<uint8_t>;
template class K7DataPoint<int16_t>;
template class K7DataPoint<uint32_t>;
template class K7DataPoint<double>;
