#include "HeadlessSurface.h"

#include <EGL/eglext.h>
#include <GLES2/gl2.h>

#include <cstring>
#include <sstream>

namespace {

const EGLint kMostDevices = 8;

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

// An initialized display of the given platform, or EGL_NO_DISPLAY.
EGLDisplay openPlatform(EGLenum platform, void* nativeDisplay) {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return EGL_NO_DISPLAY;
    EGLDisplay display = getPlatformDisplay(platform, nativeDisplay, nullptr);
    if (display == EGL_NO_DISPLAY) return EGL_NO_DISPLAY;
    return eglInitialize(display, nullptr, nullptr) == EGL_TRUE ? display : EGL_NO_DISPLAY;
}

// A GPU's EGL device when the driver offers one; software devices are skipped
// so that the surfaceless platform picks llvmpipe the usual way.
EGLDisplay openHardwareDevice(const char* clientExtensions) {
    if (!hasExtension(clientExtensions, "EGL_EXT_platform_device")) return EGL_NO_DISPLAY;
    auto queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    auto queryDeviceString = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(
        eglGetProcAddress("eglQueryDeviceStringEXT"));
    if (queryDevices == nullptr || queryDeviceString == nullptr) return EGL_NO_DISPLAY;
    EGLDeviceEXT devices[kMostDevices];
    EGLint count = 0;
    if (queryDevices(kMostDevices, devices, &count) != EGL_TRUE) return EGL_NO_DISPLAY;
    for (EGLint i = 0; i < count; ++i) {
        if (hasExtension(queryDeviceString(devices[i], EGL_EXTENSIONS), "EGL_MESA_device_software"))
            continue;
        EGLDisplay display = openPlatform(EGL_PLATFORM_DEVICE_EXT, devices[i]);
        if (display != EGL_NO_DISPLAY) return display;
    }
    return EGL_NO_DISPLAY;
}

}  // namespace

HeadlessSurface::HeadlessSurface(int width, int height) : m_width(width), m_height(height) {
    if (openDisplay() && makeContext()) glViewport(0, 0, width, height);
}

HeadlessSurface::~HeadlessSurface() {
    if (m_display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context != EGL_NO_CONTEXT) eglDestroyContext(m_display, m_context);
    if (m_surface != EGL_NO_SURFACE) eglDestroySurface(m_display, m_surface);
    eglTerminate(m_display);
}

bool HeadlessSurface::openDisplay() {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    m_display = openHardwareDevice(clientExtensions);
    if (m_display == EGL_NO_DISPLAY &&
        hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        m_display = openPlatform(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY);
    }
    if (m_display == EGL_NO_DISPLAY) {
        m_display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
        if (m_display != EGL_NO_DISPLAY && eglInitialize(m_display, nullptr, nullptr) != EGL_TRUE)
            m_display = EGL_NO_DISPLAY;
    }
    return m_display != EGL_NO_DISPLAY || fail("no EGL display could be initialized");
}

bool HeadlessSurface::makeContext() {
    const EGLint configAttributes[] = {
        EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT,
        EGL_RED_SIZE,     8,               EGL_GREEN_SIZE,      8,
        EGL_BLUE_SIZE,    8,               EGL_ALPHA_SIZE,      8,
        EGL_DEPTH_SIZE,   24,              EGL_STENCIL_SIZE,    8,
        EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (eglChooseConfig(m_display, configAttributes, &config, 1, &configCount) != EGL_TRUE ||
        configCount == 0) {
        return fail("no RGBA8 pbuffer configuration with depth and an 8-bit stencil");
    }
    const EGLint surfaceAttributes[] = {EGL_WIDTH, m_width, EGL_HEIGHT, m_height, EGL_NONE};
    m_surface = eglCreatePbufferSurface(m_display, config, surfaceAttributes);
    if (m_surface == EGL_NO_SURFACE) return fail("eglCreatePbufferSurface failed");
    eglBindAPI(EGL_OPENGL_ES_API);
    const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLContext context = eglCreateContext(m_display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) return fail("eglCreateContext failed");
    if (eglMakeCurrent(m_display, m_surface, m_surface, context) != EGL_TRUE) {
        fail("eglMakeCurrent failed");
        eglDestroyContext(m_display, context);
        return false;
    }
    m_context = context;
    return true;
}

bool HeadlessSurface::fail(const std::string& what) {
    std::ostringstream message;
    message << what << " (EGL error 0x" << std::hex << eglGetError() << ")";
    m_error = message.str();
    return false;
}

std::string HeadlessSurface::renderer() const {
    const auto* text = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return text != nullptr ? text : "";
}

std::vector<uint8_t> HeadlessSurface::readPixels() const {
    const size_t rowBytes = static_cast<size_t>(m_width) * 4;
    std::vector<uint8_t> bottomUp(rowBytes * m_height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    for (int row = 0; row < m_height; ++row) {
        std::memcpy(&topDown[row * rowBytes], &bottomUp[(m_height - 1 - row) * rowBytes],
                    rowBytes);
    }
    return topDown;
}
