#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../ProgramDrawing.h"
#include "GLGroundOverlayObject.h"
#include "GLTestContext.h"
#include "ShaderController.h"
#include "TextureAtlasBuffer.h"
#include "TexturedPolygonBuffer.h"

using namespace qiv;

namespace {

using RGBA = GLTestContext::RGBA;
const RGBA kBlack = {0, 0, 0, 255};
const RGBA kGreen = {0, 255, 0, 255};

class ObjectBufferTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_controller = std::make_unique<ShaderController>();
        m_polygon = std::dynamic_pointer_cast<PolygonShader>(
            m_controller->getShaderProgram(POLYGON_OBJECT));
        ASSERT_NE(m_polygon, nullptr);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // Draws the positions of a textured vertex buffer (20-byte stride) in green.
    void drawPositions(unsigned buffer, int count) {
        glUseProgram(m_polygon->getProgramID());
        drawing::setView(*m_polygon, drawing::View());
        glUniform4f(m_polygon->getColorID(), 0, 1, 0, 1);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glEnableVertexAttribArray(m_polygon->getPositionID());
        glVertexAttribPointer(m_polygon->getPositionID(), 3, GL_FLOAT, GL_FALSE,
                              sizeof(PolygonTextureData), nullptr);
        glDrawArrays(GL_TRIANGLES, 0, count);
        glDisableVertexAttribArray(m_polygon->getPositionID());
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glUseProgram(0);
    }

    // The pixel at a point in normalised device coordinates.
    RGBA at(float x, float y) {
        return gl().readPixel(static_cast<int>((x + 1) / 2 * kWidth),
                              static_cast<int>((1 - y) / 2 * kHeight));
    }

    static GLint bufferSize(unsigned buffer) {
        GLint size = -1;
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        return size;
    }

    std::unique_ptr<ShaderController> m_controller;
    std::shared_ptr<PolygonShader> m_polygon;
};

}  // namespace

TEST_F(ObjectBufferTest, UploadedVerticesAreDrawnFromTheBuffer) {
    TexturedPolygonBuffer buffer;
    ASSERT_NE(buffer.getBufferID(), 0u);
    EXPECT_EQ(bufferSize(buffer.getBufferID()), static_cast<GLint>(sizeof(PolygonTextureData)))
        << "room for one record until the first upload";
    EXPECT_GE(buffer.getData().capacity(), 1000u);

    // The right half of the view.
    std::vector<PolygonTextureData>& records = buffer.getData();
    records = {{0, -1, 0, 0, 0}, {1, -1, 0, 1, 0}, {1, 1, 0, 1, 1},
               {0, -1, 0, 0, 0}, {1, 1, 0, 1, 1},  {0, 1, 0, 0, 1}};
    buffer.update(records);
    EXPECT_EQ(bufferSize(buffer.getBufferID()), 6 * 20);
    GLint bound = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0) << "unbound after the upload";

    drawPositions(buffer.getBufferID(), 6);
    EXPECT_EQ(at(0.5f, 0.5f), kGreen);
    EXPECT_EQ(at(0.5f, -0.5f), kGreen);
    EXPECT_EQ(at(-0.5f, 0.5f), kBlack);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ObjectBufferTest, SpriteBufferRemembersItsCount) {
    TextureAtlasBuffer buffer;
    std::shared_ptr<PointObjectData> sprites(new PointObjectData[5](),
                                             std::default_delete<PointObjectData[]>());
    buffer.update(sprites, 3);
    EXPECT_EQ(buffer.getCount(), 3);
    EXPECT_EQ(bufferSize(buffer.getBufferID()), 3 * 56);

    buffer.update(nullptr, 4);
    EXPECT_EQ(buffer.getCount(), 0);
    EXPECT_EQ(bufferSize(buffer.getBufferID()), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ObjectBufferTest, BuffersAreDeletedByReleaseAndDestruction) {
    unsigned name = 0;
    {
        TexturedPolygonBuffer buffer;
        name = buffer.getBufferID();
        EXPECT_TRUE(glIsBuffer(name));
    }
    EXPECT_FALSE(glIsBuffer(name));

    TexturedPolygonBuffer released;
    const unsigned releasedName = released.getBufferID();
    released.getData().resize(3);
    released.release();
    EXPECT_EQ(released.getBufferID(), 0u);
    EXPECT_TRUE(released.getData().empty());
    EXPECT_FALSE(glIsBuffer(releasedName));
    released.release();
}

TEST_F(ObjectBufferTest, GroundOverlayDrawsItsTurnedQuad) {
    // A square of side 1 around the centre, turned by 45 degrees: a diamond
    // reaching 0.707 along the axes.
    std::vector<unsigned char> pixels(4 * 4 * 4, 255);
    const float anchor[2] = {0.5f, 0.5f};
    BoundingBox4 box;
    box.west = -0.5;
    box.south = -0.5;
    box.east = 0.5;
    box.north = 0.5;
    GLGroundOverlayObject overlay;
    ASSERT_TRUE(overlay.initialize("o", 0, anchor, &pixels, 4, 4, 1, 1, 1.0f, 45.0f, box, true));
    ASSERT_TRUE(overlay.registrateUserData());
    ASSERT_TRUE(overlay.getBuffer());
    const std::vector<PolygonTextureData>& records = overlay.getBuffer()->getData();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_FLOAT_EQ(records[1].t, 1.0f) << "south-west corner at the image's bottom";
    EXPECT_FLOAT_EQ(records[2].s, 1.0f);

    drawPositions(overlay.getBuffer()->getBufferID(), 6);
    EXPECT_EQ(at(0.0f, 0.65f), kGreen) << "the top vertex of the diamond";
    EXPECT_EQ(at(0.65f, 0.0f), kGreen);
    EXPECT_EQ(at(0.45f, 0.45f), kBlack) << "the unturned corner";

    const unsigned name = overlay.getBuffer()->getBufferID();
    overlay.clear();
    EXPECT_FALSE(overlay.getBuffer());
    EXPECT_FALSE(glIsBuffer(name));
}

TEST_F(ObjectBufferTest, GroundOverlayBufferIsRebasedOnTheOffset) {
    std::vector<unsigned char> pixels(4, 255);
    const float anchor[2] = {0.5f, 0.5f};
    BoundingBox4 box;
    box.west = 3000000000.0;
    box.south = 1000000000.0;
    box.east = 3000000100.0;
    box.north = 1000000050.0;
    GLGroundOverlayObject overlay;
    overlay.initialize("o", 0, anchor, &pixels, 1, 1, 1, 1, 1.0f, 0.0f, box, true);
    overlay.setOffset(3000000000u, 1000000000u);
    ASSERT_TRUE(overlay.registrateUserData());
    const std::vector<PolygonTextureData>& records = overlay.getBuffer()->getData();
    EXPECT_EQ(records[0], (PolygonTextureData{0, 50, 0, 0, 0}));
    EXPECT_EQ(records[5], (PolygonTextureData{100, 0, 0, 1, 1}));
    EXPECT_EQ(overlay.getWorldPoints()[0], 3000000000.0) << "world points stay in world units";
    ASSERT_TRUE(overlay.registrateUserData());
    EXPECT_EQ(overlay.getVerticesNum(), 6) << "registration starts afresh";
}
