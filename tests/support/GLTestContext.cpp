#include "GLTestContext.h"

GLTestContext::RGBA GLTestContext::readPixel(int x, int y) const {
    RGBA pixel{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

void GLTest::SetUp() {
    m_gl = std::make_unique<GLTestContext>(kWidth, kHeight);
    ASSERT_TRUE(m_gl->isValid()) << m_gl->error();
}

void GLTest::TearDown() { m_gl.reset(); }
