#ifndef TOLKMAPS_DRAW_GLOBJECTDRAWER_H
#define TOLKMAPS_DRAW_GLOBJECTDRAWER_H

#include <GLES2/gl2.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "BaseShader.h"
#include "CoordTypes.h"
#include "ViewMatrices.h"

namespace qiv {

// Turns one batch of vertex data into one OpenGL ES 2.0 draw call with the
// program of its kind. The draw controller owns one drawer per kind, loads it
// with an object's arrays, colour and z-index and calls draw; every drawer
// keeps its own copy of the camera and the view matrices derived from it.
// Positions are floats in world units relative to the frame origin.
//
// Every call runs on the render thread with the GL context current. The
// drawers own no GL objects: buffers and textures are only named here.
class GLObjectDrawer {
public:
    GLObjectDrawer();
    virtual ~GLObjectDrawer() = default;
    GLObjectDrawer(const GLObjectDrawer&) = delete;
    GLObjectDrawer& operator=(const GLObjectDrawer&) = delete;

    // Keeps the program (the drawer's own class is picked by initialize).
    bool setShaderProgram(const std::shared_ptr<BaseShader>& program);
    // Takes the kept program as the drawer's own program class; false (and no
    // program, so draw refuses) when it is of another class.
    virtual bool initialize() = 0;
    // New window size (pixels) and pixel factor (dpi / 326); recomputes the view.
    virtual void update(int width, int height, double pixelFactor);
    // Issues the draw call; true when it drew. Takes GLObjectDrawer::mtx where
    // the kind says so: the caller must not hold it.
    virtual bool draw() = 0;
    // The GL texture to sample; drawers without a texture ignore it.
    virtual void setTextureID(unsigned texture);
    // Pixel offset of a single sprite (2 floats, y down); only sprites use it.
    virtual void setPixelOffset(const std::shared_ptr<float>& offset);
    // Width of GL lines in pixels; only the plain line drawer uses it.
    virtual void setLineWidth(float width);
    // The camera relative to the frame origin (z: its height) with the bearing
    // and tilt values in degrees, as the draw controller passes them (the
    // camera's bearing and tilt negated). The tilt value is held to [-60, 0].
    // Recomputes the view.
    virtual void setCameraPosition(const GLCoord& camera, double bearingValue, double tiltValue);
    // Stores the window size without recomputing the view.
    virtual void setWindowSize(int width, int height);
    // Sets the viewport and recomputes the matrices from the stored camera,
    // window size and pixel factor.
    virtual void updateView();
    // Sprite size or count, by kind; ignored by the others.
    virtual void setPointSize(const float& size);
    // Drawing order, already scaled by the caller; uploaded as "uZIndex".
    virtual void setZIndex(float zIndex);
    // The GL state and program of a draw, and their reset afterwards.
    virtual void enableGLSLParameter();
    virtual void disableGLSLParameter();

    // RGBA in 0 .. 1 (4 floats), shared with the object that owns it.
    void setColor(const std::shared_ptr<float>& color) { m_color = color; }
    // Position of a single sprite (3 floats).
    void setVertices(const std::shared_ptr<float>& vertices) { m_vertices = vertices; }
    // Client-side positions, x, y, z per vertex (copied).
    void setVertexArray(const std::vector<float>& vertices) { m_vertexArray = vertices; }
    // Client-side 16-bit indices into the vertex arrays (copied).
    void setIndexArray(const std::vector<uint16_t>& indices) { m_indexArray = indices; }
    void setVertexCount(int count) { m_vertexCount = count; }
    // GL primitive: GL_POINTS, GL_TRIANGLES, GL_TRIANGLE_FAN, ...
    void setDrawMode(GLenum mode) { m_drawMode = mode; }
    // GL buffer that the buffer-based kinds draw from.
    void setVertexBuffer(GLuint buffer) { m_vertexBuffer = buffer; }

    const std::array<float, 16>& getProjectionMatrix() const { return m_view.projection(); }
    const std::array<float, 16>& getModelViewMatrix() const { return m_view.modelView(); }
    const std::array<float, 16>& getProjectionRotationMatrix() const {
        return m_view.projectionRotation();
    }
    double getNear() const { return m_view.nearClip(); }
    double getFar() const { return m_view.farClip(); }
    const GLCoord& getCamera() const { return m_camera; }
    double getTiltValue() const { return m_tiltValue; }
    double getBearingValue() const { return m_bearingValue; }
    float getZIndex() const { return m_zIndex; }
    int getWindowWidth() const { return m_windowWidth; }
    int getWindowHeight() const { return m_windowHeight; }
    double getPixelFactor() const { return m_pixelFactor; }

    // The one GL mutex shared by all drawers and the draw controller.
    static std::mutex mtx;

protected:
    // The kept program as `Shader`, into `own`; false when it is not one.
    template <class Shader>
    bool adoptProgram(std::shared_ptr<Shader>& own) {
        own = std::dynamic_pointer_cast<Shader>(m_shaderProgram);
        return own != nullptr;
    }
    // "uMVMatrix", "uPMatrix" and "uRotateOrigin" (the camera's ground point).
    void uploadView(const BaseShader& shader) const;
    // "uZIndex", "uNear" and "uFar".
    void uploadDepth(const BaseShader& shader) const;
    // Feeds an attribute from client memory or, with a buffer bound, from the
    // buffer offset `pointer`; names the program does not use are skipped.
    static void enableAttribute(GLint location, GLint size, GLsizei stride, const void* pointer);
    static void disableAttribute(GLint location);
    // The byte offset of a record field in the bound buffer, as a pointer.
    static const void* bufferField(size_t offset) { return reinterpret_cast<const void*>(offset); }
    // The same value for every vertex (1 or 2 floats), with the array off.
    static void constantAttribute(GLint location, int size, const float* values);
    // Client arrays are read only with no buffer bound.
    static void unbindBuffers();
    // The vertex count, limited to the vertices the client array holds.
    GLsizei clientVertexCount() const;
    // Records of `stride` bytes the bound GL_ARRAY_BUFFER holds.
    static GLsizei boundBufferRecords(size_t stride);
    // True when every index names a vertex below `vertices`.
    bool indicesBelow(size_t vertices) const;
    void blendOn(GLenum sourceFactor) const;

    std::shared_ptr<BaseShader> m_shaderProgram;
    std::shared_ptr<float> m_vertices;
    int m_vertexCount = 0;
    std::shared_ptr<float> m_pixelOffset;
    std::shared_ptr<float> m_color;
    GLuint m_vertexBuffer = 0;
    GLCoord m_camera;
    ViewMatrices m_view;
    GLenum m_drawMode = GL_POINTS;
    int m_windowWidth = 0;
    int m_windowHeight = 0;
    float m_zIndex = 0.0f;
    double m_pixelFactor = 0.0;
    std::vector<float> m_vertexArray;
    std::vector<uint16_t> m_indexArray;
    double m_tiltValue = 0.0;
    double m_bearingValue = 0.0;
};

}  // namespace qiv

#endif
