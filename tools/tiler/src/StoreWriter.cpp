#include "StoreWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "TileStore.h"

StoreWriter::StoreWriter(const std::string& path)
    : m_path(path), m_temporaryPath(path + ".new-" + std::to_string(getpid())) {
    std::remove(m_temporaryPath.c_str());
    m_store = std::make_unique<TileStore>(m_temporaryPath, TileStore::Mode::ReadWrite);
    m_store->beginTransaction();
}

StoreWriter::~StoreWriter() {
    m_store.reset();
    if (!m_finished) std::remove(m_temporaryPath.c_str());
}

long long StoreWriter::finish() {
    m_store->commit();
    m_store.reset();
    if (std::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0)
        throw TileStoreError("cannot rename " + m_temporaryPath + " to " + m_path + ": " + std::strerror(errno));
    m_finished = true;
    struct stat info {};
    return stat(m_path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}
