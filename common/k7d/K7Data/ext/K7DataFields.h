#ifndef TOLKMAPS_K7D_K7DATAFIELDS_H
#define TOLKMAPS_K7D_K7DATAFIELDS_H

#include <cstddef>
#include <cstdint>

#include "K7DataBytes.h"

// Fixed arrays of little-endian fields, the layout of the small structures.
class K7DataFields {
public:
    template <typename T, size_t N>
    static void load(const char* in, T (&fields)[N]) {
        for (size_t i = 0; i < N; ++i) fields[i] = K7DataBytes::load<T>(in + i * sizeof(T));
    }

    template <typename T, size_t N>
    static void store(char* out, const T (&fields)[N]) {
        for (size_t i = 0; i < N; ++i) K7DataBytes::store<T>(out + i * sizeof(T), fields[i]);
    }

    template <typename T, size_t N>
    static bool equal(const T (&a)[N], const T (&b)[N]) {
        for (size_t i = 0; i < N; ++i) {
            if (a[i] != b[i]) return false;
        }
        return true;
    }
};

#endif
