#include "TileStore.h"

#include "TileContainer.h"

#include <sqlite3.h>

#include <map>

// One SQLite connection with its prepared statements, used by one thread at a
// time.
class TileStore::Connection {
public:
    Connection(const std::string& path, Mode mode) {
        int flags = SQLITE_OPEN_NOMUTEX;
        flags |= mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                        : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
            std::string reason = m_db ? sqlite3_errmsg(m_db) : "out of memory";
            sqlite3_close(m_db);
            throw TileStoreError("cannot open tile store " + path + ": " + reason);
        }
        sqlite3_busy_timeout(m_db, 5000);
    }
    ~Connection() {
        for (auto& entry : m_statements) sqlite3_finalize(entry.second);
        sqlite3_close(m_db);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void execute(const std::string& sql) {
        char* message = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            std::string reason = message ? message : "unknown error";
            sqlite3_free(message);
            throw TileStoreError("tile store: " + reason);
        }
    }

    // Runs a statement with text parameters; returns the first column of the
    // first row, if any.
    std::optional<std::string> query(const std::string& sql, const std::vector<std::string>& texts,
                                     const std::string* blob = nullptr) {
        sqlite3_stmt* statement = prepared(sql);
        int index = 1;
        for (const std::string& text : texts)
            sqlite3_bind_text(statement, index++, text.data(), static_cast<int>(text.size()),
                              SQLITE_STATIC);
        if (blob)
            sqlite3_bind_blob(statement, index, blob->data(), static_cast<int>(blob->size()),
                              SQLITE_STATIC);
        std::optional<std::string> result;
        int step = sqlite3_step(statement);
        if (step == SQLITE_ROW) {
            const void* bytes = sqlite3_column_blob(statement, 0);
            int length = sqlite3_column_bytes(statement, 0);
            result = std::string(static_cast<const char*>(bytes), length > 0 ? length : 0);
        }
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        if (step != SQLITE_ROW && step != SQLITE_DONE)
            throw TileStoreError(std::string("tile store: ") + sqlite3_errmsg(m_db));
        return result;
    }

private:
    sqlite3_stmt* prepared(const std::string& sql) {
        auto found = m_statements.find(sql);
        if (found != m_statements.end()) return found->second;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw TileStoreError(std::string("tile store: ") + sqlite3_errmsg(m_db));
        m_statements.emplace(sql, statement);
        return statement;
    }

    sqlite3* m_db = nullptr;
    std::map<std::string, sqlite3_stmt*> m_statements;
};

namespace {
const char* const kSelectTile = "SELECT data FROM tiles WHERE quad = ?1";
const char* const kSelectMeta = "SELECT value FROM meta WHERE key = ?1";
const char* const kPutTile = "INSERT OR REPLACE INTO tiles (quad, data) VALUES (?1, ?2)";
const char* const kPutMeta = "INSERT OR REPLACE INTO meta (key, value) VALUES (?1, ?2)";
}  // namespace

TileStore::TileStore(const std::string& path, Mode mode) : m_path(path), m_mode(mode) {
    auto connection = std::make_unique<Connection>(path, mode);
    giveBack(std::move(connection));
    if (mode == Mode::ReadWrite) createTables();
    checkSchema();
}

TileStore::~TileStore() = default;

void TileStore::createTables() {
    auto connection = borrow();
    connection->execute(
        "CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value BLOB NOT NULL);"
        "CREATE TABLE IF NOT EXISTS tiles (quad TEXT PRIMARY KEY, data BLOB NOT NULL)"
        " WITHOUT ROWID;"
        "INSERT OR IGNORE INTO meta (key, value) VALUES ('schema_version', '" +
        std::to_string(kSchemaVersion) + "');");
    giveBack(std::move(connection));
}

void TileStore::checkSchema() {
    std::string version;
    try {
        version = meta("schema_version");
    } catch (const TileStoreError& error) {
        throw TileStoreError(m_path + " is not a tile store (" + error.what() + ")");
    }
    if (version != std::to_string(kSchemaVersion))
        throw TileStoreError(m_path + " has schema version '" + version + "', expected " +
                             std::to_string(kSchemaVersion));
}

std::unique_ptr<TileStore::Connection> TileStore::borrow() const {
    {
        std::lock_guard<std::mutex> lock(m_poolMutex);
        if (!m_pool.empty()) {
            auto connection = std::move(m_pool.back());
            m_pool.pop_back();
            return connection;
        }
    }
    return std::make_unique<Connection>(m_path, m_mode);
}

void TileStore::giveBack(std::unique_ptr<Connection> connection) const {
    std::lock_guard<std::mutex> lock(m_poolMutex);
    m_pool.push_back(std::move(connection));
}

std::optional<std::string> TileStore::tile(const std::string& quadKey) const {
    auto connection = borrow();
    auto result = connection->query(kSelectTile, {quadKey});
    giveBack(std::move(connection));
    return result;
}

std::string TileStore::meta(const std::string& key) const {
    auto connection = borrow();
    auto result = connection->query(kSelectMeta, {key});
    giveBack(std::move(connection));
    return result.value_or(std::string());
}

std::string TileStore::globalData() const { return meta("global_data"); }
std::string TileStore::backgroundMap() const { return meta("background_map"); }
std::string TileStore::serviceId() const { return meta("service_id"); }
std::string TileStore::globalVersion() const { return meta("global_version"); }
std::string TileStore::localVersion() const { return meta("local_version"); }

size_t TileStore::tileCount() const {
    auto connection = borrow();
    auto result = connection->query("SELECT CAST(COUNT(*) AS TEXT) FROM tiles", {});
    giveBack(std::move(connection));
    return result ? std::stoul(*result) : 0;
}

void TileStore::requireWritable() const {
    if (m_mode != Mode::ReadWrite) throw TileStoreError(m_path + " is open read-only");
}

void TileStore::setMeta(const std::string& key, const std::string& value) {
    requireWritable();
    auto connection = borrow();
    connection->query(kPutMeta, {key}, &value);
    giveBack(std::move(connection));
}

void TileStore::putTile(const std::string& quadKey, const std::string& record) {
    requireWritable();
    if (TileContainer::quadKeyOf(record) != quadKey)
        throw TileStoreError("tile " + quadKey + " is not a tile record holding its own quad key");
    auto connection = borrow();
    connection->query(kPutTile, {quadKey}, &record);
    giveBack(std::move(connection));
}

void TileStore::setGlobalData(const std::string& record) { setMeta("global_data", record); }
void TileStore::setBackgroundMap(const std::string& record) { setMeta("background_map", record); }
void TileStore::setServiceId(const std::string& serviceId) { setMeta("service_id", serviceId); }

void TileStore::setVersions(const std::string& globalVersion, const std::string& localVersion) {
    setMeta("global_version", globalVersion);
    setMeta("local_version", localVersion);
}

void TileStore::beginTransaction() {
    requireWritable();
    auto connection = borrow();
    connection->execute("BEGIN");
    giveBack(std::move(connection));
}

void TileStore::commit() {
    requireWritable();
    auto connection = borrow();
    connection->execute("COMMIT");
    giveBack(std::move(connection));
}
