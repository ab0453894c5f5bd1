#ifndef TOLKMAPS_MODEL_IDATASOURCE_H
#define TOLKMAPS_MODEL_IDATASOURCE_H

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qiv {

// Raw tile bytes by quad key: each buffer allocated with new[] and its length.
// Whoever receives the map frees every buffer with delete[].
using ReceivedTiles = std::map<std::string, std::pair<char*, int>>;

// Where tile bytes and the global data come from: the map service or files
// installed with the application. Results are 0 or -1; returned buffers are
// allocated with new[] and belong to the caller.
class IDataSource {
public:
    virtual ~IDataSource() = default;

    // The tiles of `keys` into `received`, each still in its tile record.
    virtual int getDrawData(const std::vector<std::string>& keys, ReceivedTiles* received) = 0;
    // One tile.
    virtual int getDrawData(const std::string& key, char** buffer, int* length) = 0;
    // The global data as stored: a gzip stream.
    virtual int getGlobalData(char** buffer, int* length) = 0;
    // 1 when the tile holds map content, 0 when not, -1 when unknown.
    virtual int checkMapArea(const std::string& key) = 0;

    // Stores a buffer under `key`, freeing one stored there before.
    static void putReceived(ReceivedTiles* received, const std::string& key, char* buffer,
                            int length) {
        auto found = received->find(key);
        if (found != received->end()) delete[] found->second.first;
        (*received)[key] = std::make_pair(buffer, length);
    }
    // Frees every buffer of `received` and empties it.
    static void freeReceived(ReceivedTiles* received) {
        for (auto& part : *received) delete[] part.second.first;
        received->clear();
    }
};

} // namespace qiv

#endif
