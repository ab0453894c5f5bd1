#ifndef TOLKMAPS_SERVICE_ACCESSLOG_H
#define TOLKMAPS_SERVICE_ACCESSLOG_H

#include <cstdio>
#include <mutex>
#include <string>

// One line per answered request on a stream:
//   "2026-01-02T03:04:05Z 127.0.0.1 GET /Veltar/tiles?cid=x&quad=01 200 5120 0.42ms"
// Values of login parameters (consumer key, nonce, signature) are replaced by
// "-", so that no credential reaches the log; long targets are cut (the
// full length follows as "...(5001B)") and blanks and unprintable bytes
// escaped, so that a line always has its seven fields. Any thread may write.
class AccessLog {
public:
    explicit AccessLog(FILE* stream) : m_stream(stream) {}

    void write(const std::string& remote, const std::string& method, const std::string& target,
               int status, size_t bytes, double milliseconds);

    // The target as it appears in the log.
    static std::string redact(const std::string& target);

private:
    static std::string printable(const std::string& text);

    FILE* m_stream;
    std::mutex m_mutex;
};

#endif
