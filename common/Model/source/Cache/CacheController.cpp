#include "CacheController.h"

#include <sstream>
#include <vector>

#include "FileManager.h"
#include "K7DataCtg.h"
#include "Log.h"

namespace qiv {

MemoryCache CacheController::m_memoryCache;
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
