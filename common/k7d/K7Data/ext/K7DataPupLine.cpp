#include "K7DataPupLine.h"

#include <type_traits>

#include "K7DataBytes.h"
#include "K7DataCoords.h"
#include "K7DataType.h"

template <typename T>
void K7DataPupLine<T>::setSize() {
    m_size = COUNT_SIZE + K7DataCoords<T>::length(m_line.getPtNum()) +
             static_cast<uint32_t>(m_text.size());
}

template <typename T>
void K7DataPupLine<T>::makeBinary(char* out) {
    K7DataBytes::store<uint32_t>(out, static_cast<uint32_t>(m_line.getPtNum()));
    out = K7DataCoords<T>::write(out + COUNT_SIZE, m_line.getLine());
    m_text.copy(out, m_text.size());
}

template <typename T>
void K7DataPupLine<T>::setMajorType() {
    if constexpr (std::is_same_v<T, int16_t>) m_majorType = K7DATA_TYPE_PUPLINE_INT16;
    if constexpr (std::is_same_v<T, uint32_t>) m_majorType = K7DATA_TYPE_PUPLINE_UINT32;
    if constexpr (std::is_same_v<T, double>) m_majorType = K7DATA_TYPE_PUPLINE_DOUBLE;
}

template <typename T>
bool K7DataPupLine<T>::decodeContent(const char* content, size_t offset, unsigned) {
    if (m_size < COUNT_SIZE) return refuseLength(offset);
    const uint32_t pointCount = K7DataBytes::load<uint32_t>(content);
    if (pointCount > K7DataCoords<T>::fitting(m_size - COUNT_SIZE)) {
        return refuse("Refused record: point count runs past the record.", offset, "points:",
                      pointCount, "length:", m_size);
    }
    const char* points = content + COUNT_SIZE;
    m_line.setCoords(K7DataCoords<T>::begin(points), K7DataCoords<T>::end(points, pointCount));
    const uint32_t textStart = COUNT_SIZE + K7DataCoords<T>::length(pointCount);
    m_text.assign(content + textStart, m_size - textStart);
    return true;
}

template <typename T>
void K7DataPupLine<T>::resetValue() {
    m_line.clear();
    m_text.clear();
}

template class K7DataPupLine<int16_t>;
template class K7DataPupLine<uint32_t>;
template class K7DataPupLine<double>;
