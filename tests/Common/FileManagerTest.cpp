#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "FileManager.h"
#include "ScratchDirectory.h"

using qiv::FileManager;

namespace {

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const std::string& path) {
    char* buffer = nullptr;
    int length = FileManager::read(path, &buffer);
    std::string text = length > 0 ? std::string(buffer, length) : std::string();
    delete[] buffer;
    return text;
}

// Text long enough to cross the inflater's 1024-byte slices several times.
std::string sampleText() {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "tile " + std::to_string(i * 7919 % 1000) + ";";
    return text;
}

std::vector<char> zlibStream(const std::string& text) {
    uLongf length = compressBound(text.size());
    std::vector<char> out(length);
    compress2(reinterpret_cast<Bytef*>(out.data()), &length,
              reinterpret_cast<const Bytef*>(text.data()), text.size(), 6);
    out.resize(length);
    return out;
}

std::vector<char> gzipStream(const ScratchDirectory& dir, const std::string& text) {
    std::string path = dir.file("stream.gz");
    EXPECT_TRUE(FileManager::saveZlibFile(path, text.data(), static_cast<int>(text.size())));
    std::string bytes = readText(path);
    return std::vector<char>(bytes.begin(), bytes.end());
}

} // namespace

TEST(FileManagerTest, WriteThenReadGivesTheBytesBack) {
    ScratchDirectory dir;
    std::string bytes("a\0b\xff", 4);
    ASSERT_EQ(0, FileManager::write(dir.file("f.bin"), bytes.data(), 4));
    EXPECT_EQ(bytes, readText(dir.file("f.bin")));
    EXPECT_EQ(4, FileManager::filesize(dir.file("f.bin")));
    EXPECT_EQ(-1, FileManager::filesize(dir.file("missing")));
    EXPECT_EQ(-1, FileManager::write(dir.file("no/such/dir/f.bin"), bytes.data(), 4));
}

TEST(FileManagerTest, ReadOfEmptyFileLeavesPointerAndMissingFileFails) {
    ScratchDirectory dir;
    writeText(dir.file("empty"), "");
    char marker = 'x';
    char* buffer = &marker;
    EXPECT_EQ(0, FileManager::read(dir.file("empty"), &buffer));
    EXPECT_EQ(&marker, buffer);
    EXPECT_EQ(-1, FileManager::read(dir.file("missing"), &buffer));
    EXPECT_EQ(nullptr, buffer);
}

TEST(FileManagerTest, MakedirsTreatsThePathAsAbsoluteAndSkipsEmptyParts) {
    ScratchDirectory dir;
    std::string relative = dir.path().substr(1) + "//a//b/";
    ASSERT_EQ(0, FileManager::makedirs(relative));
    int type = 0;
    EXPECT_EQ(0, FileManager::isExist(dir.file("a/b"), &type));
    EXPECT_EQ(2, type);
    EXPECT_EQ(0, FileManager::makedirs(relative)) << "existing directories are skipped";
    writeText(dir.file("plain"), "x");
    EXPECT_EQ(-1, FileManager::makedirs(dir.file("plain/below")));
    EXPECT_EQ(-1, FileManager::makedir(dir.file("a")));
}

TEST(FileManagerTest, IsExistReportsTheKindOfPath) {
    ScratchDirectory dir;
    writeText(dir.file("f"), "x");
    struct Case {
        std::string path;
        int result;
        int type;
    } cases[] = {{dir.path(), 0, 2}, {dir.file("f"), 0, 1}, {"/dev/null", 0, 3},
                 {dir.file("none"), -1, -7}};
    for (const Case& c : cases) {
        int type = -7;
        EXPECT_EQ(c.result, FileManager::isExist(c.path, &type)) << c.path;
        EXPECT_EQ(c.type, type) << c.path;
    }
    EXPECT_EQ(0, FileManager::isExist(dir.file("f"), nullptr));
}

TEST(FileManagerTest, RemoveAllKeepsDotEntriesAndTheDirectoryHoldingThem) {
    ScratchDirectory dir;
    ASSERT_EQ(0, FileManager::makedirs(dir.file("tree/sub/deeper")));
    writeText(dir.file("tree/a"), "x");
    writeText(dir.file("tree/sub/deeper/b"), "x");
    ASSERT_EQ(0, FileManager::makedirs(dir.file("clean/sub")));
    writeText(dir.file("clean/sub/c"), "x");
    writeText(dir.file("tree/.keep"), "x");

    EXPECT_EQ(0, FileManager::removeAll(dir.file("tree")));
    EXPECT_EQ(0, FileManager::isExist(dir.file("tree/.keep"), nullptr));
    EXPECT_EQ(-1, FileManager::isExist(dir.file("tree/a"), nullptr));
    EXPECT_EQ(-1, FileManager::isExist(dir.file("tree/sub"), nullptr));

    EXPECT_EQ(0, FileManager::removeAll(dir.file("clean")));
    EXPECT_EQ(-1, FileManager::isExist(dir.file("clean"), nullptr));
    EXPECT_EQ(-1, FileManager::removeAll(dir.file("clean")));
}

TEST(FileManagerTest, FileListRecursesAndSkipsDotNames) {
    ScratchDirectory dir;
    ASSERT_EQ(0, FileManager::makedirs(dir.file("x/y")));
    ASSERT_EQ(0, FileManager::makedirs(dir.file(".hidden")));
    writeText(dir.file("top"), "1");
    writeText(dir.file("x/y/leaf"), "2");
    writeText(dir.file(".dot"), "3");
    writeText(dir.file(".hidden/inside"), "4");
    std::vector<std::string> files{"kept"};
    ASSERT_EQ(0, FileManager::fileList(dir.path(), &files));
    std::sort(files.begin() + 1, files.end());
    EXPECT_EQ((std::vector<std::string>{"kept", dir.file("top"), dir.file("x/y/leaf")}), files);
    EXPECT_EQ(-1, FileManager::fileList(dir.file("none"), &files));
}

TEST(FileManagerTest, GzipUncompressReadsZlibAndGzipAndReplacesTheOutput) {
    ScratchDirectory dir;
    std::string text = sampleText();
    for (const std::vector<char>& stream : {zlibStream(text), gzipStream(dir, text)}) {
        std::vector<char> out{'o', 'l', 'd'};
        ASSERT_EQ(0, FileManager::gzipUncompress(stream.data(), static_cast<int>(stream.size()), &out));
        EXPECT_EQ(text, std::string(out.begin(), out.end()));
    }
}

TEST(FileManagerTest, GzipUncompressRefusesTruncatedOrCorruptStreams) {
    ScratchDirectory dir;
    std::vector<char> gzip = gzipStream(dir, sampleText());
    std::vector<char> corrupt = gzip;
    corrupt[corrupt.size() / 2] ^= 0x55;
    std::vector<char> out;
    EXPECT_EQ(-1, FileManager::gzipUncompress(gzip.data(), static_cast<int>(gzip.size()) - 9, &out));
    EXPECT_EQ(-1, FileManager::gzipUncompress(gzip.data(), 5, &out));
    EXPECT_EQ(-1, FileManager::gzipUncompress(corrupt.data(), static_cast<int>(corrupt.size()), &out));
    EXPECT_EQ(-1, FileManager::gzipUncompress("plain text", 10, &out));
}

TEST(FileManagerTest, ZlibMemoryRoundTripNeedsEnoughRoom) {
    std::string text = sampleText();
    unsigned long compressedLength = 0;
    char* compressed = nullptr;
    ASSERT_TRUE(FileManager::saveZlibMemory(text.size(), text.data(), &compressedLength, &compressed));
    EXPECT_LT(compressedLength, text.size());

    std::vector<char> target(text.size());
    unsigned long length = target.size();
    EXPECT_TRUE(FileManager::loadZlibMemory(compressedLength, compressed, &length, target.data()));
    EXPECT_EQ(text.size(), length);
    EXPECT_EQ(text, std::string(target.begin(), target.end()));

    unsigned long tooSmall = text.size() / 2;
    EXPECT_FALSE(FileManager::loadZlibMemory(compressedLength, compressed, &tooSmall, target.data()));
    delete[] compressed;
}

TEST(FileManagerTest, ZlibFileRoundTripAndPlainFilesReadAsTheyAre) {
    ScratchDirectory dir;
    std::string text = sampleText();
    ASSERT_TRUE(FileManager::saveZlibFile(dir.file("t.gz"), text.data(), static_cast<int>(text.size())));
    std::vector<char> out;
    ASSERT_TRUE(FileManager::loadZlibFile(dir.file("t.gz"), &out));
    EXPECT_EQ(text, std::string(out.begin(), out.end()));

    writeText(dir.file("plain"), "not compressed");
    std::vector<char> plain;
    ASSERT_TRUE(FileManager::loadZlibFile(dir.file("plain"), &plain));
    EXPECT_EQ("not compressed", std::string(plain.begin(), plain.end()));
    EXPECT_FALSE(FileManager::loadZlibFile(dir.file("missing"), &plain));
    EXPECT_FALSE(FileManager::saveZlibFile(dir.file("no/dir/t.gz"), text.data(), 4));
}

TEST(FileManagerTest, PngWrittenAndReadBackFromFileAndMemory) {
    ScratchDirectory dir;
    const int width = 5;
    const int height = 3;
    std::vector<unsigned char> pixels(width * height * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 37 % 256);
    ASSERT_EQ(1, FileManager::savePixelsAsPng(width, height, pixels.data(), dir.file("p.png")));

    int readWidth = 0;
    int readHeight = 0;
    std::vector<unsigned char> read;
    ASSERT_TRUE(FileManager::loadPixelxAsPng(&readWidth, &readHeight, &read, dir.file("p.png")));
    EXPECT_EQ(width, readWidth);
    EXPECT_EQ(height, readHeight);
    EXPECT_EQ(pixels, read);

    std::string bytes = readText(dir.file("p.png"));
    std::vector<unsigned char> fromMemory;
    ASSERT_TRUE(FileManager::loadPixelxAsPngMemory(&readWidth, &readHeight, &fromMemory,
                                                  bytes.data(), static_cast<int>(bytes.size())));
    EXPECT_EQ(pixels, fromMemory);
}

TEST(FileManagerTest, PngFailuresAreReportedNotThrown) {
    ScratchDirectory dir;
    unsigned char pixel[4] = {1, 2, 3, 4};
    EXPECT_EQ(0, FileManager::savePixelsAsPng(1, 1, pixel, dir.file("no/dir/p.png")));
    writeText(dir.file("fake.png"), "not an image");
    int width = 0;
    int height = 0;
    std::vector<unsigned char> out;
    EXPECT_FALSE(FileManager::loadPixelxAsPng(&width, &height, &out, dir.file("fake.png")));
    EXPECT_FALSE(FileManager::loadPixelxAsPng(&width, &height, &out, dir.file("missing.png")));
    std::string png = "\x89PNG\r\n\x1a\n";
    EXPECT_FALSE(FileManager::loadPixelxAsPngMemory(&width, &height, &out, png.data(),
                                                    static_cast<int>(png.size())));
}
