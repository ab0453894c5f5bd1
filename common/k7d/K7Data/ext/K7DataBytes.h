#ifndef TOLKMAPS_K7D_K7DATABYTES_H
#define TOLKMAPS_K7D_K7DATABYTES_H

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>

// Little-endian loads and stores of the record encoding, and the rounding of
// double coordinates into the integer types that geometry records store.
// Loads and stores do not check bounds: callers check the bytes left first.
class K7DataBytes {
public:
    template <typename T>
    static T load(const char* in) {
        T value;
        std::memcpy(&value, in, sizeof(T));
        return fromLittleEndian(value);
    }

    template <typename T>
    static void store(char* out, T value) {
        value = fromLittleEndian(value);
        std::memcpy(out, &value, sizeof(T));
    }

    // Rounds half away from zero (2.5 -> 3, -2.5 -> -3) into T, clamped to
    // T's range; NaN becomes 0. Floating-point T keeps the value unchanged.
    template <typename T>
    static T roundCoord(double value) {
        if constexpr (std::is_floating_point_v<T>) {
            return static_cast<T>(value);
        } else {
            if (std::isnan(value)) return 0;
            const double rounded = value > 0.0 ? value + 0.5 : value - 0.5;
            constexpr double low = static_cast<double>(std::numeric_limits<T>::min());
            constexpr double high = static_cast<double>(std::numeric_limits<T>::max());
            if (rounded <= low) return std::numeric_limits<T>::min();
            if (rounded >= high) return std::numeric_limits<T>::max();
            return static_cast<T>(rounded);
        }
    }

private:
    // The identity on little-endian hosts, a byte swap elsewhere.
    template <typename T>
    static T fromLittleEndian(T value) {
        if constexpr (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ || sizeof(T) == 1) {
            return value;
        } else {
            char bytes[sizeof(T)];
            std::memcpy(bytes, &value, sizeof(T));
            for (size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(bytes[i], bytes[sizeof(T) - 1 - i]);
            std::memcpy(&value, bytes, sizeof(T));
            return value;
        }
    }
};

#endif
