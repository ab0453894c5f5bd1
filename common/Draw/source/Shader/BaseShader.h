#ifndef TOLKMAPS_DRAW_BASESHADER_H
#define TOLKMAPS_DRAW_BASESHADER_H

#include <GLES2/gl2.h>

#include <mutex>

namespace qiv {

// One OpenGL ES 2.0 program with the locations of its attributes and uniforms.
// Subclasses compile their own sources in their constructor, so the GL context
// must be current on the calling (render) thread; every operation runs there.
// A location is -1 when the linked program does not use that name.
//
// Shared vertex convention: a position p (world units relative to the frame
// origin) lands at uPMatrix * (uMVMatrix * (p - o) + o), o = (uRotateOrigin, 0, 0),
// and its depth is -uZIndex * 0.0005 after the perspective division, so that a
// higher z-index wins under the default depth function.
class BaseShader {
public:
    BaseShader() = default;
    virtual ~BaseShader();
    BaseShader(const BaseShader&) = delete;
    BaseShader& operator=(const BaseShader&) = delete;

    // Compiles and links the program's sources and looks up its locations.
    // False when the program could not be built (the reason is logged).
    virtual bool initializeProgram() = 0;
    // Deletes and rebuilds the program, for a re-initialized context. A program
    // that never built (name 0) stays 0.
    virtual void reCreateProgram();
    // Deletes the GL program; the name becomes 0.
    virtual void deleteProgram();

    virtual GLuint getProgramID() const { return m_program; }
    virtual GLint getPositionID() const { return m_position; }
    virtual GLint getProjectionID() const { return m_projection; }
    virtual GLint getModelViewMatrixID() const { return m_modelView; }
    virtual GLint getRotateinOriginID() const { return m_rotateOrigin; }
    virtual GLint getZIndexID() const { return m_zIndex; }
    virtual GLint getFarID() const { return m_far; }
    virtual GLint getNearID() const { return m_near; }

    static GLuint loadShader(GLenum type, const char* source);
    static GLuint createProgram(const char* vertexSource, const char* fragmentSource);

    // Taken by the destructor, so that a program is not torn down while another
    // thread holds this lock.
    static std::mutex mtx;

protected:
    // Runs initializeProgram of the class under construction, serialised with
    // every other program build.
    void buildInConstructor();
    // Builds the program from the sources and looks up "vPosition"; answers
    // whether it linked.
    bool buildProgram(const char* vertexSource, const char* fragmentSource);
    GLint attributeLocation(const char* name);
    GLint uniformLocation(const char* name);
    // "uMVMatrix", "uPMatrix", "uRotateOrigin".
    void lookUpViewLocations();
    // "uZIndex", "uNear", "uFar".
    void lookUpDepthLocations();

    GLuint m_program = 0;
    GLint m_position = 0;
    GLint m_modelView = 0;
    GLint m_projection = 0;
    GLint m_rotateOrigin = 100;
    GLint m_zIndex = -1;
    GLint m_near = -1;
    GLint m_far = -1;
};

}  // namespace qiv

#endif
