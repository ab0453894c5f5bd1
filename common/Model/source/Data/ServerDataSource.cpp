#include "ServerDataSource.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include "AuthManager.h"
#include "HttpRequest.h"
#include "K7DataCtg.h"
#include "Log.h"

namespace qiv {

namespace {

const int kAttempts = 4;
// Marks "no server time came back", which no Date header yields.
const long kNoServerTime = LONG_MIN;
const char kGroupTag[] = "ctg";
const char kQuadKeyTag[] = "qak";

// Where one encoded record lies: header length and content length.
struct RecordSpan {
    size_t header = 0;
    size_t content = 0;
    size_t total() const { return header + content; }
};

// Reads the header of a record with `tag` at `record`, `left` bytes before the
// end of what may be read. False when the tag differs or the header or the
// content would reach past `left`.
bool readRecord(const char* record, size_t left, const char* tag, RecordSpan* span) {
    if (left < 4 || std::memcmp(record, tag, 3) != 0) return false;
    const auto lengthByte = static_cast<unsigned char>(record[3]);
    if (lengthByte != 255) {
        span->header = 4;
        span->content = lengthByte;
    } else {
        if (left < 8) return false;
        const auto* bytes = reinterpret_cast<const unsigned char*>(record + 4);
        span->header = 8;
        span->content = static_cast<size_t>(bytes[0]) | static_cast<size_t>(bytes[1]) << 8 |
                        static_cast<size_t>(bytes[2]) << 16 | static_cast<size_t>(bytes[3]) << 24;
    }
    return span->content <= left - span->header;
}

void storePart(const std::string& key, const char* record, size_t length, ReceivedTiles* received) {
    char* copy = new char[length];
    std::memcpy(copy, record, length);
    IDataSource::putReceived(received, key, copy, static_cast<int>(length));
}

} // namespace

ServerDataSource::ServerDataSource() : m_div(0) {}

void ServerDataSource::setParams(const Settings& settings, const std::string& cid, int division,
                                 const std::string& localVersion, const std::string& globalVersion) {
    m_setting = settings;
    if (m_setting.quadNum < 1) {
        K7D_LOG_WARNING("quad_num below 1, one key per tile request:", m_setting.quadNum);
        m_setting.quadNum = 1;
    }
    m_cid = cid;
    m_div = division;
    m_lVersion = localVersion;
    m_gVersion = globalVersion;
}

std::vector<std::string> ServerDataSource::createURL(const std::vector<std::string>& keys) const {
    const size_t chunk = static_cast<size_t>(std::max(1, m_setting.quadNum));
    std::vector<std::string> urls;
    for (size_t first = 0; first < keys.size(); first += chunk) {
        std::string url = dataUrl(m_setting.tileCgi) + "?cid=" + m_cid + "&data=" + m_lVersion;
        const size_t end = std::min(keys.size(), first + chunk);
        for (size_t i = first; i < end; ++i) url += "&quad=" + keys[i];
        urls.push_back(url);
    }
    return urls;
}

int ServerDataSource::getDrawData(const std::vector<std::string>& keys, ReceivedTiles* received) {
    const std::vector<std::string> urls = createURL(keys);
    if (urls.empty()) return 0;
    HttpRequest request;
    request.m_caPath = m_setting.caPath;
    request.m_proxy = m_setting.proxy;
    std::vector<std::vector<char>> bodies(urls.size());
    long serverTime = kNoServerTime;
    const std::vector<bool> transferred = request.multi(urls, &bodies, &serverTime);
    if (!loginStillValid(serverTime)) return -1;
    int result = 0;
    for (size_t i = 0; i < urls.size(); ++i) {
        if (!transferred[i]) result = -1;
        if (!bodies[i].empty() && !dataSplit(bodies[i].data(), bodies[i].size(), received)) {
            K7D_LOG_WARNING("malformed tile answer:", urls[i]);
            result = -1;
        }
    }
    return result;
}

int ServerDataSource::getDrawData(const std::string& key, char** buffer, int* length) {
    HttpRequest request;
    request.m_caPath = m_setting.caPath;
    request.m_proxy = m_setting.proxy;
    std::vector<char> body;
    long serverTime = kNoServerTime;
    request.single(createURL({key}).front(), &body, &serverTime);
    if (!loginStillValid(serverTime) || body.empty()) return -1;
    ReceivedTiles parts;
    const bool split = dataSplit(body.data(), body.size(), &parts);
    auto found = parts.find(key);
    if (!split || found == parts.end()) {
        freeReceived(&parts);
        return -1;
    }
    *buffer = found->second.first;
    *length = found->second.second;
    parts.erase(found);
    freeReceived(&parts);
    return 0;
}

int ServerDataSource::getGlobalData(char** buffer, int* length) {
    const std::string url = dataUrl(m_setting.fileCgi) + "?file=" + m_setting.globalPath + m_cid +
                            m_setting.globalDataExt + "&date=" + m_gVersion;
    HttpRequest request;
    request.m_caPath = m_setting.caPath;
    request.m_proxy = m_setting.proxy;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::vector<char> body;
        if (!request.single(url, &body, nullptr)) continue;
        if (body.empty()) return -1;
        *buffer = new char[body.size()];
        std::memcpy(*buffer, body.data(), body.size());
        *length = static_cast<int>(body.size());
        return 0;
    }
    return -1;
}

int ServerDataSource::checkMapArea(const std::string& key) {
    char* buffer = nullptr;
    int length = 0;
    if (getDrawData(key, &buffer, &length) != 0) return -1;
    K7DataCtg tile;
    const bool decoded = tile.setBinaryBounded(buffer, static_cast<size_t>(length));
    delete[] buffer;
    if (!decoded) return -1;
    K7DataCtg* content = tile.getContents<K7DataCtg>(1);
    if (content == nullptr) return 0;
    size_t records = 0;
    for (unsigned section = 1; section <= 3; ++section) {
        if (K7DataCtg* part = content->getContents<K7DataCtg>(section))
            records += part->getContents().size();
    }
    return records > 0 ? 1 : 0;
}

std::string ServerDataSource::getVersion(int kind) {
    if (!Settings::hasVersionFiles(m_div)) return std::string();
    const std::string url = "https://" + m_setting.configHost + m_setting.kindPath(kind) + m_cid +
                            m_setting.versionExtension(m_div, kind);
    HttpRequest request;
    request.m_caPath = m_setting.caPath;
    request.m_proxy = m_setting.proxy;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::vector<char> body;
        if (!request.single(url, &body, nullptr)) continue;
        std::string version(body.begin(), body.end());
        version.erase(std::remove_if(version.begin(), version.end(),
                                     [](char c) { return c == '\r' || c == '\n'; }),
                      version.end());
        return version;
    }
    return std::string();
}

bool ServerDataSource::dataSplit(const char* body, size_t length, ReceivedTiles* received) {
    RecordSpan container;
    if (!readRecord(body, length, kGroupTag, &container)) {
        K7D_LOG_WARNING("tile answer is no whole container, bytes:", length);
        return false;
    }
    if (container.content == 0) return true;
    size_t offset = container.header;
    while (offset < length) {
        RecordSpan tile;
        if (!readRecord(body + offset, length - offset, kGroupTag, &tile)) {
            K7D_LOG_WARNING("tile record is cut or not a group at offset", offset, "bytes:", length);
            return false;
        }
        const std::string key = getQuadKey(body + offset + tile.header, tile.content);
        if (key.empty()) {
            K7D_LOG_WARNING("tile record without quad key at offset", offset);
            return false;
        }
        storePart(key, body + offset, tile.total(), received);
        offset += tile.total();
    }
    return true;
}

std::string ServerDataSource::getQuadKey(const char* content, size_t length) {
    RecordSpan head;
    if (!readRecord(content, length, kGroupTag, &head) || head.content == 0) return std::string();
    RecordSpan key;
    if (!readRecord(content + head.header, head.content, kQuadKeyTag, &key)) return std::string();
    return std::string(content + head.header + key.header, key.content);
}

bool ServerDataSource::loginStillValid(long serverTime) {
    return serverTime == kNoServerTime || AuthManager::checkAuth(serverTime) == 0;
}

std::string ServerDataSource::dataUrl(const std::string& cgi) const {
    return "https://" + m_setting.dataHost + cgi;
}

} // namespace qiv
