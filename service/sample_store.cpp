// tolkmaps-sample-store: writes a tile store of generated tiles, for load
// tests and trials while no real data set is at hand.

#include "SampleTiles.h"
#include "TileStore.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 6) {
        fprintf(stderr,
                "usage: tolkmaps-sample-store STORE [LEVEL [LINES [POINTS [SERVICE_ID]]]]\n"
                "Writes every tile of LEVEL (default 5) with LINES polylines (default 40)\n"
                "of POINTS points (default 60) into a new tile store.\n");
        return 2;
    }
    try {
        const std::string path = argv[1];
        const int level = argc > 2 ? std::stoi(argv[2]) : 5;
        const int lines = argc > 3 ? std::stoi(argv[3]) : 40;
        const int points = argc > 4 ? std::stoi(argv[4]) : 60;
        const std::string serviceId = argc > 5 ? argv[5] : "sample";
        if (level < 1 || level > 10 || lines < 0 || points < 1) {
            fprintf(stderr, "tolkmaps-sample-store: LEVEL 1 to 10, LINES >= 0, POINTS >= 1\n");
            return 2;
        }
        const auto keys = SampleTiles::keysOfLevel(level);
        SampleTiles::writeStore(path, serviceId, "1.0.0", "1.0.0", keys, lines, points);
        printf("%s: %zu tiles of %zu bytes, service id %s\n", path.c_str(), keys.size(),
               SampleTiles::tile(keys.front(), lines, points).size(), serviceId.c_str());
        return 0;
    } catch (const std::exception& error) {
        fprintf(stderr, "tolkmaps-sample-store: %s\n", error.what());
        return 1;
    }
}
