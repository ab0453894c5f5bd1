#include "CacheController.h"

#include <sstream>
#include <vector>

#include "FileManager.h"
#include "K7DataCtg.h"
#include "Log.h"

namespace qiv {

MemoryCache CacheController::m_memoryCache;
std::map<std::string, std::map<std::string, std::unique_ptr<CacheController::AtlasCache>>>
    CacheController::m_mCacheAtlas;
CacheController::AtlasCache CacheController::m_mCacheAtlasIndoor;
LocalCache CacheController::m_localCache(0);
std::atomic<bool> CacheController::m_isEnablelocalCache(false);
std::string CacheController::m_cid;
Settings CacheController::m_setting;
std::mutex CacheController::m_mutex;

std::string CacheController::tileRoot() { return m_setting.cacheDir + m_setting.localPath; }

std::string CacheController::globalFile() {
    return m_setting.cacheDir + m_setting.globalPath + m_cid + m_setting.globalDataExt;
}

void CacheController::setSize(uint64_t bytes) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_localCache.setSize(bytes);
}

void CacheController::setEnabled(bool enabled) { m_isEnablelocalCache = enabled; }

int CacheController::getMemory(const StringPair& key, K7DataCtg*& record) {
    std::lock_guard<std::mutex> lock(m_mutex);
    K7DataCtg* found = nullptr;
    if (m_memoryCache.get(key, found) != 0) return -1;
    if (found == nullptr) {
        m_memoryCache.erase(key);
        return -1;
    }
    record = found;
    return 0;
}

void CacheController::putMemory(const StringPair& key, K7DataCtg*& record) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_memoryCache.put(key, record);
}

bool CacheController::existMemory(const StringPair& key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_memoryCache.exist(key);
}

void CacheController::eraseMemory(const StringPair& key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_memoryCache.erase(key);
}

void CacheController::clearMemory() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_memoryCache.clear();
    for (auto& owner : m_mCacheAtlas)
        for (auto& design : owner.second) design.second->clear();
}

void CacheController::createMemoryAtlas(const std::string& owner, const std::string& design) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::unique_ptr<AtlasCache>& cache = m_mCacheAtlas[owner][design];
    if (!cache) cache.reset(new AtlasCache());
}

int CacheController::getMemoryAtlas(const std::string& owner, const std::string& design,
                                    const StringPair& key, std::vector<_TextAtlasInfo>* infos,
                                    std::vector<AtlasImage>* images, bool withPixels) {
    std::lock_guard<std::mutex> lock(m_mutex);
    AtlasCache* cache = findAtlas(owner, design);
    return cache == nullptr ? -1 : cache->get(key, infos, images, withPixels);
}

void CacheController::putMemoryAtlas(const std::string& owner, const std::string& design,
                                     const StringPair& key, const std::vector<_TextAtlasInfo>* infos,
                                     const std::vector<AtlasImage>* images) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (AtlasCache* cache = findAtlas(owner, design)) cache->put(key, infos, images);
}

bool CacheController::existAtlas(const std::string& owner, const std::string& design,
                                 const StringPair& key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    AtlasCache* cache = findAtlas(owner, design);
    return cache != nullptr && cache->exist(key);
}

void CacheController::eraseMemoryAtlas(const std::string& owner) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mCacheAtlas.erase(owner);
}

void CacheController::eraseMemoryAtlas(const std::string& owner, const std::string& design) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (AtlasCache* cache = findAtlas(owner, design)) cache->clear();
}

int CacheController::getMemoryAtlasIndoor(const StringPair& key, std::vector<_TextAtlasInfo>* infos,
                                          std::vector<AtlasImage>* images) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mCacheAtlasIndoor.get(key, infos, images, true);
}

void CacheController::putMemoryAtlasIndoor(const StringPair& key,
                                           const std::vector<_TextAtlasInfo>* infos,
                                           const std::vector<AtlasImage>* images) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mCacheAtlasIndoor.put(key, infos, images);
}

bool CacheController::existAtlasIndoor(const StringPair& key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mCacheAtlasIndoor.exist(key);
}

CacheController::AtlasCache* CacheController::findAtlas(const std::string& owner,
                                                        const std::string& design) {
    auto designs = m_mCacheAtlas.find(owner);
    if (designs == m_mCacheAtlas.end()) return nullptr;
    auto cache = designs->second.find(design);
    return cache == designs->second.end() ? nullptr : cache->second.get();
}

int CacheController::getLocalDraw(const StringPair& key, const std::string& value, char*& buffer,
                                  int* length) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_isEnablelocalCache) return -1;
    return m_localCache.get(key, value, buffer, length);
}

int CacheController::getLocalDrawRecord(const StringPair& key, const std::string& value,
                                        K7DataCtg*& record) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_isEnablelocalCache) return -1;
    char* buffer = nullptr;
    int length = 0;
    if (m_localCache.get(key, value, buffer, &length) != 0) return -1;
    auto* decoded = new K7DataCtg();
    bool decodedWhole = decoded->setBinaryBounded(buffer, static_cast<size_t>(length));
    delete[] buffer;
    if (!decodedWhole) {
        K7D_LOG_WARNING("dropping unreadable cached tile", value, "bytes", length);
        delete decoded;
        m_localCache.erase(key);
        return -1;
    }
    record = decoded;
    return 0;
}

int CacheController::putLocalDraw(const StringPair& key, const std::string& value,
                                  const char* data, int length) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_isEnablelocalCache) return -1;
    return m_localCache.put(key, value, data, length);
}

void CacheController::eraseLocalDraw(const StringPair& key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_localCache.erase(key);
}

void CacheController::clearLocalDraw() {
    std::lock_guard<std::mutex> lock(m_mutex);
    // The index goes with the files, so that removed tiles are neither read
    // nor counted against the limit any more.
    m_localCache.forget();
    FileManager::removeAll(tileRoot());
}

int CacheController::getLocalGlobal(char*& buffer, int* length) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_isEnablelocalCache || FileManager::isExist(globalFile(), nullptr) != 0) return -1;
    int read = FileManager::read(globalFile(), &buffer);
    if (read <= 0) return -1;
    *length = read;
    return 0;
}

int CacheController::putLocalGlobal(const char* data, int length) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_isEnablelocalCache) return -1;
    return FileManager::write(globalFile(), data, length);
}

void CacheController::clearLocalGlobal() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (FileManager::isExist(globalFile(), nullptr) == 0) FileManager::removeDF(globalFile());
}

void CacheController::createDirs() {
    std::lock_guard<std::mutex> lock(m_mutex);
    createPath(m_setting.localPath);
    createPath(m_setting.globalPath);
    m_localCache.setPath(tileRoot());
}

void CacheController::createPath(const std::string& relative) {
    std::string path = m_setting.cacheDir;
    if (FileManager::isExist(path + "/" + relative, nullptr) == 0) return;
    std::istringstream parts(relative);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (part.empty()) continue;
        path += "/" + part;
        FileManager::makedir(path);
    }
}

} // namespace qiv
