#ifndef TOLKMAPS_SERVICE_GZIP_H
#define TOLKMAPS_SERVICE_GZIP_H

#include <string>

// gzip streams in memory.
class Gzip {
public:
    // One gzip member holding `data`. Level 1 (fastest) to 9 (smallest).
    static std::string compress(const std::string& data, int level = 6);
    // The bytes of a gzip stream; throws std::runtime_error when it is broken.
    static std::string decompress(const std::string& data);
    // Whether an Accept-Encoding header value allows a gzip answer.
    static bool accepted(const std::string& acceptEncoding);
};

#endif
