#include <gtest/gtest.h>

#include <cmath>

#include "AtlasPointSpriteShader.h"
#include "GLTestContext.h"
#include "ProgramDrawing.h"
#include "ShaderController.h"
#include "TextureManager.h"

using namespace qiv;

namespace {

using RGBA = GLTestContext::RGBA;
const RGBA kBlack = {0, 0, 0, 255};
const RGBA kRed = {255, 0, 0, 255};
const RGBA kGreen = {0, 255, 0, 255};
const RGBA kBlue = {0, 0, 255, 255};

class ProgramDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_controller = std::make_unique<ShaderController>();
        m_polygon = std::dynamic_pointer_cast<PolygonShader>(
            m_controller->getShaderProgram(POLYGON_OBJECT));
        ASSERT_NE(m_polygon, nullptr);
        glClearColor(0, 0, 0, 1);
        glClearDepthf(1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // The screen pixel (y down) at a point in normalised device coordinates.
    RGBA at(float x, float y) {
        return gl().readPixel(static_cast<int>((x + 1) / 2 * kWidth),
                              static_cast<int>((1 - y) / 2 * kHeight));
    }

    std::unique_ptr<ShaderController> m_controller;
    std::shared_ptr<PolygonShader> m_polygon;
};

}  // namespace

TEST_F(ProgramDrawTest, ModelViewTurnsAboutTheRotationOrigin) {
    // A quarter turn counter-clockwise about (0.5, 0): the quad around
    // (0.7, 0.3) lands around (0.5 - 0.3, 0 + 0.2) = (0.2, 0.2).
    drawing::View view;
    view.modelView = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    view.rotateOrigin = {0.5f, 0.0f};
    drawing::fill(*m_polygon, drawing::quad(0.65f, 0.25f, 0.75f, 0.35f), {0, 1, 0, 1}, view);

    EXPECT_EQ(at(0.2f, 0.2f), kGreen);
    EXPECT_EQ(at(0.7f, 0.3f), kBlack) << "drawn without the turn";
    EXPECT_EQ(at(-0.3f, -0.2f), kBlack) << "turned about (0, 0)";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ProgramDrawTest, HigherZIndexWinsWhateverTheDrawingOrder) {
    glEnable(GL_DEPTH_TEST);
    drawing::View view;
    view.zIndex = 10;
    drawing::fill(*m_polygon, drawing::quad(-1, -1, 1, 1), {1, 0, 0, 1}, view);
    view.zIndex = 5;
    drawing::fill(*m_polygon, drawing::quad(-1, -1, 0, 1), {0, 1, 0, 1}, view);
    view.zIndex = 20;
    drawing::fill(*m_polygon, drawing::quad(0, -1, 1, 1), {0, 0, 1, 1}, view);
    glDisable(GL_DEPTH_TEST);

    EXPECT_EQ(at(-0.5f, 0), kRed) << "z-index 5 drawn later must stay hidden";
    EXPECT_EQ(at(0.5f, 0), kBlue) << "z-index 20 drawn later must cover";
}

TEST_F(ProgramDrawTest, ZIndexSetsTheSameDepthUnderAPerspectiveProjection) {
    // With a frustum projection the depth still depends on the z-index alone,
    // so a far quad with the higher z-index covers a near one.
    const float n = 1, f = 3;
    drawing::View view;
    view.projection = {
        1, 0, 0, 0, 0, 1, 0, 0, 0, 0, (n + f) / (n - f), -1, 0, 0, 2 * n * f / (n - f), 0};
    glEnable(GL_DEPTH_TEST);
    std::vector<float> nearQuad = drawing::quad(-1, -1, 1, 1);
    std::vector<float> farQuad = drawing::quad(-2, -2, 2, 2);
    for (size_t i = 2; i < nearQuad.size(); i += 3) nearQuad[i] = -1.0f;
    for (size_t i = 2; i < farQuad.size(); i += 3) farQuad[i] = -2.0f;
    view.zIndex = 7;
    drawing::fill(*m_polygon, farQuad, {0, 0, 1, 1}, view);
    view.zIndex = 3;
    drawing::fill(*m_polygon, nearQuad, {1, 0, 0, 1}, view);
    glDisable(GL_DEPTH_TEST);

    EXPECT_EQ(at(0, 0), kBlue);
}

TEST_F(ProgramDrawTest, AtlasSpriteShowsItsSubRectangleOffsetInScreenPixels) {
    // A 16 x 8 atlas: red left half, green right half; the sprite shows the
    // right half, 64 pixels wide, moved 100 pixels right and 50 down.
    std::vector<unsigned char> pixels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            pixels.insert(pixels.end(), {static_cast<unsigned char>(x < 8 ? 255 : 0),
                                         static_cast<unsigned char>(x < 8 ? 0 : 255), 0, 255});
        }
    }
    TextureManager textures;
    const GLuint atlas = textures.createTextTexture(pixels.data(), 16, 8, GL_RGBA);
    auto sprite = std::dynamic_pointer_cast<AtlasPointSpriteShader>(
        m_controller->getShaderProgram(ATLAS_POINT_SPRITE_OBJECT));
    ASSERT_NE(sprite, nullptr);

    glUseProgram(sprite->getProgramID());
    drawing::setView(*sprite, drawing::View());
    glUniform2f(sprite->getWindowSizeID(), kWidth, kHeight);
    glUniform1i(sprite->getSampler(), 3);
    glBindTexture(GL_TEXTURE_2D, atlas);  // unit 3 is active after createTextTexture
    glVertexAttrib3f(sprite->getPositionID(), 0, 0, 0);
    glVertexAttrib1f(sprite->getPointSizeID(), 64);
    glVertexAttrib2f(sprite->getPixelOffsetID(), 100, 50);
    glVertexAttrib2f(sprite->getTextureCoordID(), 0.5f, 0);
    glVertexAttrib2f(sprite->getTextureCoordPointSizeID(), 0.5f, 1);
    glVertexAttrib1f(sprite->getAspectID(), 1);
    glVertexAttrib1f(sprite->getAngleID(), 0);
    glDrawArrays(GL_POINTS, 0, 1);
    glUseProgram(0);
    textures.deleteTexture(atlas);

    const int centreX = kWidth / 2 + 100, centreY = kHeight / 2 + 50;
    EXPECT_EQ(gl().readPixel(centreX, centreY), kGreen);
    // Only the square of side 64 / sqrt(2) around the centre is kept.
    EXPECT_EQ(gl().readPixel(centreX + 18, centreY - 18), kGreen);
    EXPECT_EQ(gl().readPixel(centreX + 27, centreY), kBlack);
    EXPECT_EQ(gl().readPixel(centreX, centreY - 27), kBlack);
    EXPECT_EQ(gl().readPixel(kWidth / 2 + 100, kHeight / 2 - 50), kBlack)
        << "offset y must point down";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
