#ifndef TOLKMAPS_TILER_STOREWRITER_H
#define TOLKMAPS_TILER_STOREWRITER_H

#include <memory>
#include <string>

class TileStore;

// Writes a tile store without touching the one in place until the new one
// is complete: everything goes into a new file next to the target, which
// `finish` renames over the target. A writer dropped before `finish` (a run
// that failed) removes its file and leaves the old store as it was.
class StoreWriter {
public:
    // Throws TileStoreError when the new file cannot be made.
    explicit StoreWriter(const std::string& path);
    ~StoreWriter();
    StoreWriter(const StoreWriter&) = delete;
    StoreWriter& operator=(const StoreWriter&) = delete;

    TileStore& store() { return *m_store; }
    // Commits, closes and renames the new file over the target; answers the
    // store's size in bytes. Throws TileStoreError when the rename fails.
    long long finish();

    const std::string& temporaryPath() const { return m_temporaryPath; }

private:
    std::string m_path;
    std::string m_temporaryPath;
    std::unique_ptr<TileStore> m_store;
    bool m_finished = false;
};

#endif
