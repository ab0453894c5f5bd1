#ifndef TOLKMAPS_K7D_K7DATACOORDITERATOR_H
#define TOLKMAPS_K7D_K7DATACOORDITERATOR_H

#include <cstddef>
#include <iterator>

#include "GeoBasePoint.h"
#include "K7DataBytes.h"

// Walks encoded coordinates (x then y, each a little-endian T) and yields
// them as double points, so that a container fills itself straight from the
// bytes with one allocation. The range must lie inside checked bytes.
template <typename T>
class K7DataCoordIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = GeoBasePoint;
    using difference_type = std::ptrdiff_t;
    using pointer = const GeoBasePoint*;
    using reference = GeoBasePoint;

    static constexpr size_t STRIDE = 2 * sizeof(T);

    explicit K7DataCoordIterator(const char* at) : m_at(at) {}

    GeoBasePoint operator*() const {
        return GeoBasePoint(static_cast<double>(K7DataBytes::load<T>(m_at)),
                            static_cast<double>(K7DataBytes::load<T>(m_at + sizeof(T))));
    }
    K7DataCoordIterator& operator++() {
        m_at += STRIDE;
        return *this;
    }
    K7DataCoordIterator operator++(int) {
        K7DataCoordIterator before = *this;
        m_at += STRIDE;
        return before;
    }
    K7DataCoordIterator& operator--() {
        m_at -= STRIDE;
        return *this;
    }
    K7DataCoordIterator& operator+=(difference_type n) {
        m_at += n * static_cast<difference_type>(STRIDE);
        return *this;
    }
    K7DataCoordIterator& operator-=(difference_type n) { return *this += -n; }
    K7DataCoordIterator operator+(difference_type n) const { return K7DataCoordIterator(*this) += n; }
    K7DataCoordIterator operator-(difference_type n) const { return K7DataCoordIterator(*this) -= n; }
    GeoBasePoint operator[](difference_type n) const { return *(*this + n); }
    difference_type operator-(const K7DataCoordIterator& other) const {
        return (m_at - other.m_at) / static_cast<difference_type>(STRIDE);
    }
    bool operator==(const K7DataCoordIterator& other) const { return m_at == other.m_at; }
    bool operator!=(const K7DataCoordIterator& other) const { return m_at != other.m_at; }
    bool operator<(const K7DataCoordIterator& other) const { return m_at < other.m_at; }

private:
    const char* m_at;
};

#endif
