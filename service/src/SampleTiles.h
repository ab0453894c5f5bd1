#ifndef TOLKMAPS_SERVICE_SAMPLETILES_H
#define TOLKMAPS_SERVICE_SAMPLETILES_H

#include <cstdint>
#include <string>
#include <vector>

// Generated map data for tests and load tests while no real data set is at
// hand: tiles shaped as the kit reads them, filled with wandering polylines,
// encoded with the record library. The same key always gives the same bytes.
class SampleTiles {
public:
    // One tile record: "ctg" { "ctg" { "qak" key }, "ctg" { "ctg" { "dcn" },
    // "ctg" { `lines` "ln4" polylines of `pointsPerLine` points inside the
    // tile }, "ctg" {}, "ctg" {} } }.
    static std::string tile(const std::string& quadKey, int lines, int pointsPerLine);
    // A record group ("ctg") holding one "dfn" text, as global data or a
    // background map stand-in.
    static std::string group(const std::string& name);
    // Every quad key of one level, in order ("0".."3" for level 1).
    static std::vector<std::string> keysOfLevel(int level);
    // Fills a new tile store file with the given tiles, global data,
    // background map, versions and service id.
    static void writeStore(const std::string& path, const std::string& serviceId,
                           const std::string& globalVersion, const std::string& localVersion,
                           const std::vector<std::string>& quadKeys, int lines, int pointsPerLine);
};

#endif
