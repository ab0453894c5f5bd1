// Feeds arbitrary bytes as a run of label rectangles to the occupancy
// bitmap: each 12 bytes are x, y (signed 16-bit, so rectangles reach far
// outside), w, h (unsigned 16-bit) and an angle (float, any value including
// infinities and NaN). Every rectangle is checked and, when free, marked; a
// rectangle just marked must then be reported as taken, and the bitmap must
// keep its size.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "MaskArea.h"

namespace {

constexpr uint32_t kWidth = 96;
constexpr uint32_t kHeight = 64;
constexpr size_t kRecord = 12;

template <typename T>
T read(const uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof(T));
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MaskArea area(kWidth, kHeight);
    for (size_t at = 0; at + kRecord <= size; at += kRecord) {
        const int32_t x = read<int16_t>(data + at);
        const int32_t y = read<int16_t>(data + at + 2);
        const uint32_t w = read<uint16_t>(data + at + 4);
        const uint32_t h = read<uint16_t>(data + at + 6);
        const double angle = read<float>(data + at + 8);
        if (!area.check(x, y, w, h, angle)) continue;
        area.mask(x, y, w, h, angle);
        // A rectangle of some size inside the bitmap, once marked, is taken,
        // however it is turned.
        const bool inside = x >= 0 && y >= 0 && static_cast<uint32_t>(x) + w < kWidth &&
                            static_cast<uint32_t>(y) + h < kHeight && w >= 2 && h >= 2 &&
                            std::isfinite(angle);
        if (inside && area.check(x, y, w, h, angle)) std::abort();
    }
    if (area.rowCount() != kHeight || area.row(kHeight - 1).size() != kWidth) std::abort();
    return 0;
}
