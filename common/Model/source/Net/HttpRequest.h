#ifndef TOLKMAPS_MODEL_HTTPREQUEST_H
#define TOLKMAPS_MODEL_HTTPREQUEST_H

#include <curl/curl.h>

#include <string>
#include <vector>

namespace qiv {

// HTTPS GET over libcurl: one URL (`single`) or several in parallel (`multi`).
// Build one on the stack per operation, set `m_caPath` and `m_proxy`, run one
// call and drop it; an instance is never shared between threads. Bodies are
// the caller's; gzip answers arrive decoded.
class HttpRequest {
public:
    HttpRequest();
    virtual ~HttpRequest();

    // One GET. True when the transfer ended without error (status 400 and
    // above count as errors); on failure `body` is emptied. When `serverTime`
    // is not null and the answer has a parsable "Date" header, it receives
    // that time, else it is left as it was.
    bool single(std::string url, std::vector<char>* body, long* serverTime);
    // All URLs in parallel; element i is true when transfer i completed with
    // status 200. `bodies` must hold at least as many vectors as there are
    // URLs (std::out_of_range otherwise, before anything is sent). The server
    // time comes from the first successful answer that has one.
    std::vector<bool> multi(std::vector<std::string> urls, std::vector<std::vector<char>>* bodies,
                            long* serverTime);
    // A configured easy handle for one transfer, or null.
    CURL* EasyInit(const std::string& url, std::vector<char>* body, std::vector<char>* header,
                   char* errorBuffer);

    // The time of the first "Date: " header line of a raw header block, as
    // mktime reads it (only ever compared with another value made the same
    // way). False when there is none or when that line does not parse.
    static bool getTime(const std::string header, long* time);

    static size_t callbackWrite(char* data, size_t size, size_t count, void* target);
    static size_t header_callback(char* data, size_t size, size_t count, void* target);

    int m_timeout;
    std::string m_caPath;
    std::string m_proxy;

private:
    static void releaseTransfers(CURLM* multi, std::vector<CURL*>& handles);
    static void finishTransfer(CURLM* multi, std::vector<CURL*>& handles, CURL* handle);
};

} // namespace qiv

#endif
