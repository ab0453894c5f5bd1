#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "HeadlessSurface.h"

namespace {

using RGBA = std::array<uint8_t, 4>;

RGBA pixelAt(const std::vector<uint8_t>& pixels, int width, int x, int y) {
    const size_t at = (static_cast<size_t>(y) * width + x) * 4;
    return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
}

}  // namespace

// The snapshot is written top row first: a band cleared in the upper rows of
// the GL surface (GL counts rows from the bottom) must come out on top.
TEST(HeadlessSurfaceRenderTest, ReadsPixelsTopRowFirstWithoutPadding) {
    // An odd width: rows of 4-byte pixels need no padding, but a wrong
    // stride would still shear the image.
    const int width = 37;
    const int height = 20;
    HeadlessSurface surface(width, height);
    ASSERT_TRUE(surface.isValid()) << surface.error();
    EXPECT_FALSE(surface.renderer().empty());

    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, height - 5, width, 5);  // the top five rows
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(width - 1, 0, 1, 1);  // the bottom-right pixel
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    const std::vector<uint8_t> pixels = surface.readPixels();
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width * height * 4));
    const RGBA red{255, 0, 0, 255}, blue{0, 0, 255, 255}, green{0, 255, 0, 255};
    EXPECT_EQ(pixelAt(pixels, width, 0, 0), red);
    EXPECT_EQ(pixelAt(pixels, width, width - 1, 4), red);
    EXPECT_EQ(pixelAt(pixels, width, 0, 5), blue);
    EXPECT_EQ(pixelAt(pixels, width, width - 2, height - 1), blue);
    EXPECT_EQ(pixelAt(pixels, width, width - 1, height - 1), green);
}

TEST(HeadlessSurfaceRenderTest, HasTheDepthAndStencilBuffersTheFrameUses) {
    HeadlessSurface surface(8, 8);
    ASSERT_TRUE(surface.isValid()) << surface.error();
    GLint depthBits = 0;
    GLint stencilBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    EXPECT_GE(depthBits, 16);
    EXPECT_EQ(stencilBits, 8);
}
