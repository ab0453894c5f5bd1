#ifndef TOLKMAPS_TESTS_GLTESTCONTEXT_H
#define TOLKMAPS_TESTS_GLTESTCONTEXT_H

#include <EGL/egl.h>
#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A headless OpenGL ES 2.0 context on an EGL pbuffer (RGBA8, depth 24,
// stencil 8), made current on the calling thread. Picks the surfaceless
// Mesa platform (llvmpipe) when there is no GPU, a GPU's EGL device otherwise.
class GLTestContext {
public:
    GLTestContext(int width, int height);
    ~GLTestContext();
    GLTestContext(const GLTestContext&) = delete;
    GLTestContext& operator=(const GLTestContext&) = delete;

    bool isValid() const { return m_context != EGL_NO_CONTEXT; }
    const std::string& error() const { return m_error; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // GL_RENDERER of the current context, for reports.
    std::string renderer() const;

    using RGBA = std::array<uint8_t, 4>;
    // The pixel at (x, y) with y counted downward from the top row, as on screen.
    RGBA readPixel(int x, int y) const;
    // The whole surface, top row first, 4 bytes per pixel.
    std::vector<uint8_t> readPixels() const;

private:
    bool initDisplay();
    bool fail(const std::string& what);

    int m_width;
    int m_height;
    EGLDisplay m_display = EGL_NO_DISPLAY;
    EGLSurface m_surface = EGL_NO_SURFACE;
    EGLContext m_context = EGL_NO_CONTEXT;
    std::string m_error;
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
