#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLUtility.h"

using qiv::GLUtility;
using qiv::PointLF;

TEST(GLUtilityTest, SplitKeepsEmptyPiecesExceptATrailingOne) {
    const struct {
        const char* text;
        std::vector<std::string> pieces;
    } cases[] = {
        {"a,,b", {"a", "", "b"}},
        {",a,", {"", "a"}},
        {"", {}},
        {",", {""}},
        {"path/to/file", {"path", "to", "file"}},
        {"single", {"single"}},
    };
    for (const auto& c : cases) {
        const char separator = std::string(c.text).find('/') != std::string::npos ? '/' : ',';
        EXPECT_EQ(GLUtility::split(c.text, separator), c.pieces) << c.text;
    }
}

TEST(GLUtilityTest, PowerOfTwoPadding) {
    const struct {
        int n;
        int padded;
    } cases[] = {{-3, -1}, {0, -1}, {1, 1},     {2, 2},     {3, 4},
                 {4, 4},   {5, 8},  {300, 512}, {512, 512}, {1025, 2048}};
    for (const auto& c : cases) EXPECT_EQ(GLUtility::padToPowerOfTwo(c.n), c.padded) << c.n;
    EXPECT_FALSE(GLUtility::isPowerOfTwo(0));
    EXPECT_FALSE(GLUtility::isPowerOfTwo(-4));
    EXPECT_FALSE(GLUtility::isPowerOfTwo(6));
    EXPECT_TRUE(GLUtility::isPowerOfTwo(1024));
}

namespace {

// An RGBA image whose pixel (x, y) holds x, y, 7, 255.
std::vector<unsigned char> image(int width, int height) {
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.insert(pixels.end(),
                          {static_cast<unsigned char>(x), static_cast<unsigned char>(y), 7, 255});
        }
    }
    return pixels;
}

}  // namespace

TEST(GLUtilityTest, ImagePaddedToASquarePowerOfTwoKeepsItsPixelsTopLeft) {
    const struct {
        int width, height;
        int side;  // 0: unchanged
    } cases[] = {{3, 2, 4},   {512, 300, 512}, {1, 1, 1},
                 {5, 17, 32}, {1500, 10, 0},   {1024, 1024, 1024}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        std::vector<unsigned char> pixels = image(c.width, c.height);
        const std::vector<unsigned char> original = pixels;
        int width = c.width, height = c.height;
        EXPECT_EQ(GLUtility::convImagePowerOfTwo(&pixels, &width, &height), c.side != 0);
        if (c.side == 0) {
            EXPECT_EQ(width, c.width);
            EXPECT_EQ(height, c.height);
            EXPECT_EQ(pixels, original);
            continue;
        }
        ASSERT_EQ(width, c.side);
        ASSERT_EQ(height, c.side);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(c.side) * c.side * 4);
        for (int y = 0; y < c.side; ++y) {
            for (int x = 0; x < c.side; ++x) {
                const unsigned char* p = &pixels[(static_cast<size_t>(y) * c.side + x) * 4];
                const bool inside = x < c.width && y < c.height;
                const std::vector<unsigned char> expected =
                    inside ? std::vector<unsigned char>{static_cast<unsigned char>(x),
                                                        static_cast<unsigned char>(y), 7, 255}
                           : std::vector<unsigned char>{0, 0, 0, 0};
                ASSERT_EQ(std::vector<unsigned char>(p, p + 4), expected) << x << "," << y;
            }
        }
    }
}

TEST(GLUtilityTest, ImageWithoutEnoughPixelsIsLeftAlone) {
    std::vector<unsigned char> pixels(3 * 2 * 4 - 1, 9);
    int width = 3, height = 2;
    EXPECT_FALSE(GLUtility::convImagePowerOfTwo(&pixels, &width, &height));
    EXPECT_EQ(pixels.size(), 23u);
    EXPECT_EQ(width, 3);
    int zero = 0;
    EXPECT_FALSE(GLUtility::convImagePowerOfTwo(&pixels, &zero, &height));
}

TEST(GLUtilityTest, SegmentCrossing) {
    double x = -1, y = -1;
    EXPECT_TRUE(
        GLUtility::CrossLine(PointLF(0, 0), PointLF(4, 4), PointLF(0, 4), PointLF(4, 0), &x, &y));
    EXPECT_DOUBLE_EQ(x, 2);
    EXPECT_DOUBLE_EQ(y, 2);
    // Touching at an end point counts; missing, parallel and collinear do not.
    EXPECT_TRUE(GLUtility::CrossLine(PointLF(0, 0), PointLF(2, 0), PointLF(2, -1), PointLF(2, 1),
                                     nullptr, nullptr));
    EXPECT_FALSE(
        GLUtility::CrossLine(PointLF(0, 0), PointLF(1, 1), PointLF(3, 0), PointLF(0, 3), &x, &y));
    EXPECT_FALSE(
        GLUtility::CrossLine(PointLF(0, 0), PointLF(4, 0), PointLF(0, 1), PointLF(4, 1), &x, &y));
    EXPECT_FALSE(
        GLUtility::CrossLine(PointLF(0, 0), PointLF(4, 0), PointLF(2, 0), PointLF(6, 0), &x, &y));
}

TEST(GLUtilityTest, CramerSolvesOrRefusesASingularSystem) {
    const double m[2][2] = {{2, 1}, {1, 3}};
    const double v[2] = {5, 10};
    double out[2] = {0, 0};
    ASSERT_TRUE(GLUtility::calcMatrix(m, v, out));
    EXPECT_DOUBLE_EQ(out[0], 1);
    EXPECT_DOUBLE_EQ(out[1], 3);
    const double singular[2][2] = {{1, 2}, {2, 4}};
    double untouched[2] = {7, 7};
    EXPECT_FALSE(GLUtility::calcMatrix(singular, v, untouched));
    EXPECT_EQ(untouched[0], 7);
}
