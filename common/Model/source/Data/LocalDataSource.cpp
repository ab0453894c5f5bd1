#include "LocalDataSource.h"

#include "FileManager.h"

namespace qiv {

int LocalDataSource::getDrawData(const std::vector<std::string>& keys, ReceivedTiles* received) {
    int result = -1;
    for (const std::string& key : keys) {
        if (readPart(tileFile(key), key, received)) result = 0;
    }
    return result;
}

int LocalDataSource::getDrawData(const std::string& key, char** buffer, int* length) {
    return readFile(tileFile(key), buffer, length);
}

int LocalDataSource::getGlobalData(char** buffer, int* length) {
    return readFile(m_setting.dataPath + "/global/GlobalHeader.dat", buffer, length);
}

int LocalDataSource::checkMapArea(const std::string& /*key*/) { return -1; }

int LocalDataSource::getDetailData(const std::vector<std::string>& keys, ReceivedTiles* received) {
    for (const std::string& key : keys) {
        readPart(m_setting.dataPath + "/detail/" + key + ".dat", key, received);
    }
    return 0;
}

int LocalDataSource::readFile(const std::string& path, char** buffer, int* length) {
    char* read = nullptr;
    const int bytes = FileManager::read(path, &read);
    if (bytes <= 0) {
        delete[] read;
        return -1;
    }
    *buffer = read;
    *length = bytes;
    return 0;
}

std::string LocalDataSource::tileFile(const std::string& key) const {
    return m_setting.dataPath + "/DrawDataGL/" + key + ".dat";
}

bool LocalDataSource::readPart(const std::string& path, const std::string& key,
                               ReceivedTiles* received) {
    char* buffer = nullptr;
    int length = 0;
    if (readFile(path, &buffer, &length) != 0) return false;
    putReceived(received, key, buffer, length);
    return true;
}

} // namespace qiv
