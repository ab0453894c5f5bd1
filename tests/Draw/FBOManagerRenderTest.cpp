#include <gtest/gtest.h>

#include <vector>

#include "FBOManager.h"
#include "GLTestContext.h"
#include "Log.h"
#include "ProgramDrawing.h"
#include "ShaderController.h"
#include "TextureManager.h"

using namespace qiv;

namespace {

using RGBA = GLTestContext::RGBA;
const int kSide = 64;

class FBOManagerTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_programs = std::make_unique<ShaderController>();
        m_polygon =
            std::dynamic_pointer_cast<PolygonShader>(m_programs->getShaderProgram(POLYGON_OBJECT));
        m_textured = std::dynamic_pointer_cast<TexturedPolygonShader>(
            m_programs->getShaderProgram(TEXTURED_POLYGON_OBJECT));
        ASSERT_NE(m_polygon, nullptr);
        ASSERT_NE(m_textured, nullptr);
    }

    std::unique_ptr<ShaderController> m_programs;
    std::shared_ptr<PolygonShader> m_polygon;
    std::shared_ptr<TexturedPolygonShader> m_textured;
    TextureManager m_textures;
};

RGBA pixelOf(const std::vector<unsigned char>& image, int side, int x, int y) {
    const size_t at = (static_cast<size_t>(y) * side + x) * 4;
    return {image[at], image[at + 1], image[at + 2], image[at + 3]};
}

}  // namespace

TEST_F(FBOManagerTest, RendersIntoATextureAndDrawsItOnScreen) {
    FBOManager fbo;
    EXPECT_EQ(fbo.getDefaultFramebuffer(), 0u);
    EXPECT_TRUE(fbo.createImage().empty()) << "no framebuffer yet";
    const GLuint texture = m_textures.createTextTexture(nullptr, kSide, kSide, GL_RGBA);
    ASSERT_TRUE(fbo.createFBOforBackground(kSide, kSide, texture));
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0) << "the default framebuffer is bound again after creation";

    // Off screen: blue, with a depth-tested green left half in front of a red
    // quad drawn later with a lower z-index.
    fbo.bindFBO();
    glViewport(0, 0, kSide, kSide);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    drawing::View front;
    front.zIndex = 10;
    drawing::fill(*m_polygon, drawing::quad(-1, -1, 0, 1), {0, 1, 0, 1}, front);
    drawing::fill(*m_polygon, drawing::quad(-1, -1, 0, 1), {1, 0, 0, 1});
    glDisable(GL_DEPTH_TEST);
    const std::vector<unsigned char> image = fbo.createImage();
    ASSERT_EQ(image.size(), static_cast<size_t>(kSide * kSide * 4));
    EXPECT_EQ(pixelOf(image, kSide, 10, 30), (RGBA{0, 255, 0, 255}));
    EXPECT_EQ(pixelOf(image, kSide, 50, 30), (RGBA{0, 0, 255, 255}));

    // On screen: the texture stretched over the window.
    fbo.unbindFBO();
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawing::cover(*m_textured, texture);
    EXPECT_EQ(gl().readPixel(100, 256), (RGBA{0, 255, 0, 255}));
    EXPECT_EQ(gl().readPixel(400, 256), (RGBA{0, 0, 255, 255}));

    fbo.clearFBO();
    EXPECT_TRUE(fbo.createImage().empty());
    m_textures.deleteTexture(texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FBOManagerTest, IncompleteFramebufferIsRefusedWithTheStatusLogged) {
    // A luminance texture cannot be rendered to.
    const GLuint texture = m_textures.createTextTexture(nullptr, kSide, kSide, GL_LUMINANCE);
    FBOManager fbo;
    const bool console = Log::chkConsole;
    Log::chkConsole = true;
    testing::internal::CaptureStdout();
    const bool made = fbo.createFBOforBackground(kSide, kSide, texture);
    const std::string log = testing::internal::GetCapturedStdout();
    Log::chkConsole = console;

    EXPECT_FALSE(made);
    EXPECT_NE(log.find("failed to make complete framebuffer object 8cd"), std::string::npos) << log;
    EXPECT_TRUE(fbo.createImage().empty());
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    m_textures.deleteTexture(texture);
}
