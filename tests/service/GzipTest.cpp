#include "Gzip.h"

#include <gtest/gtest.h>

namespace {

TEST(GzipTest, AcceptEncodingDecidesByCodingAndQuality) {
    const std::vector<std::pair<const char*, bool>> cases{
        {"gzip", true},           {"deflate, gzip;q=0.5", true}, {"GZIP", true},
        {"*", true},              {"gzip;q=0", false},           {"br, deflate", false},
        {"", false},              {"gzip ; q=0.0, br", false},   {"x-gzip", true},
    };
    for (const auto& [header, accepted] : cases) EXPECT_EQ(Gzip::accepted(header), accepted) << header;
}

TEST(GzipTest, CompressedBytesComeBackAndBrokenStreamsAreRefused) {
    const std::string data(10000, 'q');
    const std::string packed = Gzip::compress(data);
    EXPECT_LT(packed.size(), data.size());
    EXPECT_EQ(Gzip::decompress(packed), data);
    EXPECT_THROW(Gzip::decompress(packed.substr(0, packed.size() / 2)), std::runtime_error);
    EXPECT_THROW(Gzip::decompress("not gzip"), std::runtime_error);
}

TEST(GzipTest, JoinedSegmentsFormOneStreamOfTheirBytesInOrder) {
    std::string random;
    uint32_t state = 7;
    for (int i = 0; i < 70000; ++i) random += static_cast<char>((state = state * 1103515245 + 12345) >> 24);
    const std::vector<std::string> pieces{"ctg\xff", "", random, std::string(5000, 'z'), "tail"};
    std::vector<Gzip::Segment> segments;
    for (const std::string& piece : pieces) segments.push_back(Gzip::segment(piece, 6));
    segments.push_back(Gzip::storedSegment(random));  // more than one stored block
    segments.push_back(Gzip::storedSegment(""));
    const std::vector<std::string> storedPieces{random, ""};
    std::vector<const Gzip::Segment*> order;
    std::string expected;
    for (size_t i = 0; i < pieces.size(); ++i) {
        order.push_back(&segments[i]);
        expected += pieces[i];
    }
    for (size_t i = 0; i < storedPieces.size(); ++i) {
        order.push_back(&segments[pieces.size() + i]);
        expected += storedPieces[i];
    }
    EXPECT_EQ(Gzip::decompress(Gzip::join(order)), expected);
    EXPECT_EQ(Gzip::decompress(Gzip::join({})), "");
}

}  // namespace
