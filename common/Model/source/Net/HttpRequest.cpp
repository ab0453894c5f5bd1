#include "HttpRequest.h"

#include <array>
#include <cstring>
#include <ctime>
#include <stdexcept>

namespace qiv {

namespace {

constexpr size_t kErrorBufferSize = 1024;
constexpr int kMultiWaitMs = 10000;
const char* const kDateField = "Date: ";

size_t appendBytes(char* data, size_t size, size_t count, void* target) {
    auto* bytes = static_cast<std::vector<char>*>(target);
    size_t length = size * count;
    bytes->insert(bytes->end(), data, data + length);
    return length;
}

} // namespace

HttpRequest::HttpRequest() : m_timeout(10) {}

HttpRequest::~HttpRequest() = default;

size_t HttpRequest::callbackWrite(char* data, size_t size, size_t count, void* target) {
    return appendBytes(data, size, count, target);
}

size_t HttpRequest::header_callback(char* data, size_t size, size_t count, void* target) {
    return appendBytes(data, size, count, target);
}

CURL* HttpRequest::EasyInit(const std::string& url, std::vector<char>* body,
                            std::vector<char>* header, char* errorBuffer) {
    CURL* handle = curl_easy_init();
    if (handle == nullptr) return nullptr;
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &HttpRequest::callbackWrite);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, body);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(m_timeout));
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "gzip");
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &HttpRequest::header_callback);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, header);
    if (!m_caPath.empty()) {
        curl_easy_setopt(handle, CURLOPT_CAINFO, m_caPath.c_str());
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    } else {
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 0L);
        curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 0L);
    }
    if (!m_proxy.empty()) curl_easy_setopt(handle, CURLOPT_PROXY, m_proxy.c_str());
    return handle;
}

bool HttpRequest::single(std::string url, std::vector<char>* body, long* serverTime) {
    std::array<char, kErrorBufferSize> error{};
    std::vector<char> header;
    CURL* handle = EasyInit(url, body, &header, error.data());
    if (handle == nullptr) return false;
    CURLcode result = curl_easy_perform(handle);
    curl_easy_cleanup(handle);
    if (result != CURLE_OK) {
        body->clear();
        return false;
    }
    if (serverTime != nullptr) getTime(std::string(header.begin(), header.end()), serverTime);
    return true;
}

std::vector<bool> HttpRequest::multi(std::vector<std::string> urls,
                                     std::vector<std::vector<char>>* bodies, long* serverTime) {
    size_t count = urls.size();
    std::vector<bool> flags(count, false);
    if (bodies->size() < count) throw std::out_of_range("fewer bodies than URLs");
    std::vector<CURL*> handles(count, nullptr);
    std::vector<std::vector<char>> headers(count);
    std::vector<std::array<char, kErrorBufferSize>> errors(count);
    CURLM* multi = curl_multi_init();
    if (multi == nullptr) return flags;
    for (size_t i = 0; i < count; ++i) {
        handles[i] = EasyInit(urls[i], &(*bodies)[i], &headers[i], errors[i].data());
        if (handles[i] == nullptr) {
            releaseTransfers(multi, handles);
            return flags;
        }
        curl_multi_add_handle(multi, handles[i]);
    }
    int running = 0;
    curl_multi_perform(multi, &running);
    while (running > 0) {
        if (curl_multi_wait(multi, nullptr, 0, kMultiWaitMs, nullptr) != CURLM_OK) {
            releaseTransfers(multi, handles);
            return flags;
        }
        curl_multi_perform(multi, &running);
    }
    bool timeFound = false;
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        CURL* handle = message->easy_handle;
        CURLcode result = message->data.result;
        for (size_t i = 0; i < count && result == CURLE_OK; ++i) {
            if (handles[i] != handle) continue;
            long status = 0;
            curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
            if (status != 200) break;
            flags[i] = true;
            if (serverTime != nullptr && !timeFound) {
                timeFound = getTime(std::string(headers[i].begin(), headers[i].end()), serverTime);
            }
            break;
        }
        finishTransfer(multi, handles, handle);
    }
    releaseTransfers(multi, handles);
    return flags;
}

void HttpRequest::finishTransfer(CURLM* multi, std::vector<CURL*>& handles, CURL* handle) {
    curl_multi_remove_handle(multi, handle);
    curl_easy_cleanup(handle);
    for (CURL*& slot : handles) {
        if (slot == handle) slot = nullptr;
    }
}

void HttpRequest::releaseTransfers(CURLM* multi, std::vector<CURL*>& handles) {
    for (CURL* handle : handles) {
        if (handle != nullptr) finishTransfer(multi, handles, handle);
    }
    curl_multi_cleanup(multi);
}

bool HttpRequest::getTime(const std::string header, long* time) {
    size_t start = 0;
    while (start <= header.size()) {
        size_t end = header.find("\r\n", start);
        if (end == std::string::npos) end = header.size();
        std::string line = header.substr(start, end - start);
        start = end + 2;
        if (line.find(kDateField) == std::string::npos) continue;
        struct tm parsed;
        std::memset(&parsed, 0, sizeof(parsed));
        const char* rest = strptime(line.c_str(), "Date: %a, %d %b %Y %T GMT", &parsed);
        if (rest == nullptr || *rest != '\0') return false;
        *time = static_cast<long>(mktime(&parsed));
        return true;
    }
    return false;
}

} // namespace qiv
