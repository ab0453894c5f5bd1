#include <gtest/gtest.h>

#include "GLTestContext.h"

TEST_F(GLTest, ClearsToAColourAndReadsItBack) {
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    const auto pixel = gl().readPixel(10, 20);
    EXPECT_NEAR(pixel[0], 51, 1);
    EXPECT_NEAR(pixel[1], 102, 1);
    EXPECT_NEAR(pixel[2], 153, 1);
    EXPECT_EQ(pixel[3], 255);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, HasDepthAndStencilAndReadsRowsTopDown) {
    GLint depthBits = 0;
    GLint stencilBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    EXPECT_GE(depthBits, 16);
    EXPECT_EQ(stencilBits, 8);

    // Red everywhere, then green in the top 10 rows only.
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kHeight - 10, kWidth, 10);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    const auto pixels = gl().readPixels();
    ASSERT_EQ(pixels.size(), static_cast<size_t>(kWidth * kHeight * 4));
    EXPECT_EQ(pixels[1], 255) << "top-left pixel should be green";
    const size_t bottomLeft = static_cast<size_t>(kHeight - 1) * kWidth * 4;
    EXPECT_EQ(pixels[bottomLeft], 255) << "bottom-left pixel should be red";
    EXPECT_EQ(gl().readPixel(0, 0), (GLTestContext::RGBA{0, 255, 0, 255}));
}
