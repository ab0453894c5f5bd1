#ifndef TOLKMAPS_SERVICE_TILEREQUEST_H
#define TOLKMAPS_SERVICE_TILEREQUEST_H

#include "QueryParams.h"

#include <string>
#include <vector>

// The parameters of one tile request: the service id ("cid"), the tile data
// version ("data") and one to `quadNum` quad keys ("quad"). Throws
// RequestError (400) for missing or repeated parameters and bad quad keys.
class TileRequest {
public:
    // Longest quad key served: level 30.
    static constexpr size_t kMaxQuadKeyLength = 30;

    TileRequest(const QueryParams::Params& params, int quadNum);

    const std::string& serviceId() const { return m_serviceId; }
    const std::string& version() const { return m_version; }
    // The requested keys in request order, each once.
    const std::vector<std::string>& quadKeys() const { return m_quadKeys; }

    // A key of 1 to 30 digits 0 to 3.
    static bool validQuadKey(const std::string& key);

private:
    std::string m_serviceId;
    std::string m_version;
    std::vector<std::string> m_quadKeys;
};

#endif
