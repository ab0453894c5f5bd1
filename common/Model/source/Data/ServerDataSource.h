#ifndef TOLKMAPS_MODEL_SERVERDATASOURCE_H
#define TOLKMAPS_MODEL_SERVERDATASOURCE_H

#include <cstddef>
#include <string>
#include <vector>

#include "IDataSource.h"
#include "Settings.h"

namespace qiv {

// Tiles, global data and versions from the map service over HTTPS. Tile
// answers carry the server clock; when the login cycle has run out the login
// is renewed before the answer is used, and a refused renewal fails the
// fetch. Configure with `setParams` before the first fetch; after that the
// fetch operations may run on several threads at once.
class ServerDataSource : public IDataSource {
public:
    ServerDataSource();

    // Stores the settings, service id, division and the two data versions.
    // A quadNum below 1 cannot cut key lists and is used as 1 (logged).
    void setParams(const Settings& settings, const std::string& cid, int division,
                   const std::string& localVersion, const std::string& globalVersion);

    // All tile URLs in parallel; every answer is split into `received`. -1
    // when a transfer or a split failed or the renewed login was refused
    // (parts split before the failure stay in `received`).
    int getDrawData(const std::vector<std::string>& keys, ReceivedTiles* received) override;
    // One tile, kept in its tile record; -1 when the answer lacks it.
    int getDrawData(const std::string& key, char** buffer, int* length) override;
    // The compressed global data, up to 4 attempts.
    int getGlobalData(char** buffer, int* length) override;
    // Whether the tile's three content sections hold any record; -1 when the
    // tile cannot be fetched or decoded.
    int checkMapArea(const std::string& key) override;

    // The service's version of `kind` (Settings::kGlobalKind or kLocalKind)
    // without CR and LF, up to 4 attempts; empty when the division has no
    // version files or every attempt failed.
    std::string getVersion(int kind);
    // Tile URLs for `keys` in order, at most quadNum keys each.
    std::vector<std::string> createURL(const std::vector<std::string>& keys) const;

    // Cuts a tile answer (one "ctg" container of "ctg" tile records) into
    // tile records by quad key; a later record of the same key replaces the
    // earlier. False on any other shape, including a header or length that
    // reaches past `length`; parts cut before that stay in `received`.
    static bool dataSplit(const char* body, size_t length, ReceivedTiles* received);
    // The quad key a tile record's content starts with ("ctg" { "qak" key }),
    // or empty when the content has another shape. Reads at most `length` bytes.
    static std::string getQuadKey(const char* content, size_t length);

    std::string m_lVersion;
    std::string m_gVersion;
    int m_div;
    std::string m_cid;
    Settings m_setting;

private:
    // False when the server clock says the login cycle is over and the
    // renewed login was refused.
    static bool loginStillValid(long serverTime);
    std::string dataUrl(const std::string& cgi) const;
};

} // namespace qiv

#endif
