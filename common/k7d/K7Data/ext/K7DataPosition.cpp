#include "K7DataPosition.h"

#include <type_traits>

#include "K7DataBytes.h"
#include "K7DataType.h"

template <typename T>
void K7DataPosition<T>::makeBinary(char* out) {
    K7DataBytes::store<T>(out, m_position.x);
    K7DataBytes::store<T>(out + sizeof(T), m_position.y);
}

template <typename T>
void K7DataPosition<T>::setMajorType() {
    if constexpr (std::is_same_v<T, uint16_t>) m_majorType = K7DATA_TYPE_POSITION_UINT16;
    if constexpr (std::is_same_v<T, uint32_t>) m_majorType = K7DATA_TYPE_POSITION_UINT32;
    if constexpr (std::is_same_v<T, float>) m_majorType = K7DATA_TYPE_POSITION_FLOAT;
    if constexpr (std::is_same_v<T, double>) m_majorType = K7DATA_TYPE_POSITION_DOUBLE;
}

template <typename T>
bool K7DataPosition<T>::decodeContent(const char* content, size_t offset, unsigned) {
    if (m_size != SIZE) return refuseLength(offset);
    m_position.x = K7DataBytes::load<T>(content);
    m_position.y = K7DataBytes::load<T>(content + sizeof(T));
    return true;
}

template class K7DataPosition<uint16_t>;
template class K7DataPosition<uint32_t>;
template class K7DataPosition<float>;
template class K7DataPosition<double>;
