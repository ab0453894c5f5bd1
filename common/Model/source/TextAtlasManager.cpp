#include "TextAtlasManager.h"

#include <algorithm>
#include <mutex>

#include "CacheController.h"
#include "DesignRecord.h"
#include "K7DataGroup.h"
#include "Log.h"
#include "TextAtlasCreator.h"
#include "ThreadPool.h"

namespace qiv {

namespace {

// Children of a tile's data group: the language header first, the label
// records fourth; an indoor floor f is child f + 1.
constexpr size_t LANGUAGE_SECTION = 0;
constexpr size_t LABEL_SECTION = 3;

bool contains(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

TextAtlasManager::TextAtlasManager(const std::string& name)
    : m_name(name), m_pool(std::make_unique<ThreadPool>(WORKERS)) {}

TextAtlasManager::~TextAtlasManager() {
    m_pool.reset();
    releaseAllInFlight();
}

std::string TextAtlasManager::indoorKey(const std::string& key, int floor) {
    return key + "_" + std::to_string(floor);
}

void TextAtlasManager::getAtlas(const std::string& design, const std::vector<std::string>& keys,
                                AtlasPlacementMap& infos, AtlasImageMap& images,
                                const std::vector<std::string>& withPixels) const {
    std::lock_guard<std::mutex> lock(g_mutexAtlasCache);
    for (const std::string& key : keys) {
        std::vector<_TextAtlasInfo> placements;
        std::vector<AtlasImage> atlas;
        if (CacheController::getMemoryAtlas(m_name, design, {design, key}, &placements, &atlas,
                                            contains(withPixels, key)) != 0) {
            continue;
        }
        infos[key] = std::move(placements);
        images[key] = std::move(atlas);
    }
}

void TextAtlasManager::getIndoorAtlas(const std::string& design, const std::vector<std::string>& keys, int floor,
                                      AtlasPlacementMap& infos, AtlasImageMap& images) const {
    std::lock_guard<std::mutex> lock(g_mutexAtlasCache);
    for (const std::string& key : keys) {
        std::vector<_TextAtlasInfo> placements;
        std::vector<AtlasImage> atlas;
        if (CacheController::getMemoryAtlasIndoor({design, indoorKey(key, floor)}, &placements, &atlas) != 0) {
            continue;
        }
        infos[key] = std::move(placements);
        images[key] = std::move(atlas);
    }
}

int TextAtlasManager::getAtlasRequest(const std::string& design, const std::vector<std::string>& missing,
                                      const std::map<std::string, K7DataGroup*>& tiles) {
    int scheduled = 0;
    for (const auto& [key, tile] : tiles) {
        if (!contains(missing, key) || !markInFlight(design, key)) continue;
        K7DataGroup* data = dataGroup(tile);
        const std::vector<std::string> languages =
            TextAtlasCreator::languageCodes(data ? DesignRecord::child(*data, LANGUAGE_SECTION) : nullptr);
        auto creator = std::make_shared<TextAtlasCreator>(m_name, design, key, copySection(tile, LABEL_SECTION),
                                                          m_fontPath);
        m_pool->enqueue([creator, languages] { creator->create(languages); });
        ++scheduled;
    }
    return scheduled;
}

int TextAtlasManager::getIndoorAtlasRequest(const std::string& design, int floor,
                                            const std::map<std::string, int>& floors,
                                            const std::map<std::string, K7DataGroup*>& tiles) {
    int scheduled = 0;
    for (const auto& [key, tile] : tiles) {
        const auto index = floors.find(key);
        if (index == floors.end() || index->second < 0) continue;
        if (!markInFlight(design, indoorKey(key, floor))) continue;
        auto creator = std::make_shared<TextAtlasCreator>(
            m_name, design, key, copySection(tile, static_cast<size_t>(index->second) + 1), m_fontPath);
        m_pool->enqueue([creator, floor] { creator->createIndoor(floor); });
        ++scheduled;
    }
    return scheduled;
}

bool TextAtlasManager::markInFlight(const std::string& design, const std::string& atlasKey) const {
    const AtlasInFlight entry{m_name, design, atlasKey};
    std::lock_guard<std::mutex> lock(g_mutexAtlasList);
    if (std::find(g_threadListAtlas.begin(), g_threadListAtlas.end(), entry) != g_threadListAtlas.end()) {
        return false;
    }
    g_threadListAtlas.push_back(entry);
    return true;
}

void TextAtlasManager::releaseAllInFlight() const {
    std::lock_guard<std::mutex> lock(g_mutexAtlasList);
    g_threadListAtlas.erase(std::remove_if(g_threadListAtlas.begin(), g_threadListAtlas.end(),
                                           [this](const AtlasInFlight& entry) { return std::get<0>(entry) == m_name; }),
                            g_threadListAtlas.end());
}

K7DataGroup* TextAtlasManager::dataGroup(K7DataGroup* tile) {
    return tile ? DesignRecord::child(*tile, 1) : nullptr;
}

std::shared_ptr<K7DataGroup> TextAtlasManager::copySection(K7DataGroup* tile, size_t index) {
    K7DataGroup* data = dataGroup(tile);
    K7DataGroup* section = data ? DesignRecord::child(*data, index) : nullptr;
    if (!section) return nullptr;
    const char* bytes = section->getBinary();
    auto copy = std::make_shared<K7DataGroup>();
    const bool whole = copy->setBinaryBounded(bytes, section->getSizeAll());
    section->clear();
    if (!whole) {
        K7D_LOG_ERROR("Label records could not be copied. index:", index);
        return nullptr;
    }
    return copy;
}

}  // namespace qiv
