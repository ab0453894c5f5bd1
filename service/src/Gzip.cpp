#include "Gzip.h"

#include <zlib.h>

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
