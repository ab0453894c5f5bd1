#ifndef TOLKMAPS_TESTS_TILEBYTES_H
#define TOLKMAPS_TESTS_TILEBYTES_H

#include <string>

// The encoded bytes of a minimal tile record holding its quad key ("qak" in
// its head group), as the map service sends one tile.
std::string tileBytes(const std::string& quadKey);

#endif
