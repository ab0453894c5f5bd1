#ifndef TOLKMAPS_COMMON_FILEMANAGER_H
#define TOLKMAPS_COMMON_FILEMANAGER_H

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace qiv {

// Whole-file reading and writing, directories, zlib/gzip and PNG helpers.
// Every file the library touches goes through here. The operations that read
// or change the file system take the process-wide `m_mutex` for their whole
// run; the underscore twins do the same work without it, for recursion and for
// callers that already hold the lock. Nothing throws; results are codes.
class FileManager {
public:
    // Hands over a buffer allocated with new[] (free with delete[]) holding the
    // whole file and answers its length. An empty file answers 0 and leaves
    // `buffer` untouched; -1 and a null buffer when opening or reading fails.
    static int read(const std::string& path, char** buffer);
    // Creates or truncates the file and writes `length` bytes; 0 or -1.
    static int write(const std::string& path, const char* data, int length);
    // One directory, mode 0755 (the creation mask is set to 0); mkdir's result.
    static int makedir(const std::string& path);
    // Every missing directory along the path, always taken as absolute:
    // "a//b/" makes "/a" and "/a/b". Stops at the first failure and answers it.
    static int makedirs(const std::string& path);
    // 0 when the path exists, else -1; `type` (may be null) becomes 2 for a
    // directory, 1 for a regular file, 3 for anything else.
    static int isExist(const std::string& path, int* type);
    // One file or empty directory; remove's result.
    static int removeDF(const std::string& path);
    // A directory tree. Entries whose names start with "." are kept, and so is
    // a directory that still holds one. -1 when the directory cannot be opened.
    static int removeAll(const std::string& path);
    // Appends directory + "/" + name for every file below `directory`,
    // recursively, skipping names that start with "."; -1 when it cannot be opened.
    static int fileList(const std::string& directory, std::vector<std::string>* files);

    static int _isExist(const std::string& path, int* type);
    static int _removedf(const std::string& path);
    static int _removeall(const std::string& path);
    static int _fileList(const std::string& directory, std::vector<std::string>* files);
    static int __makedir(const std::string& path);

    // Size in bytes, or -1 when the path does not exist. No lock.
    static int64_t filesize(const std::string& path);

    // Inflates a zlib or gzip stream (header detected) into `out`, replacing
    // its content. 0 when the stream ended properly; -1 when it is truncated
    // or corrupt.
    static int gzipUncompress(const char* data, int length, std::vector<char>* out);
    // Compresses at level 1 into a new[] buffer (free with delete[]).
    static bool saveZlibMemory(unsigned long length, const char* data,
                               unsigned long* compressedLength, char** buffer);
    // Inflates into the caller's buffer; `length` holds its capacity on entry
    // and the uncompressed length on return.
    static bool loadZlibMemory(unsigned long compressedLength, const char* compressed,
                               unsigned long* length, char* target);
    // Gzip file at the best compression level; true when every byte was written.
    static bool saveZlibFile(const std::string& path, const char* data, int length);
    // Reads a gzip (or plain) file, appending to `out`.
    static bool loadZlibFile(const std::string& path, std::vector<char>* out);

    // RGBA, 8 bits per channel, rows top to bottom without padding. 1 or 0.
    static int savePixelsAsPng(int width, int height, const unsigned char* pixels,
                               const std::string& path);
    // Reads a PNG in its own pixel format (channels and depth as stored).
    static bool loadPixelxAsPng(int* width, int* height, std::vector<unsigned char>* pixels,
                                const std::string& path);
    static bool loadPixelxAsPngMemory(int* width, int* height,
                                      std::vector<unsigned char>* pixels, const char* data,
                                      int length);

    static std::mutex m_mutex;
};

} // namespace qiv

#endif
