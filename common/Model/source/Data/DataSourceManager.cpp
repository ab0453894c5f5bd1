#include "DataSourceManager.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "CacheController.h"
#include "FileManager.h"
#include "K7DataCtg.h"
#include "LocalCache.h"
#include "Log.h"
#include "ThreadPool.h"
#include "UnitConvertor.h"
#include "opensslthreadlock.h"

namespace qiv {

// Tiles whose fetch is queued or running, as (service id, quad key), across
// all managers; guarded by g_mutexList. g_mutexCache makes look-up-then-fill
// and fill-then-store on the caches atomic. The two are never held together.
std::vector<StringPair> g_threadList;
std::mutex g_mutexList;
std::mutex g_mutexCache;

namespace {

const int kServiceMode = 1;

void removeOnce(std::vector<StringPair>* list, const StringPair& pair) {
    auto found = std::find(list->begin(), list->end(), pair);
    if (found != list->end()) list->erase(found);
}

} // namespace

DataSourceManager::DataSourceManager(int threads)
    : m_mode(kServiceMode),
      m_dataSource(&m_serverSource),
      m_thPool(new ThreadPool(static_cast<unsigned>(std::max(0, threads)))),
      m_div(0) {
    thread_setup();
}

DataSourceManager::~DataSourceManager() {
    m_thPool.reset();
    {
        std::lock_guard<std::mutex> lock(g_mutexList);
        for (const StringPair& pair : m_inFlight) removeOnce(&g_threadList, pair);
    }
    thread_cleanup();
}

void DataSourceManager::setInitParams(int mode, const Settings& settings, const std::string& cid,
                                      int division, const std::string& localVersion,
                                      const std::string& globalVersion) {
    m_mode = mode;
    m_setting = settings;
    m_cid = cid;
    m_div = division;
    m_dataSource = mode != 0 ? static_cast<IDataSource*>(&m_serverSource) : &m_localSource;
    m_localSource.m_setting = settings;
    m_serverSource.setParams(settings, cid, division, localVersion, globalVersion);
}

K7DataCtg* DataSourceManager::getData(const std::string& key) {
    K7DataCtg* record = nullptr;
    return getDrawDataCache(key, record) == 0 ? record : nullptr;
}

void DataSourceManager::getData(const std::vector<std::string>& keys,
                                std::map<std::string, K7DataCtg*>* tiles) {
    for (const std::string& key : keys) {
        K7DataCtg* record = nullptr;
        if (getDrawDataCache(key, record) == 0) (*tiles)[key] = record;
    }
}

int DataSourceManager::getDrawDataCache(const std::string& key, K7DataCtg*& record) {
    std::lock_guard<std::mutex> lock(g_mutexCache);
    const StringPair pair = cacheKey(key);
    if (CacheController::getMemory(pair, record) == 0) return 0;
    K7DataCtg* decoded = nullptr;
    if (CacheController::getLocalDrawRecord(pair, LocalCache::createValue(pair), decoded) != 0)
        return -1;
    CacheController::putMemory(pair, decoded);
    record = decoded;
    return 0;
}

bool DataSourceManager::inMemory(const std::string& key) const {
    return CacheController::existMemory(cacheKey(key));
}

void DataSourceManager::getDataRequest(const std::vector<std::string>& keys) {
    FetchJob job{nullptr, m_mode, m_cid, {}};
    {
        std::lock_guard<std::mutex> lock(g_mutexList);
        for (const std::string& key : keys) {
            const StringPair pair = cacheKey(key);
            if (std::find(g_threadList.begin(), g_threadList.end(), pair) != g_threadList.end())
                continue;
            job.keys.push_back(key);
            g_threadList.push_back(pair);
            m_inFlight.push_back(pair);
        }
    }
    if (job.keys.empty()) return;
    job.source = sourceSnapshot();
    m_thPool->enqueue([this, job] {
        getDrawDataSource(job);
        endInFlight(job);
    });
}

std::shared_ptr<IDataSource> DataSourceManager::sourceSnapshot() const {
    if (m_dataSource == &m_serverSource) return std::make_shared<ServerDataSource>(m_serverSource);
    return std::make_shared<LocalDataSource>(m_localSource);
}

void DataSourceManager::getDrawDataSource(const FetchJob& job) {
    ReceivedTiles received;
    if (job.source->getDrawData(job.keys, &received) == 0) storeFetched(job, &received);
    IDataSource::freeReceived(&received);
}

void DataSourceManager::storeFetched(const FetchJob& job, ReceivedTiles* received) {
    std::lock_guard<std::mutex> lock(g_mutexCache);
    for (auto& part : *received) {
        const StringPair pair(job.cid, part.first);
        const char* bytes = part.second.first;
        const int length = part.second.second;
        auto* record = new K7DataCtg();
        // A tile that does not decode is neither cached nor kept on disk, so
        // that the next frame asks for it again.
        if (!record->setBinaryBounded(bytes, static_cast<size_t>(length))) {
            K7D_LOG_WARNING("fetched tile does not decode:", part.first, "bytes:", length);
            delete record;
            continue;
        }
        if (job.mode == kServiceMode)
            CacheController::putLocalDraw(pair, LocalCache::createValue(pair), bytes, length);
        if (CacheController::existMemory(pair)) {
            delete record;
        } else {
            CacheController::putMemory(pair, record);
        }
    }
}

void DataSourceManager::endInFlight(const FetchJob& job) {
    std::lock_guard<std::mutex> lock(g_mutexList);
    for (const std::string& key : job.keys) {
        const StringPair pair(job.cid, key);
        g_threadList.erase(std::remove(g_threadList.begin(), g_threadList.end(), pair),
                           g_threadList.end());
        removeOnce(&m_inFlight, pair);
    }
}

int DataSourceManager::getGlobalData(K7DataCtg*& record) {
    std::lock_guard<std::mutex> lock(g_mutexCache);
    char* cached = nullptr;
    int cachedLength = 0;
    if (CacheController::getLocalGlobal(cached, &cachedLength) == 0) {
        const bool filled = fillGlobal(cached, cachedLength, record);
        delete[] cached;
        if (filled) return 0;
    }
    char* fetched = nullptr;
    int fetchedLength = 0;
    if (m_dataSource->getGlobalData(&fetched, &fetchedLength) != 0) return -1;
    const bool filled = fillGlobal(fetched, fetchedLength, record);
    if (filled) CacheController::putLocalGlobal(fetched, fetchedLength);
    delete[] fetched;
    return filled ? 0 : -1;
}

bool DataSourceManager::fillGlobal(const char* data, int length, K7DataCtg* record) {
    std::vector<char> plain;
    if (FileManager::gzipUncompress(data, length, &plain) != 0) {
        K7D_LOG_WARNING("global data does not decompress, bytes:", length);
        return false;
    }
    return record->setBinaryBounded(plain.data(), plain.size());
}

int DataSourceManager::checkVersion(int kind, std::string* version) {
    if (kind > Settings::kLocalKind) return -1;
    if (m_mode == 0) return 0;
    const std::string served = m_serverSource.getVersion(kind);
    if (served.empty()) return -1;
    if (getVersion(kind) != served) {
        if (kind == Settings::kLocalKind) {
            CacheController::clearLocalDraw();
        } else {
            CacheController::clearLocalGlobal();
        }
        saveVersion(kind, served);
    }
    if (version != nullptr) *version = served;
    return 0;
}

std::string DataSourceManager::getVersion(int kind) {
    char* buffer = nullptr;
    const int length = FileManager::read(createLocalVersionPath(kind), &buffer);
    if (length <= 0) {
        delete[] buffer;
        return std::string();
    }
    std::string version(buffer, static_cast<size_t>(length));
    delete[] buffer;
    return version;
}

void DataSourceManager::saveVersion(int kind, const std::string& version) {
    FileManager::write(createLocalVersionPath(kind), version.data(), static_cast<int>(version.size()));
}

std::string DataSourceManager::createLocalVersionPath(int kind) {
    const std::string directory = m_setting.cacheDir + m_setting.kindPath(kind);
    if (FileManager::isExist(directory, nullptr) != 0) FileManager::makedirs(directory);
    return directory + m_cid + m_setting.versionExtension(m_div, kind);
}

int DataSourceManager::checkMapArea(const LatLng& position, double zoom) {
    const std::string key = UnitConvertor::LatLng2QuadKey(static_cast<int>(zoom), position);
    return m_dataSource->checkMapArea(key);
}

void DataSourceManager::getDetail(const std::vector<std::string>& keys,
                                  std::map<std::string, K7DataCtg*>* tiles) {
    ReceivedTiles received;
    m_localSource.getDetailData(keys, &received);
    for (auto& part : received) {
        auto* record = new K7DataCtg();
        if (record->setBinaryBounded(part.second.first, static_cast<size_t>(part.second.second))) {
            (*tiles)[part.first] = record;
        } else {
            K7D_LOG_WARNING("detail data does not decode:", part.first);
            delete record;
        }
    }
    IDataSource::freeReceived(&received);
}

void DataSourceManager::clearMemoryCache() {
    std::lock_guard<std::mutex> lock(g_mutexCache);
    CacheController::clearMemory();
}

} // namespace qiv
