#include "BaseShader.h"

#include "GLUtility.h"

namespace qiv {

namespace {
std::mutex g_buildMutex;
}

std::mutex BaseShader::mtx;

BaseShader::~BaseShader() {
    std::lock_guard<std::mutex> lock(mtx);
}

void BaseShader::reCreateProgram() {
    if (m_program == 0) return;
    glDeleteProgram(m_program);
    m_program = 0;
    initializeProgram();
}

void BaseShader::deleteProgram() {
    glDeleteProgram(m_program);
    m_program = 0;
}

GLuint BaseShader::loadShader(GLenum type, const char* source) {
    return GLUtility::loadShader(type, source);
}

GLuint BaseShader::createProgram(const char* vertexSource, const char* fragmentSource) {
    return GLUtility::createProgram(vertexSource, fragmentSource);
}

void BaseShader::buildInConstructor() {
    std::lock_guard<std::mutex> lock(g_buildMutex);
    initializeProgram();
}

bool BaseShader::buildProgram(const char* vertexSource, const char* fragmentSource) {
    m_program = createProgram(vertexSource, fragmentSource);
    m_position = attributeLocation("vPosition");
    return m_program != 0;
}

GLint BaseShader::attributeLocation(const char* name) {
    const GLint location = glGetAttribLocation(m_program, name);
    GLUtility::checkGlError(name, __LINE__, __FILE__);
    return location;
}

GLint BaseShader::uniformLocation(const char* name) {
    const GLint location = glGetUniformLocation(m_program, name);
    GLUtility::checkGlError(name, __LINE__, __FILE__);
    return location;
}

void BaseShader::lookUpViewLocations() {
    m_modelView = uniformLocation("uMVMatrix");
    m_projection = uniformLocation("uPMatrix");
    m_rotateOrigin = uniformLocation("uRotateOrigin");
}

void BaseShader::lookUpDepthLocations() {
    m_zIndex = uniformLocation("uZIndex");
    m_near = uniformLocation("uNear");
    m_far = uniformLocation("uFar");
}

}  // namespace qiv
