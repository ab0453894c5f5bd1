#ifndef TOLKMAPS_K7D_K7D_STR_POSITION_H
#define TOLKMAPS_K7D_K7D_STR_POSITION_H

// A position or offset: x then y, each a T.
template <typename T>
struct K7D_STR_POSITION {
    T x = 0;
    T y = 0;

    bool operator==(const K7D_STR_POSITION& other) const { return x == other.x && y == other.y; }
    bool operator!=(const K7D_STR_POSITION& other) const { return !(*this == other); }
};

#endif
