#ifndef TOLKMAPS_MODEL_LOCALDATASOURCE_H
#define TOLKMAPS_MODEL_LOCALDATASOURCE_H

#include <string>
#include <vector>

#include "IDataSource.h"
#include "Settings.h"

namespace qiv {

// Tiles, global data and detail data from files installed with the
// application under the settings' dataPath: "/DrawDataGL/<key>.dat" (one tile
// record each), "/global/GlobalHeader.dat" (compressed like the service's
// global data) and "/detail/<key>.dat". No versions: installed data is as new
// as the application.
class LocalDataSource : public IDataSource {
public:
    // 0 when at least one tile file was read.
    int getDrawData(const std::vector<std::string>& keys, ReceivedTiles* received) override;
    // -1 when the file is missing or empty.
    int getDrawData(const std::string& key, char** buffer, int* length) override;
    int getGlobalData(char** buffer, int* length) override;
    // Installed data does not say: always -1.
    int checkMapArea(const std::string& key) override;

    std::string getGlovbalVersion() const { return std::string(); }
    std::string getLocalVersion() const { return std::string(); }
    // Every readable detail file of `keys`; always 0.
    int getDetailData(const std::vector<std::string>& keys, ReceivedTiles* received);

    Settings m_setting;

private:
    std::string tileFile(const std::string& key) const;
    // Reads one file into `received` under `key`; false when missing or empty.
    static bool readPart(const std::string& path, const std::string& key, ReceivedTiles* received);
    // The whole file into a new[] buffer; -1 when missing or empty.
    static int readFile(const std::string& path, char** buffer, int* length);
};

} // namespace qiv

#endif
