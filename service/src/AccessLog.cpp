#include "AccessLog.h"

#include <ctime>
#include <sstream>

namespace {
const size_t kLongestLoggedTarget = 256;

bool secretParameter(const std::string& name) {
    return name.rfind("oauth_", 0) == 0 || name == "if_clientid";
}
}  // namespace

std::string AccessLog::redact(const std::string& target) {
    size_t question = target.find('?');
    std::string result = target.substr(0, question);
    if (question != std::string::npos) {
        std::istringstream pieces(target.substr(question + 1));
        std::string piece;
        char separator = '?';
        while (std::getline(pieces, piece, '&')) {
            size_t equals = piece.find('=');
            std::string name = piece.substr(0, equals);
            result += separator;
            result += secretParameter(name) ? name + "=-" : piece;
            separator = '&';
        }
    }
    if (result.size() > kLongestLoggedTarget)
        result = result.substr(0, kLongestLoggedTarget) + "...(" + std::to_string(target.size()) + "B)";
    return printable(result);
}

std::string AccessLog::printable(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c > 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

void AccessLog::write(const std::string& remote, const std::string& method,
                      const std::string& target, int status, size_t bytes, double milliseconds) {
    time_t now = time(nullptr);
    struct tm utc;
    gmtime_r(&now, &utc);
    char stamp[32];
    strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string line = std::string(stamp) + " " + printable(remote.empty() ? "-" : remote) + " " +
                       printable(method.empty() ? "-" : method) + " " +
                       (target.empty() ? "-" : redact(target)) + " " + std::to_string(status) +
                       " " + std::to_string(bytes);
    char timing[32];
    snprintf(timing, sizeof timing, " %.2fms\n", milliseconds);
    line += timing;
    std::lock_guard<std::mutex> lock(m_mutex);
    fputs(line.c_str(), m_stream);
    fflush(m_stream);
}
