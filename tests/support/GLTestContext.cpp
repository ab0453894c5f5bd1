#include "GLTestContext.h"

#include <EGL/eglext.h>

#include <cstring>

namespace {

bool hasExtension(const char* list, const char* name) {
    if (list == nullptr) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}

// Tries the given platform; answers an initialized display or EGL_NO_DISPLAY.
EGLDisplay openPlatform(EGLenum platform, void* nativeDisplay) {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return EGL_NO_DISPLAY;
    EGLDisplay display = getPlatformDisplay(platform, nativeDisplay, nullptr);
    if (display == EGL_NO_DISPLAY) return EGL_NO_DISPLAY;
    if (eglInitialize(display, nullptr, nullptr) != EGL_TRUE) return EGL_NO_DISPLAY;
    return display;
}

// A GPU's EGL device when the driver offers one (software devices skipped).
EGLDisplay openHardwareDevice(const char* clientExtensions) {
    if (!hasExtension(clientExtensions, "EGL_EXT_platform_device")) return EGL_NO_DISPLAY;
    auto queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    auto queryDeviceString = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(
        eglGetProcAddress("eglQueryDeviceStringEXT"));
    if (queryDevices == nullptr || queryDeviceString == nullptr) return EGL_NO_DISPLAY;
    EGLDeviceEXT devices[8];
    EGLint count = 0;
    if (queryDevices(8, devices, &count) != EGL_TRUE) return EGL_NO_DISPLAY;
    for (EGLint i = 0; i < count; ++i) {
        const char* deviceExtensions = queryDeviceString(devices[i], EGL_EXTENSIONS);
        if (hasExtension(deviceExtensions, "EGL_MESA_device_software")) continue;
        EGLDisplay display = openPlatform(EGL_PLATFORM_DEVICE_EXT, devices[i]);
        if (display != EGL_NO_DISPLAY) return display;
    }
    return EGL_NO_DISPLAY;
}

}  // namespace

GLTestContext::GLTestContext(int width, int height) : m_width(width), m_height(height) {
    if (!initDisplay()) return;
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_ES2_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_ALPHA_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       24,
                                       EGL_STENCIL_SIZE,
                                       8,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (eglChooseConfig(m_display, configAttributes, &config, 1, &configCount) != EGL_TRUE ||
        configCount == 0) {
        fail("no RGBA8 / depth / stencil-8 pbuffer config");
        return;
    }
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    m_surface = eglCreatePbufferSurface(m_display, config, surfaceAttributes);
    if (m_surface == EGL_NO_SURFACE) {
        fail("eglCreatePbufferSurface failed");
        return;
    }
    eglBindAPI(EGL_OPENGL_ES_API);
    const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    m_context = eglCreateContext(m_display, config, EGL_NO_CONTEXT, contextAttributes);
    if (m_context == EGL_NO_CONTEXT) {
        fail("eglCreateContext failed");
        return;
    }
    if (eglMakeCurrent(m_display, m_surface, m_surface, m_context) != EGL_TRUE) {
        fail("eglMakeCurrent failed");
        eglDestroyContext(m_display, m_context);
        m_context = EGL_NO_CONTEXT;
        return;
    }
    glViewport(0, 0, width, height);
}

bool GLTestContext::initDisplay() {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    m_display = openHardwareDevice(clientExtensions);
    if (m_display == EGL_NO_DISPLAY &&
        hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        m_display = openPlatform(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY);
    }
    if (m_display == EGL_NO_DISPLAY) {
        m_display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
        if (m_display != EGL_NO_DISPLAY && eglInitialize(m_display, nullptr, nullptr) != EGL_TRUE) {
            m_display = EGL_NO_DISPLAY;
        }
    }
    return m_display != EGL_NO_DISPLAY || fail("no EGL display could be initialized");
}

bool GLTestContext::fail(const std::string& what) {
    m_error = what + " (EGL error 0x" + std::to_string(eglGetError()) + ")";
    return false;
}

GLTestContext::~GLTestContext() {
    if (m_display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context != EGL_NO_CONTEXT) eglDestroyContext(m_display, m_context);
    if (m_surface != EGL_NO_SURFACE) eglDestroySurface(m_display, m_surface);
    eglTerminate(m_display);
}

std::string GLTestContext::renderer() const {
    const auto* text = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return text != nullptr ? text : "";
}

GLTestContext::RGBA GLTestContext::readPixel(int x, int y) const {
    RGBA pixel{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, m_height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

std::vector<uint8_t> GLTestContext::readPixels() const {
    const size_t rowBytes = static_cast<size_t>(m_width) * 4;
    std::vector<uint8_t> bottomUp(rowBytes * m_height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    for (int row = 0; row < m_height; ++row) {
        std::memcpy(&topDown[row * rowBytes], &bottomUp[(m_height - 1 - row) * rowBytes], rowBytes);
    }
    return topDown;
}

void GLTest::SetUp() {
    m_gl = std::make_unique<GLTestContext>(kWidth, kHeight);
    ASSERT_TRUE(m_gl->isValid()) << m_gl->error();
}

void GLTest::TearDown() { m_gl.reset(); }
