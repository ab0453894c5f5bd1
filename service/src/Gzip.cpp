#include "Gzip.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

namespace {
const int kGzipWindowBits = 15 + 16;

std::string trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::string();
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The q value of one Accept-Encoding element ("gzip;q=0.5"), 1 when absent.
double qualityOf(const std::string& parameters) {
    std::istringstream items(parameters);
    std::string item;
    while (std::getline(items, item, ';')) {
        item = lower(trim(item));
        if (item.rfind("q=", 0) == 0) return std::strtod(item.c_str() + 2, nullptr);
    }
    return 1.0;
}
}  // namespace

std::string Gzip::compress(const std::string& data, int level) {
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, kGzipWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("deflate failed");
    return out;
}

Gzip::Segment Gzip::segment(const std::string& data, int level) {
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    Segment segment;
    segment.deflated.resize(deflateBound(&stream, data.size()) + 16);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(segment.deflated.data());
    stream.avail_out = static_cast<uInt>(segment.deflated.size());
    // A sync flush ends the segment byte-aligned without marking it last.
    int result = deflate(&stream, Z_SYNC_FLUSH);
    segment.deflated.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_OK || stream.avail_in != 0) throw std::runtime_error("deflate failed");
    segment.crc = crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    segment.length = data.size();
    return segment;
}

Gzip::Segment Gzip::storedSegment(const std::string& data) {
    Segment segment;
    size_t offset = 0;
    do {
        // Block header at a byte boundary: not last, type "stored", then the
        // length and its complement, little-endian.
        const size_t length = std::min<size_t>(data.size() - offset, 0xffff);
        const char header[5] = {0, static_cast<char>(length & 0xff), static_cast<char>(length >> 8),
                                static_cast<char>(~length & 0xff), static_cast<char>((~length >> 8) & 0xff)};
        segment.deflated.append(header, sizeof header);
        segment.deflated.append(data, offset, length);
        offset += length;
    } while (offset < data.size());
    segment.crc = crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    segment.length = data.size();
    return segment;
}

std::string Gzip::join(const std::vector<const Segment*>& segments) {
    static const char header[10] = {'\x1f', '\x8b', 8, 0, 0, 0, 0, 0, 0, '\xff'};
    // An empty final block with fixed codes ends the deflate stream.
    static const char lastBlock[2] = {3, 0};
    size_t size = sizeof header + sizeof lastBlock + 8;
    for (const Segment* segment : segments) size += segment->deflated.size();
    std::string out;
    out.reserve(size);
    out.append(header, sizeof header);
    unsigned long crc = crc32(0L, Z_NULL, 0);
    size_t length = 0;
    for (const Segment* segment : segments) {
        out += segment->deflated;
        crc = crc32_combine(crc, segment->crc, static_cast<z_off_t>(segment->length));
        length += segment->length;
    }
    out.append(lastBlock, sizeof lastBlock);
    for (unsigned long value : {crc, static_cast<unsigned long>(length)})
        for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xff);
    return out;
}

std::string Gzip::decompress(const std::string& data) {
    z_stream stream{};
    if (inflateInit2(&stream, kGzipWindowBits) != Z_OK) throw std::runtime_error("inflateInit2 failed");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    std::string out;
    char buffer[16384];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
        if (result == Z_BUF_ERROR && stream.avail_in == 0) break;
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("broken gzip stream");
    return out;
}

bool Gzip::accepted(const std::string& acceptEncoding) {
    std::istringstream elements(acceptEncoding);
    std::string element;
    while (std::getline(elements, element, ',')) {
        size_t semicolon = element.find(';');
        std::string coding = lower(trim(element.substr(0, semicolon)));
        if (coding != "gzip" && coding != "x-gzip" && coding != "*") continue;
        double quality = semicolon == std::string::npos ? 1.0 : qualityOf(element.substr(semicolon + 1));
        if (quality > 0) return true;
    }
    return false;
}
