#include "K7DataLine.h"

#include <type_traits>

#include "K7DataCoords.h"
#include "K7DataType.h"

template <typename T>
void K7DataLine<T>::setSize() {
    m_size = K7DataCoords<T>::length(m_line.getPtNum());
}

template <typename T>
void K7DataLine<T>::makeBinary(char* out) {
    K7DataCoords<T>::write(out, m_line.getLine());
}

template <typename T>
void K7DataLine<T>::setMajorType() {
    if constexpr (std::is_same_v<T, int16_t>) m_majorType = K7DATA_TYPE_LINE_INT16;
    if constexpr (std::is_same_v<T, uint32_t>) m_majorType = K7DATA_TYPE_LINE_UINT32;
    if constexpr (std::is_same_v<T, double>) m_majorType = K7DATA_TYPE_LINE_DOUBLE;
}

template <typename T>
bool K7DataLine<T>::decodeContent(const char* content, size_t offset, unsigned) {
    if (m_size % K7DataCoords<T>::STRIDE != 0) return refuseLength(offset);
    const size_t count = K7DataCoords<T>::fitting(m_size);
    m_line.setCoords(K7DataCoords<T>::begin(content), K7DataCoords<T>::end(content, count));
    return true;
}

template class K7DataLine<int16_t>;
template class K7DataLine<uint32_t>;
template class K7DataLine<double>;
