#ifndef TOLKMAPS_SERVICE_TILESTORE_H
#define TOLKMAPS_SERVICE_TILESTORE_H

#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Raised when a tile store cannot be opened, read or written.
class TileStoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One data set in one SQLite file: tiles by quad key (each the exact bytes of
// one encoded tile record), the global data and the background map (each the
// encoded bytes of one record group, uncompressed), the global and tile data
// versions and the service id the data set belongs to.
//
// A store opened read-only may be read from any number of threads at once;
// each reading thread borrows its own connection. A writable store is used by
// one thread.
class TileStore {
public:
    // Version of the table layout; a store of another version is refused.
    static constexpr int kSchemaVersion = 1;

    enum class Mode { ReadOnly, ReadWrite };

    // Opens an existing store; ReadWrite creates the file and its tables when
    // missing. Throws TileStoreError with the reason on failure.
    TileStore(const std::string& path, Mode mode);
    ~TileStore();
    TileStore(const TileStore&) = delete;
    TileStore& operator=(const TileStore&) = delete;

    // The stored bytes of one tile, or nothing when the store has none.
    std::optional<std::string> tile(const std::string& quadKey) const;
    std::string globalData() const;
    std::string backgroundMap() const;
    std::string serviceId() const;
    std::string globalVersion() const;
    std::string localVersion() const;
    size_t tileCount() const;

    // Writers (ReadWrite only). Several writes go faster inside one
    // transaction. A tile must be one "ctg" tile record whose quad key is
    // `quadKey`; anything else is refused with TileStoreError.
    void putTile(const std::string& quadKey, const std::string& record);
    void setGlobalData(const std::string& record);
    void setBackgroundMap(const std::string& record);
    void setServiceId(const std::string& serviceId);
    void setVersions(const std::string& globalVersion, const std::string& localVersion);
    void beginTransaction();
    void commit();

private:
    class Connection;

    std::unique_ptr<Connection> borrow() const;
    void giveBack(std::unique_ptr<Connection> connection) const;
    std::string meta(const std::string& key) const;
    void setMeta(const std::string& key, const std::string& value);
    void requireWritable() const;
    void createTables();
    void checkSchema();

    std::string m_path;
    Mode m_mode;
    mutable std::mutex m_poolMutex;
    mutable std::vector<std::unique_ptr<Connection>> m_pool;
};

#endif
