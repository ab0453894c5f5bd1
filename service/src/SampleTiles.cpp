#include "SampleTiles.h"

#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataDfn.h"
#include "K7DataLn4.h"
#include "K7DataQak.h"
#include "TileStore.h"

#include <algorithm>

namespace {

// Small deterministic generator (64-bit linear congruential).
class Wander {
public:
    explicit Wander(const std::string& seed) {
        for (char c : seed) m_state = m_state * 1099511628211ULL + static_cast<unsigned char>(c);
    }
    double next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 53);
    }

private:
    uint64_t m_state = 1469598103934665603ULL;
};

template <typename Record>
Record* textRecord(const std::string& text) {
    auto* record = new Record();
    record->editContents() = text;
    return record;
}

// The world square of a quad key: x east, y north, 0 to 2^32.
void tileBounds(const std::string& quadKey, double& west, double& south, double& side) {
    west = 0;
    south = 0;
    side = 4294967296.0;
    for (char digit : quadKey) {
        side /= 2;
        int d = digit - '0';
        if (d & 1) west += side;
        if (d & 2) south += side;
    }
}

K7DataLn4* wanderingLine(Wander& wander, double west, double south, double side, int points) {
    auto* line = new K7DataLn4();
    double x = west + wander.next() * side;
    double y = south + wander.next() * side;
    const double step = side / 64;
    for (int i = 0; i < points; ++i) {
        x = std::min(std::max(x + (wander.next() - 0.5) * step, west), west + side - 1);
        y = std::min(std::max(y + (wander.next() - 0.5) * step, south), south + side - 1);
        line->editContents().addCoord(x, y);
    }
    return line;
}

std::string encode(K7DataBase& record) {
    uint32_t length = record.getSizeAll();
    return std::string(record.getBinary(), length);
}

}  // namespace

std::string SampleTiles::tile(const std::string& quadKey, int lines, int pointsPerLine) {
    K7DataCtg tile;
    auto* header = new K7DataCtg();
    header->addContents(textRecord<K7DataQak>(quadKey));
    tile.addContents(header);

    auto* content = new K7DataCtg();
    auto* names = new K7DataCtg();
    names->addContents(textRecord<K7DataDcn>("sample"));
    content->addContents(names);
    auto* roads = new K7DataCtg();
    Wander wander(quadKey);
    double west, south, side;
    tileBounds(quadKey, west, south, side);
    for (int i = 0; i < lines; ++i) roads->addContents(wanderingLine(wander, west, south, side, pointsPerLine));
    content->addContents(roads);
    content->addContents(new K7DataCtg());
    content->addContents(new K7DataCtg());
    tile.addContents(content);
    return encode(tile);
}

std::string SampleTiles::group(const std::string& name) {
    K7DataCtg group;
    group.addContents(textRecord<K7DataDfn>(name));
    return encode(group);
}

std::vector<std::string> SampleTiles::keysOfLevel(int level) {
    std::vector<std::string> keys{""};
    for (int i = 0; i < level; ++i) {
        std::vector<std::string> deeper;
        for (const std::string& key : keys)
            for (char digit : std::string("0123")) deeper.push_back(key + digit);
        keys.swap(deeper);
    }
    return keys;
}

void SampleTiles::writeStore(const std::string& path, const std::string& serviceId,
                             const std::string& globalVersion, const std::string& localVersion,
                             const std::vector<std::string>& quadKeys, int lines, int pointsPerLine) {
    TileStore store(path, TileStore::Mode::ReadWrite);
    store.beginTransaction();
    store.setServiceId(serviceId);
    store.setVersions(globalVersion, localVersion);
    store.setGlobalData(group("global"));
    store.setBackgroundMap(group("background"));
    for (const std::string& key : quadKeys) store.putTile(key, tile(key, lines, pointsPerLine));
    store.commit();
}
