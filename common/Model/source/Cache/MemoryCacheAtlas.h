#ifndef TOLKMAPS_MODEL_MEMORYCACHEATLAS_H
#define TOLKMAPS_MODEL_MEMORYCACHEATLAS_H

#include <cmath>
#include <tuple>
#include <vector>

#include "FileManager.h"
#include "K7D_STR_IMPIXEL.h"
#include "LRUCache.h"
#include "StringPairHash.h"

namespace qiv {

// Label atlases by a pair of strings: the placement list of the labels and
// the square RGBA atlas images, kept zlib-compressed at the fastest level and
// decompressed only when a caller asks for pixels. `Placement` is the
// placement record of one label; an atlas image travels as the pixel value of
// an "iu1" record (records themselves are not copyable). No lock: the cache
// controller serialises.
template <typename Placement>
class MemoryCacheAtlas {
public:
    static constexpr int DEFAULT_CAPACITY = 128;
    using AtlasImage = K7D_STR_IMPIXEL<uint8_t>;

    // One atlas image: compressed bytes, compressed length, pixel byte count.
    using CompressedImage = std::tuple<char*, int, int>;
    struct AtlasEntry {
        std::vector<Placement> infos;
        std::vector<CompressedImage> images;
    };

    // Owns its entries and frees them with their compressed images.
    class AtlasCache : public LRUCache<StringPair, AtlasEntry*, StringPairHash> {
    public:
        explicit AtlasCache(int capacity) : LRUCache<StringPair, AtlasEntry*, StringPairHash>(capacity) {}
        ~AtlasCache() override { this->clear(); }
        void deleteValue(AtlasEntry*& entry) override {
            for (CompressedImage& image : entry->images) delete[] std::get<0>(image);
            delete entry;
            entry = nullptr;
        }
    };

    explicit MemoryCacheAtlas(int capacity = DEFAULT_CAPACITY) : m_cache(capacity) {}

    // Stores copies of the placements and compressed copies of the images'
    // samples under `key`, replacing any entry there.
    void put(const StringPair& key, const std::vector<Placement>* infos,
             const std::vector<AtlasImage>* images) {
        auto* entry = new AtlasEntry{*infos, {}};
        for (const AtlasImage& image : *images) {
            const std::vector<uint8_t>& samples = image.samples;
            unsigned long compressedLength = 0;
            char* compressed = nullptr;
            if (!FileManager::saveZlibMemory(samples.size(),
                                             reinterpret_cast<const char*>(samples.data()),
                                             &compressedLength, &compressed)) {
                compressed = nullptr;
                compressedLength = 0;
            }
            entry->images.emplace_back(compressed, static_cast<int>(compressedLength),
                                       static_cast<int>(samples.size()));
        }
        m_cache.put(key, entry);
    }

    // -1 when absent. Otherwise the entry becomes the most recent, `infos`
    // receives the placements and `images` one 4-channel square image per
    // atlas image; with `withPixels` the samples are restored (-1 when that
    // fails), without it they are sized but undefined.
    int get(const StringPair& key, std::vector<Placement>* infos, std::vector<AtlasImage>* images,
            bool withPixels) {
        AtlasEntry* entry = nullptr;
        if (m_cache.get(key, entry) != 0) return -1;
        *infos = entry->infos;
        images->resize(entry->images.size());
        for (size_t i = 0; i < entry->images.size(); ++i) {
            if (!restore(entry->images[i], (*images)[i], withPixels)) return -1;
        }
        return 0;
    }

    bool exist(const StringPair& key) const { return m_cache.exist(key); }
    void erase(const StringPair& key) { m_cache.erase(key); }
    void clear() { m_cache.clear(); }
    int size() const { return m_cache.size(); }

private:
    static bool restore(const CompressedImage& stored, AtlasImage& pixels, bool withPixels) {
        const int pixelBytes = std::get<2>(stored);
        pixels.samples.resize(static_cast<size_t>(pixelBytes));
        if (withPixels) {
            unsigned long length = static_cast<unsigned long>(pixelBytes);
            if (std::get<0>(stored) == nullptr ||
                !FileManager::loadZlibMemory(static_cast<unsigned long>(std::get<1>(stored)),
                                             std::get<0>(stored),
                                             &length, reinterpret_cast<char*>(pixels.samples.data())) ||
                length != static_cast<unsigned long>(pixelBytes)) {
                return false;
            }
        }
        // Atlas images are square, so the side follows from the byte count.
        const auto side = static_cast<uint16_t>(integerSquareRoot(static_cast<uint64_t>(pixelBytes / 4)));
        pixels.samplesPerPixel = 4;
        pixels.width = side;
        pixels.height = side;
        return true;
    }

    static uint64_t integerSquareRoot(uint64_t value) {
        auto root = static_cast<uint64_t>(std::sqrt(static_cast<double>(value)));
        while (root * root > value) --root;
        while ((root + 1) * (root + 1) <= value) ++root;
        return root;
    }

    AtlasCache m_cache;
};

} // namespace qiv

#endif
