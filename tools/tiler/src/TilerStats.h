#ifndef TOLKMAPS_TILER_TILERSTATS_H
#define TOLKMAPS_TILER_TILERSTATS_H

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// What a run did: features read and used, features left out and why, tiles
// and bytes per level, the sizes of what went into the store, and times.
struct TilerStats {
    int64_t featuresRead = 0;
    int64_t featuresUsed = 0;
    std::map<std::string, int64_t> dropped;  // reason -> count
    // Per recipe layer: its name, features read and seconds spent cutting.
    struct LayerTime {
        std::string layer;
        int64_t features = 0;
        double seconds = 0;
    };
    std::vector<LayerTime> layers;
    std::map<int, int64_t> tilesPerLevel;
    std::map<int, int64_t> bytesPerLevel;
    int64_t backgroundTiles = 0;
    int64_t backgroundBytes = 0;
    int64_t globalDataBytes = 0;
    int64_t storeBytes = 0;
    double cutSeconds = 0;
    double writeSeconds = 0;

    void drop(const std::string& reason, int64_t count = 1) {
        if (count > 0) dropped[reason] += count;
    }
    int64_t tiles() const;
    int64_t tileBytes() const;
    // The summary printed after a run.
    void print(std::ostream& out) const;
};

#endif
