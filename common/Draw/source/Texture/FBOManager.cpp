#include "FBOManager.h"

#include <cstdio>

#include "Log.h"

namespace qiv {

FBOManager::FBOManager() {
    GLint binding = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &binding);
    m_defaultFramebuffer = static_cast<GLuint>(binding);
}

bool FBOManager::createFBOforBackground(GLsizei width, GLsizei height, GLuint texture) {
    clearFBO();
    glGenFramebuffers(1, &m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glGenRenderbuffers(1, &m_renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, m_renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    unbindFBO();
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        char message[64];
        std::snprintf(message, sizeof message, "failed to make complete framebuffer object %x",
                      status);
        K7D_LOG_ERROR(message);
        clearFBO();
        return false;
    }
    m_width = static_cast<GLuint>(width);
    m_height = static_cast<GLuint>(height);
    return true;
}

void FBOManager::bindFBO() {
    if (m_framebuffer != 0) glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
}

void FBOManager::unbindFBO() {
    glBindFramebuffer(GL_FRAMEBUFFER, m_defaultFramebuffer);
}

std::vector<unsigned char> FBOManager::createImage() {
    if (m_framebuffer == 0) return {};
    std::vector<unsigned char> pixels(static_cast<size_t>(m_width) * m_height * 4);
    bindFBO();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(m_width), static_cast<GLsizei>(m_height), GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.data());
    unbindFBO();
    return pixels;
}

void FBOManager::clearFBO() {
    if (m_framebuffer != 0) glDeleteFramebuffers(1, &m_framebuffer);
    if (m_renderbuffer != 0) glDeleteRenderbuffers(1, &m_renderbuffer);
    m_framebuffer = 0;
    m_renderbuffer = 0;
    m_width = 0;
    m_height = 0;
}

}  // namespace qiv
