#include "TileRequest.h"

#include "RequestError.h"

#include <algorithm>

TileRequest::TileRequest(const QueryParams::Params& params, int quadNum)
    : m_serviceId(QueryParams::single(params, "cid")),
      m_version(QueryParams::single(params, "data")) {
    for (const std::string& key : QueryParams::several(params, "quad", static_cast<size_t>(quadNum))) {
        if (!validQuadKey(key)) throw RequestError(400, "bad quad key '" + key.substr(0, 40) + "'");
        if (std::find(m_quadKeys.begin(), m_quadKeys.end(), key) == m_quadKeys.end())
            m_quadKeys.push_back(key);
    }
}

bool TileRequest::validQuadKey(const std::string& key) {
    return !key.empty() && key.size() <= kMaxQuadKeyLength &&
           std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '3'; });
}
