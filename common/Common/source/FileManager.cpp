#include "FileManager.h"

#include <dirent.h>
#include <png.h>
#include <sys/stat.h>
#include <zlib.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Log.h"

namespace qiv {

std::mutex FileManager::m_mutex;

namespace {

constexpr int kInflateBlock = 1024;
constexpr int kGzipReadChunk = 65536;

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::istringstream stream(path);
    std::string part;
    while (std::getline(stream, part, '/')) {
        if (!part.empty()) parts.push_back(part);
    }
    return parts;
}

bool isHidden(const char* name) { return name[0] == '.'; }

// Calls `visit` with the full path and directory flag of every entry of
// `directory` whose name does not start with "."; false when it cannot be opened.
template <typename Visit>
bool forEachVisibleEntry(const std::string& directory, Visit visit) {
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) return false;
    while (dirent* entry = readdir(dir)) {
        if (isHidden(entry->d_name)) continue;
        std::string path = directory + "/" + entry->d_name;
        struct stat info;
        bool isDir = lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        visit(path, isDir);
    }
    closedir(dir);
    return true;
}

} // namespace

int FileManager::read(const std::string& path, char** buffer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::ifstream file(path, std::ios::binary);
    std::streampos start = file.tellg();
    file.seekg(0, std::ios::end);
    std::streamoff length = file.tellg() - start;
    file.seekg(start);
    if (!file || length < 0 || length > INT_MAX) {
        *buffer = nullptr;
        return -1;
    }
    if (length == 0) return 0;
    *buffer = new char[length];
    if (!file.read(*buffer, length)) {
        delete[] *buffer;
        *buffer = nullptr;
        return -1;
    }
    return static_cast<int>(length);
}

int FileManager::write(const std::string& path, const char* data, int length) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (length < 0) return -1;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return -1;
    file.write(data, length);
    file.close();
    return file ? 0 : -1;
}

int FileManager::makedir(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return __makedir(path);
}

int FileManager::__makedir(const std::string& path) {
    umask(0);
    return mkdir(path.c_str(), 0755);
}

int FileManager::makedirs(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string prefix;
    for (const std::string& part : splitPath(path)) {
        prefix += "/" + part;
        if (_isExist(prefix, nullptr) == 0) continue;
        int result = __makedir(prefix);
        if (result != 0) return result;
    }
    return 0;
}

int FileManager::isExist(const std::string& path, int* type) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return _isExist(path, type);
}

int FileManager::_isExist(const std::string& path, int* type) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return -1;
    if (type != nullptr) {
        if (S_ISDIR(info.st_mode)) *type = 2;
        else if (S_ISREG(info.st_mode)) *type = 1;
        else *type = 3;
    }
    return 0;
}

int FileManager::removeDF(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return _removedf(path);
}

int FileManager::_removedf(const std::string& path) { return std::remove(path.c_str()); }

int FileManager::removeAll(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return _removeall(path);
}

int FileManager::_removeall(const std::string& path) {
    bool opened = forEachVisibleEntry(path, [](const std::string& entry, bool isDir) {
        if (isDir) _removeall(entry);
        else _removedf(entry);
    });
    if (!opened) return -1;
    _removedf(path);
    return 0;
}

int FileManager::fileList(const std::string& directory, std::vector<std::string>* files) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return _fileList(directory, files);
}

int FileManager::_fileList(const std::string& directory, std::vector<std::string>* files) {
    bool opened = forEachVisibleEntry(directory, [files](const std::string& entry, bool isDir) {
        if (isDir) _fileList(entry, files);
        else files->push_back(entry);
    });
    return opened ? 0 : -1;
}

int64_t FileManager::filesize(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return -1;
    return static_cast<int64_t>(info.st_size);
}

int FileManager::gzipUncompress(const char* data, int length, std::vector<char>* out) {
    z_stream stream{};
    if (length < 0 || inflateInit2(&stream, 15 + 32) != Z_OK) return -1;
    out->clear();
    char block[kInflateBlock];
    int consumed = 0;
    int result = Z_OK;
    while (result == Z_OK) {
        if (stream.avail_in == 0 && consumed < length) {
            int slice = std::min(kInflateBlock, length - consumed);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data + consumed));
            stream.avail_in = static_cast<uInt>(slice);
            consumed += slice;
        }
        stream.next_out = reinterpret_cast<Bytef*>(block);
        stream.avail_out = kInflateBlock;
        result = inflate(&stream, Z_NO_FLUSH);
        out->insert(out->end(), block, block + (kInflateBlock - stream.avail_out));
    }
    inflateEnd(&stream);
    if (result == Z_STREAM_END) return 0;
    K7D_LOG_WARNING("inflate failed: result", result, "consumed", consumed, "of", length);
    return -1;
}

bool FileManager::saveZlibMemory(unsigned long length, const char* data,
                                 unsigned long* compressedLength, char** buffer) {
    uLongf bound = compressBound(length);
    char* target = new char[bound];
    if (compress2(reinterpret_cast<Bytef*>(target), &bound,
                  reinterpret_cast<const Bytef*>(data), length, 1) != Z_OK) {
        delete[] target;
        return false;
    }
    *compressedLength = bound;
    *buffer = target;
    return true;
}

bool FileManager::loadZlibMemory(unsigned long compressedLength, const char* compressed,
                                 unsigned long* length, char* target) {
    uLongf capacity = *length;
    int result = uncompress(reinterpret_cast<Bytef*>(target), &capacity,
                            reinterpret_cast<const Bytef*>(compressed), compressedLength);
    if (result != Z_OK) return false;
    *length = capacity;
    return true;
}

bool FileManager::saveZlibFile(const std::string& path, const char* data, int length) {
    gzFile file = gzopen(path.c_str(), "wb9");
    if (file == nullptr) return false;
    int written = length > 0 ? gzwrite(file, data, static_cast<unsigned>(length)) : 0;
    bool closed = gzclose(file) == Z_OK;
    return closed && written == length;
}

bool FileManager::loadZlibFile(const std::string& path, std::vector<char>* out) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::vector<char> chunk(kGzipReadChunk);
    int count = 0;
    while ((count = gzread(file, chunk.data(), kGzipReadChunk)) > 0) {
        out->insert(out->end(), chunk.begin(), chunk.begin() + count);
    }
    gzclose(file);
    return count == 0;
}

namespace {

// Writes the image through an initialised libpng write structure; false when
// libpng reported an error. The row list points into the caller's pixels.
bool writePngRows(png_structp png, png_infop info, FILE* file, int width, int height,
                  const unsigned char* pixels) {
    std::vector<png_bytep> rows(height);
    size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        rows[y] = const_cast<png_bytep>(pixels + rowBytes * y);
    }
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

// Finishes a simplified read begun on `image`: palette images come out in
// their colour format, everything else in its own format.
bool finishPngRead(png_image& image, int* width, int* height,
                   std::vector<unsigned char>* pixels) {
    if (PNG_IMAGE_FAILED(image)) return false;
    image.format &= ~PNG_FORMAT_FLAG_COLORMAP;
    pixels->resize(PNG_IMAGE_SIZE(image));
    bool done = png_image_finish_read(&image, nullptr, pixels->data(),
                                      PNG_IMAGE_ROW_STRIDE(image), nullptr) != 0;
    png_image_free(&image);
    if (!done) return false;
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return true;
}

} // namespace

int FileManager::savePixelsAsPng(int width, int height, const unsigned char* pixels,
                                 const std::string& path) {
    if (width <= 0 || height <= 0) return 0;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool written = info != nullptr && writePngRows(png, info, file, width, height, pixels);
    png_destroy_write_struct(&png, &info);
    bool closed = std::fclose(file) == 0;
    return written && closed ? 1 : 0;
}

bool FileManager::loadPixelxAsPng(int* width, int* height, std::vector<unsigned char>* pixels,
                                  const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_file(&image, path.c_str());
    return finishPngRead(image, width, height, pixels);
}

bool FileManager::loadPixelxAsPngMemory(int* width, int* height,
                                        std::vector<unsigned char>* pixels, const char* data,
                                        int length) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (length <= 0) return false;
    png_image_begin_read_from_memory(&image, data, static_cast<size_t>(length));
    return finishPngRead(image, width, height, pixels);
}

} // namespace qiv
