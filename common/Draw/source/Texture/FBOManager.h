#ifndef TOLKMAPS_DRAW_FBOMANAGER_H
#define TOLKMAPS_DRAW_FBOMANAGER_H

#include <GLES2/gl2.h>

#include <vector>

namespace qiv {

// Remembers the framebuffer that was bound when the renderer was made, and
// offers one off-screen framebuffer that renders into a caller's texture.
// Render thread only, with the GL context current. The destructor makes no GL
// call (the context may be gone by then): call clearFBO first.
class FBOManager {
public:
    // Reads GL_FRAMEBUFFER_BINDING as the default framebuffer.
    FBOManager();

    GLuint getDefaultFramebuffer() const { return m_defaultFramebuffer; }

    // Makes a framebuffer whose colour attachment 0 is `texture` (which must
    // already hold width x height pixels) with a 16-bit depth renderbuffer.
    // Any earlier one is released first. False, with the status logged and
    // nothing kept, when the framebuffer is not complete. The default
    // framebuffer is bound again in both cases.
    bool createFBOforBackground(GLsizei width, GLsizei height, GLuint texture);
    // Draws into the off-screen framebuffer from now on (no-op without one).
    void bindFBO();
    // Draws into the default framebuffer again.
    void unbindFBO();
    // The off-screen framebuffer's pixels as RGBA bytes, bottom row first (as
    // GL reads them); empty without one. The default framebuffer is bound after.
    std::vector<unsigned char> createImage();
    // Deletes the off-screen framebuffer and its depth buffer (not the texture).
    void clearFBO();

private:
    GLuint m_defaultFramebuffer = 0;
    GLuint m_framebuffer = 0;
    GLuint m_renderbuffer = 0;
    GLuint m_width = 0;
    GLuint m_height = 0;
};

}  // namespace qiv

#endif
