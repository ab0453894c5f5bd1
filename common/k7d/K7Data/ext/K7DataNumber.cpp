#include "K7DataNumber.h"

#include <type_traits>

#include "K7DataBytes.h"
#include "K7DataType.h"

template <typename T>
void K7DataNumber<T>::makeBinary(char* out) {
    K7DataBytes::store<T>(out, m_number);
}

template <typename T>
void K7DataNumber<T>::setMajorType() {
    if constexpr (std::is_same_v<T, uint8_t>) m_majorType = K7DATA_TYPE_NUMBER_UINT8;
    if constexpr (std::is_same_v<T, uint16_t>) m_majorType = K7DATA_TYPE_NUMBER_UINT16;
    if constexpr (std::is_same_v<T, uint32_t>) m_majorType = K7DATA_TYPE_NUMBER_UINT32;
    if constexpr (std::is_same_v<T, uint64_t>) m_majorType = K7DATA_TYPE_NUMBER_UINT64;
    if constexpr (std::is_same_v<T, int16_t>) m_majorType = K7DATA_TYPE_NUMBER_INT16;
    if constexpr (std::is_same_v<T, int64_t>) m_majorType = K7DATA_TYPE_NUMBER_INT64;
    if constexpr (std::is_same_v<T, float>) m_majorType = K7DATA_TYPE_NUMBER_FLOAT;
}

template <typename T>
bool K7DataNumber<T>::decodeContent(const char* content, size_t offset, unsigned) {
    if (m_size != sizeof(T)) return refuseLength(offset);
    m_number = K7DataBytes::load<T>(content);
    return true;
}

template class K7DataNumber<uint8_t>;
template class K7DataNumber<uint16_t>;
template class K7DataNumber<uint32_t>;
template class K7DataNumber<uint64_t>;
template class K7DataNumber<int16_t>;
template class K7DataNumber<int64_t>;
template class K7DataNumber<float>;
