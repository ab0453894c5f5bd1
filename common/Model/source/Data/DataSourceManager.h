#ifndef TOLKMAPS_MODEL_DATASOURCEMANAGER_H
#define TOLKMAPS_MODEL_DATASOURCEMANAGER_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CoordTypes.h"
#include "LocalDataSource.h"
#include "ServerDataSource.h"
#include "Settings.h"
#include "StringPairHash.h"

class K7DataCtg;

namespace qiv {

class ThreadPool;

// Supplies decoded tiles and the global data. Look-ups (`getData`) answer
// from the memory cache, else from the disk cache decoded on the spot, and
// never touch the network; `getDataRequest` fetches missing tiles on the
// worker pool into both caches, so that a later look-up finds them. A tile
// whose fetch is queued or running is not requested again until it ends.
//
// Threads: getData, getDataRequest and checkMapArea on the drawing thread;
// the fetches run on the workers. Configure with setInitParams before the
// first request. Records answered by getData belong to the memory cache.
class DataSourceManager {
public:
    // `threads` fetch workers (0: requests are queued and never run).
    explicit DataSourceManager(int threads);
    // Stops the workers (queued fetches are dropped and no longer count as
    // in flight), then releases the TLS set-up.
    ~DataSourceManager();
    DataSourceManager(const DataSourceManager&) = delete;
    DataSourceManager& operator=(const DataSourceManager&) = delete;

    // Mode 0 reads installed files, any other the map service; only mode 1
    // writes fetched tiles to the disk cache.
    void setInitParams(int mode, const Settings& settings, const std::string& cid, int division,
                       const std::string& localVersion, const std::string& globalVersion);

    // The cached tile of `key`, or null.
    K7DataCtg* getData(const std::string& key);
    // The cached tiles of `keys` into `tiles`; missing ones are left out.
    void getData(const std::vector<std::string>& keys, std::map<std::string, K7DataCtg*>* tiles);
    // Whether the decoded tile of `key` is in the memory cache; no decoding.
    bool inMemory(const std::string& key) const;
    // Queues one background fetch of the keys not already in flight.
    void getDataRequest(const std::vector<std::string>& keys);
    // Fills `record` (the caller's) with the global data from the disk cache,
    // else from the source (then cached on disk). 0 or -1.
    int getGlobalData(K7DataCtg*& record);

    // Compares the service's version of `kind` with the stored one; a change
    // clears that kind's disk cache and stores the new version. 0 (with the
    // version in `version` when not null) or -1 when the service gave none.
    // Mode 0 answers 0 without asking.
    int checkVersion(int kind, std::string* version);
    // The stored version of `kind`; empty when none.
    std::string getVersion(int kind);
    void saveVersion(int kind, const std::string& version);
    // cacheDir + kind path + service id + version extension; its directory is
    // created when missing.
    std::string createLocalVersionPath(int kind);

    // Whether the tile under `position` at the whole level of `zoom` holds
    // map content (1, 0, or -1 when unknown). Fetches on the calling thread.
    int checkMapArea(const LatLng& position, double zoom);
    // Detail data of `keys` from installed files into new records that the
    // caller owns; nothing is cached.
    void getDetail(const std::vector<std::string>& keys, std::map<std::string, K7DataCtg*>* tiles);
    // Empties the memory tile cache and the map label atlas caches.
    void clearMemoryCache();

private:
    // One background fetch with what it needs copied when it was queued, so
    // that setInitParams between frames never races a running fetch and a
    // fetch always ends the in-flight entries it made.
    struct FetchJob {
        std::shared_ptr<IDataSource> source;
        int mode;
        std::string cid;
        std::vector<std::string> keys;
    };

    int getDrawDataCache(const std::string& key, K7DataCtg*& record);
    std::shared_ptr<IDataSource> sourceSnapshot() const;
    static void getDrawDataSource(const FetchJob& job);
    static void storeFetched(const FetchJob& job, ReceivedTiles* received);
    void endInFlight(const FetchJob& job);
    // Decodes compressed global data into `record`; false when it is not.
    static bool fillGlobal(const char* data, int length, K7DataCtg* record);
    StringPair cacheKey(const std::string& key) const { return StringPair(m_cid, key); }

    int m_mode;
    IDataSource* m_dataSource;
    LocalDataSource m_localSource;
    ServerDataSource m_serverSource;
    std::unique_ptr<ThreadPool> m_thPool;
    int m_div;
    std::string m_cid;
    Settings m_setting;
    // Pairs this manager put in flight (under the in-flight lock), so that
    // fetches dropped with the pool do not block their keys for good.
    std::vector<StringPair> m_inFlight;
};

} // namespace qiv

#endif
