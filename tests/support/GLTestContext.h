#ifndef TOLKMAPS_TESTS_GLTESTCONTEXT_H
#define TOLKMAPS_TESTS_GLTESTCONTEXT_H

#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>

#include "HeadlessSurface.h"

// The renderer's headless context (EGL pbuffer, current on the calling
// thread) with single-pixel reads for tests.
class GLTestContext : public HeadlessSurface {
public:
    using HeadlessSurface::HeadlessSurface;

    using RGBA = std::array<uint8_t, 4>;
    // The pixel at (x, y) with y counted downward from the top row, as on screen.
    RGBA readPixel(int x, int y) const;
};

// Test fixture that gives each test a current context of the fixture's size.
class GLTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 512;
    void SetUp() override;
    void TearDown() override;
    GLTestContext& gl() { return *m_gl; }

private:
    std::unique_ptr<GLTestContext> m_gl;
};

#endif
