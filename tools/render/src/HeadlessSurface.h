#ifndef TOLKMAPS_RENDER_HEADLESSSURFACE_H
#define TOLKMAPS_RENDER_HEADLESSSURFACE_H

#include <EGL/egl.h>

#include <cstdint>
#include <string>
#include <vector>

// An OpenGL ES 2.0 context on an EGL pbuffer (RGBA8, depth 24, stencil 8),
// current on the thread that made it. Takes a GPU's EGL device when there is
// one, else Mesa's surfaceless platform (llvmpipe), else the default display.
class HeadlessSurface {
public:
    HeadlessSurface(int width, int height);
    ~HeadlessSurface();
    HeadlessSurface(const HeadlessSurface&) = delete;
    HeadlessSurface& operator=(const HeadlessSurface&) = delete;

    bool isValid() const { return m_context != EGL_NO_CONTEXT; }
    // Why the surface could not be made, with the EGL error code.
    const std::string& error() const { return m_error; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // GL_RENDERER of the context.
    std::string renderer() const;
    // The whole surface, RGBA, top row first, no row padding.
    std::vector<uint8_t> readPixels() const;

private:
    bool openDisplay();
    bool makeContext();
    bool fail(const std::string& what);

    int m_width;
    int m_height;
    EGLDisplay m_display = EGL_NO_DISPLAY;
    EGLSurface m_surface = EGL_NO_SURFACE;
    EGLContext m_context = EGL_NO_CONTEXT;
    std::string m_error;
};

#endif
