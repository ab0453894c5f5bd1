#ifndef TOLKMAPS_K7D_K7DATACOORDS_H
#define TOLKMAPS_K7D_K7DATACOORDS_H

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "GeoBasePoint.h"
#include "K7DataBytes.h"
#include "K7DataCoordIterator.h"

// Coordinate codec of the geometry records: each point is x then y, each a
// little-endian T. Integer T takes the coordinates rounded half away from
// zero (clamped to T's range); double T takes them unchanged.
template <typename T>
class K7DataCoords {
public:
    static constexpr uint32_t STRIDE = 2 * sizeof(T);

    // Encoded length of `count` points.
    static uint32_t length(size_t count) { return static_cast<uint32_t>(count * STRIDE); }
    // How many whole points fit into `bytes`.
    static size_t fitting(size_t bytes) { return bytes / STRIDE; }

    // Points decoded from `count` encoded points at `in`, which must be checked bytes.
    static K7DataCoordIterator<T> begin(const char* in) { return K7DataCoordIterator<T>(in); }
    static K7DataCoordIterator<T> end(const char* in, size_t count) {
        return K7DataCoordIterator<T>(in + count * STRIDE);
    }

    static char* write(char* out, double x, double y) {
        K7DataBytes::store<T>(out, K7DataBytes::roundCoord<T>(x));
        K7DataBytes::store<T>(out + sizeof(T), K7DataBytes::roundCoord<T>(y));
        return out + STRIDE;
    }

    template <typename Point>
    static char* write(char* out, const std::vector<Point>& points) {
        for (const Point& point : points) out = write(out, point.x(), point.y());
        return out;
    }
};

#endif
