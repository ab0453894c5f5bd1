#include "LocalCache.h"

#include <algorithm>

#include "FileManager.h"
#include "Log.h"

namespace qiv {

namespace {

const char* const kTileFileName = "local.dat";

// The two directory names above a file path, or false when there are fewer.
bool parentNames(const std::string& file, std::string* grandParent, std::string* parent) {
    size_t fileSlash = file.rfind('/');
    if (fileSlash == std::string::npos || fileSlash == 0) return false;
    size_t parentSlash = file.rfind('/', fileSlash - 1);
    if (parentSlash == std::string::npos || parentSlash == 0) return false;
    size_t grandSlash = file.rfind('/', parentSlash - 1);
    if (grandSlash == std::string::npos) return false;
    *parent = file.substr(parentSlash + 1, fileSlash - parentSlash - 1);
    *grandParent = file.substr(grandSlash + 1, parentSlash - grandSlash - 1);
    return true;
}

bool isTileFile(const std::string& file) {
    size_t slash = file.rfind('/');
    return file.compare(slash == std::string::npos ? 0 : slash + 1, std::string::npos,
                        kTileFileName) == 0;
}

} // namespace

LocalCache::LocalCache(uint64_t limit) : LRUCache(0), m_limit(limit), m_total(0) {}

std::string LocalCache::createValue(const StringPair& key) {
    return std::to_string(key.second.size()) + "/" + key.first + "/" + key.second;
}

std::string LocalCache::tileFile(const std::string& value) const {
    return m_root + "/" + value + "/" + kTileFileName;
}

void LocalCache::setPath(const std::string& root) {
    m_root = root;
    recoverList();
}

void LocalCache::recoverList() {
    forget();
    std::vector<std::string> files;
    FileManager::fileList(m_root, &files);
    for (const std::string& file : files) {
        StringPair key;
        if (!isTileFile(file) || !parentNames(file, &key.first, &key.second)) continue;
        std::string value = createValue(key);
        // Only a file exactly where the pair's tile belongs is indexed; anything
        // else would make eviction remove the wrong directory.
        if (tileFile(value) != file || m_map.count(key) != 0) {
            K7D_LOG_WARNING("skipping stray tile file", file);
            continue;
        }
        m_list.emplace_front(key, value);
        m_map[key] = m_list.begin();
        m_total += static_cast<uint64_t>(std::max<int64_t>(0, FileManager::filesize(file)));
    }
}

void LocalCache::setSize(uint64_t bytes) {
    m_limit = bytes;
    clean();
}

int LocalCache::get(const StringPair& key, const std::string& value, char*& buffer, int* length) {
    std::string stored;
    if (LRUCache::get(key, stored) != 0) return -1;
    int read = FileManager::read(tileFile(value), &buffer);
    if (read > 0) {
        *length = read;
        return 0;
    }
    erase(key);
    return -1;
}

int LocalCache::put(const StringPair& key, const std::string& value, const char* data,
                    int length) {
    erase(key);
    if (length <= 0 || data == nullptr) return -1;
    std::string directory = m_root + "/" + value;
    FileManager::makedirs(directory);
    // Whatever lies there unindexed is overwritten: the index must describe
    // the bytes just stored.
    if (FileManager::write(tileFile(value), data, length) != 0) {
        FileManager::removeAll(directory);
        return -1;
    }
    m_total += static_cast<uint64_t>(length);
    m_list.emplace_front(key, value);
    m_map[key] = m_list.begin();
    clean();
    return 0;
}

void LocalCache::clean() {
    while (m_total > m_limit && !m_list.empty()) evictOldest();
}

void LocalCache::deleteValue(std::string& value) {
    std::string file = tileFile(value);
    int64_t size = FileManager::filesize(file);
    if (size < 0) return;
    m_total -= std::min<uint64_t>(m_total, static_cast<uint64_t>(size));
    FileManager::removeAll(m_root + "/" + value);
}

void LocalCache::clear() {
    while (!m_list.empty()) evictOldest();
    m_total = 0;
    if (m_root.empty()) return;
    FileManager::removeAll(m_root);
    FileManager::makedir(m_root);
}

void LocalCache::forget() {
    m_list.clear();
    m_map.clear();
    m_total = 0;
}

} // namespace qiv
