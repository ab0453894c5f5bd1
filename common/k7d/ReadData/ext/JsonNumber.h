#ifndef TOLKMAPS_K7D_JSONNUMBER_H
#define TOLKMAPS_K7D_JSONNUMBER_H

#include <picojson.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <type_traits>

// Puts JSON numbers (doubles) into record fields. 8- and 16-bit fields take
// the double truncated toward zero to a signed 32-bit integer and keep its
// low bits (300 gives 44 and -1 gives 255 in a uint8). 32- and 64-bit integer
// fields take the double truncated toward zero; float fields take it rounded
// to single precision; double fields take it unchanged. A double outside the
// range of the truncation is refused with std::range_error. A value that is
// not a number, and an array shorter than asked for, throw std::runtime_error.
class JsonNumber {
public:
    template <typename T>
    static T toField(double value) {
        if constexpr (std::is_same_v<T, double>) {
            return value;
        } else if constexpr (std::is_same_v<T, float>) {
            return static_cast<float>(limited(value, -kFloatMax, kFloatMax));
        } else if constexpr (sizeof(T) <= 2) {
            return static_cast<T>(static_cast<int32_t>(truncated(value, -0x1p31, 0x1p31)));
        } else if constexpr (std::is_signed_v<T>) {
            const double limit = sizeof(T) == 8 ? 0x1p63 : 0x1p31;
            return static_cast<T>(truncated(value, -limit, limit));
        } else {
            return static_cast<T>(truncated(value, 0.0, sizeof(T) == 8 ? 0x1p64 : 0x1p32));
        }
    }

    // Element `index` of an array value, which must exist.
    static const picojson::value& element(const picojson::value& array, size_t index);
    // Element `index` of an array value as a field of type T.
    template <typename T>
    static T field(const picojson::value& array, size_t index) {
        return toField<T>(element(array, index).get<double>());
    }

private:
    static constexpr double kFloatMax = 3.4028234663852886e38;

    // `value` truncated toward zero when that lies in [low, high);
    // std::range_error otherwise.
    static double truncated(double value, double low, double high);
    // `value` when it lies in [low, high]; std::range_error otherwise.
    static double limited(double value, double low, double high);
    [[noreturn]] static void outOfRange(double value);
};

#endif
