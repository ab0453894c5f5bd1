#ifndef TOLKMAPS_SERVICE_GZIP_H
#define TOLKMAPS_SERVICE_GZIP_H

#include <string>
#include <vector>

// gzip streams in memory.
class Gzip {
public:
    // A piece of a deflate stream that can be joined with others into one
    // gzip stream without compressing again: compressed on its own, ending
    // on a byte boundary with no final block.
    struct Segment {
        std::string deflated;
        unsigned long crc = 0;  // CRC-32 of the original bytes
        size_t length = 0;      // length of the original bytes
    };

    // One gzip member holding `data`. Level 1 (fastest) to 9 (smallest).
    static std::string compress(const std::string& data, int level = 6);
    static Segment segment(const std::string& data, int level);
    // A segment that holds `data` uncompressed (stored blocks): costs no
    // compressor, for a few bytes made per answer.
    static Segment storedSegment(const std::string& data);
    // One gzip member holding the segments' bytes in order.
    static std::string join(const std::vector<const Segment*>& segments);
    // The bytes of a gzip stream; throws std::runtime_error when it is broken.
    static std::string decompress(const std::string& data);
    // Whether an Accept-Encoding header value allows a gzip answer.
    static bool accepted(const std::string& acceptEncoding);
};

#endif
