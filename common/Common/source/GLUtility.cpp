#include "GLUtility.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cstring>

#include "Log.h"

namespace qiv {

namespace {

// A context without errors answers GL_NO_ERROR at once; the bound only keeps a
// broken driver from holding the render thread.
constexpr int kMaxDrainedErrors = 32;
constexpr int kMaxPowerOfTwoSide = 1024;

const char* stageName(GLenum type) {
    return type == GL_VERTEX_SHADER ? "vertex" : "fragment";
}

std::string shaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1) return "(no compiler log)";
    std::string text(static_cast<size_t>(length), '\0');
    glGetShaderInfoLog(shader, length, nullptr, &text[0]);
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string programLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1) return "(no linker log)";
    std::string text(static_cast<size_t>(length), '\0');
    glGetProgramInfoLog(program, length, nullptr, &text[0]);
    text.resize(std::strlen(text.c_str()));
    return text;
}

// Links two compiled stages; 0 with the linker's log written when it fails.
GLuint linkProgram(GLuint vertexShader, GLuint fragmentShader) {
    const GLuint program = glCreateProgram();
    if (program == 0) {
        K7D_LOG_ERROR("glCreateProgram failed, error ", glGetError());
        return 0;
    }
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) return program;
    K7D_LOG_ERROR("program link failed: ", programLog(program));
    glDeleteProgram(program);
    return 0;
}

}  // namespace

void GLUtility::checkGlError(const char* operation, int line, const char* file) {
    for (int i = 0; i < kMaxDrainedErrors; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) return;
        K7D_LOG_DEBUG("GL error after ", operation, file, line, error);
    }
}

std::vector<std::string> GLUtility::split(const std::string& s, char c) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start < s.size()) {
        const size_t end = s.find(c, start);
        if (end == std::string::npos) {
            pieces.push_back(s.substr(start));
            break;
        }
        pieces.push_back(s.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

bool GLUtility::convImagePowerOfTwo(std::vector<unsigned char>* rgba, int* width, int* height) {
    if (*width < 1 || *height < 1) return false;
    const size_t rowBytes = static_cast<size_t>(*width) * 4;
    if (rgba->size() < rowBytes * static_cast<size_t>(*height)) {
        K7D_LOG_WARNING("image buffer shorter than its size: ", rgba->size(), *width, *height);
        return false;
    }
    const int side = padToPowerOfTwo(std::max(*width, *height));
    if (side > kMaxPowerOfTwoSide) return false;
    std::vector<unsigned char> square(static_cast<size_t>(side) * side * 4, 0);
    for (int row = 0; row < *height; ++row) {
        std::memcpy(&square[static_cast<size_t>(row) * side * 4], &(*rgba)[row * rowBytes],
                    rowBytes);
    }
    rgba->swap(square);
    *width = side;
    *height = side;
    return true;
}

bool GLUtility::CrossLine(const PointLF& a, const PointLF& b, const PointLF& c, const PointLF& d,
                          double* x, double* y) {
    const double l = (b.x - a.x) * (c.y - d.y) - (b.y - a.y) * (c.x - d.x);
    if (l == 0.0) return false;
    const double t = ((c.x - a.x) * (c.y - d.y) - (c.y - a.y) * (c.x - d.x)) / l;
    const double u = ((c.y - a.y) * (b.x - a.x) - (c.x - a.x) * (b.y - a.y)) / l;
    if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0) return false;
    if (x != nullptr) *x = a.x + t * (b.x - a.x);
    if (y != nullptr) *y = a.y + t * (b.y - a.y);
    return true;
}

bool GLUtility::calcMatrix(const double m[2][2], const double v[2], double out[2]) {
    const double determinant = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    if (determinant == 0.0) return false;
    out[0] = (v[0] * m[1][1] - m[0][1] * v[1]) / determinant;
    out[1] = (m[0][0] * v[1] - v[0] * m[1][0]) / determinant;
    return true;
}

int GLUtility::padToPowerOfTwo(int n) {
    if (n < 1) return -1;
    if (isPowerOfTwo(n)) return n;
    int side = 4;
    while (side <= n) side <<= 1;
    return side;
}

bool GLUtility::isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

unsigned GLUtility::loadShader(unsigned type, const char* source) {
    const GLuint shader = glCreateShader(type);
    if (shader == 0) {
        K7D_LOG_ERROR("glCreateShader failed, stage ", stageName(type), glGetError());
        return 0;
    }
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_FALSE) {
        K7D_LOG_ERROR("shader compile failed, stage ", stageName(type), shaderLog(shader));
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

unsigned GLUtility::createProgram(const char* vertexSource, const char* fragmentSource) {
    const GLuint vertexShader = loadShader(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragmentShader = loadShader(GL_FRAGMENT_SHADER, fragmentSource);
    const GLuint program =
        vertexShader != 0 && fragmentShader != 0 ? linkProgram(vertexShader, fragmentShader) : 0;
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    return program;
}

}  // namespace qiv
