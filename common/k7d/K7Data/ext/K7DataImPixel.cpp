#include "K7DataImPixel.h"

#include <cstring>
#include <type_traits>

#include "K7DataBytes.h"
#include "K7DataType.h"

template <typename T>
void K7DataImPixel<T>::setSize() {
    m_size = HEADER_SIZE + static_cast<uint32_t>(m_image.samples.size() * sizeof(T));
}

template <typename T>
void K7DataImPixel<T>::makeBinary(char* out) {
    out[0] = static_cast<char>(m_image.samplesPerPixel);
    K7DataBytes::store<uint16_t>(out + 1, m_image.width);
    K7DataBytes::store<uint16_t>(out + 3, m_image.height);
    out += HEADER_SIZE;
    for (T sample : m_image.samples) {
        K7DataBytes::store<T>(out, sample);
        out += sizeof(T);
    }
}

template <typename T>
void K7DataImPixel<T>::setMajorType() {
    if constexpr (std::is_same_v<T, uint8_t>) m_majorType = K7DATA_TYPE_IMPIXEL_UINT8;
    if constexpr (std::is_same_v<T, int8_t>) m_majorType = K7DATA_TYPE_IMPIXEL_INT8;
    if constexpr (std::is_same_v<T, uint16_t>) m_majorType = K7DATA_TYPE_IMPIXEL_UINT16;
    if constexpr (std::is_same_v<T, int16_t>) m_majorType = K7DATA_TYPE_IMPIXEL_INT16;
}

template <typename T>
bool K7DataImPixel<T>::decodeContent(const char* content, size_t offset, unsigned) {
    if (m_size < HEADER_SIZE || (m_size - HEADER_SIZE) % sizeof(T) != 0) return refuseLength(offset);
    m_image.samplesPerPixel = static_cast<uint8_t>(content[0]);
    m_image.width = K7DataBytes::load<uint16_t>(content + 1);
    m_image.height = K7DataBytes::load<uint16_t>(content + 3);
    const size_t count = (m_size - HEADER_SIZE) / sizeof(T);
    if (count < m_image.expectedSamples()) {
        return refuse("Refused record: pixel image shorter than its header says.", offset, "samples:",
                      count, "expected:", m_image.expectedSamples());
    }
    const char* in = content + HEADER_SIZE;
    m_image.samples.resize(count);
    if constexpr (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ || sizeof(T) == 1) {
        if (count != 0) std::memcpy(m_image.samples.data(), in, count * sizeof(T));
    } else {
        for (T& sample : m_image.samples) {
            sample = K7DataBytes::load<T>(in);
            in += sizeof(T);
        }
    }
    return true;
}

template class K7DataImPixel<uint8_t>;
template class K7DataImPixel<int8_t>;
template class K7DataImPixel<uint16_t>;
template class K7DataImPixel<int16_t>;
