#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "GLIconTextObject.h"
#include "GLPointOrganizer.h"
#include "GLTestContext.h"
#include "K7DataIu1.h"

using namespace qiv;

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 300;
constexpr double CAMERA = 1000000.0;

GLint bufferBytes(GLuint buffer) {
    GLint size = -1;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return size;
}

// The sprite buffers of application labels, uploaded to the GL context.
class GLPointOrganizerBufferTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_organizer.setOverlapArea(WIDTH, HEIGHT);
        m_organizer.setWindowSize(WIDTH, HEIGHT);
        m_organizer.setFragmentDistance(1.0, 1.0);
        m_organizer.setCamera(GLCoord(CAMERA, CAMERA, 1000.0, true), 0.0, 0.0);
        const GLCoord corners[4] = {GLCoord(CAMERA - 500, CAMERA + 500, 0, true),
                                    GLCoord(CAMERA - 500, CAMERA - 500, 0, true),
                                    GLCoord(CAMERA + 500, CAMERA - 500, 0, true),
                                    GLCoord(CAMERA + 500, CAMERA + 500, 0, true)};
        m_organizer.setVisibleRegion(corners);
    }

    // A label with a 40 x 12 text at screen pixel (sx, sy).
    std::shared_ptr<GLIconTextObject> textLabel(int sx, int sy) {
        auto label = std::make_shared<GLIconTextObject>();
        const double position[2] = {CAMERA + (sx - WIDTH / 2), CAMERA - (sy - HEIGHT / 2)};
        m_images.emplace_back(1);
        m_images.back().front().editContents() = K7D_STR_IMPIXEL<uint8_t>{4, 64, 64, std::vector<uint8_t>(64 * 64 * 4)};
        m_placements.push_back({_TextAtlasInfo{0, 0, 1, 1, 40, 12, 0}});
        label->initialize("label", 1.0f, position, &m_images.back(), &m_placements.back(), 0, nullptr, nullptr, 0.0f,
                          true, 1.0f);
        return label;
    }

    GLPointOrganizer m_organizer;
    std::list<std::vector<K7DataIu1>> m_images;
    std::list<std::vector<_TextAtlasInfo>> m_placements;
};

TEST_F(GLPointOrganizerBufferTest, PlacedApplicationLabelsGetOneSpriteBufferEach) {
    const auto left = textLabel(100, 100);
    const auto right = textLabel(300, 100);
    const auto covered = textLabel(105, 102);
    for (const auto& label : {left, right, covered}) ASSERT_TRUE(m_organizer.registrateUserPointData(label));
    m_organizer.registratePointData();

    const std::vector<std::shared_ptr<GLIconTextObject>> drawable = m_organizer.getDrawableUserPoint();
    ASSERT_EQ(drawable.size(), 2u);
    for (const auto& label : drawable) {
        SCOPED_TRACE(label->getTextBufferIndex());
        const GLuint buffer = m_organizer.getUserTextBufferIDs(label->getTextBufferIndex());
        ASSERT_NE(buffer, 0u);
        EXPECT_EQ(bufferBytes(buffer), 56);
        EXPECT_EQ(label->getIconBufferIndex(), -1);
    }
    EXPECT_EQ(m_organizer.getUserTextBufferIDs(2), 0u);
    EXPECT_EQ(m_organizer.getUserTextBufferIDs(-1), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The registrations are used up: the next call hands out nothing.
    EXPECT_TRUE(m_organizer.getDrawableUserPoint().empty());
    m_organizer.clear();
    EXPECT_EQ(m_organizer.getUserTextBufferIDs(0), 0u);
}

TEST_F(GLPointOrganizerBufferTest, MapBuffersAreZeroWithoutSpritesAndUploadTheIconModel) {
    EXPECT_EQ(m_organizer.getTextBufferID("123", 0), 0u);
    EXPECT_EQ(m_organizer.getTextBufferSize("123", 0), 0);
    m_organizer.registratePointData();
    const GLuint icons = m_organizer.getIconBufferID();
    ASSERT_NE(icons, 0u);
    EXPECT_EQ(m_organizer.getIconBufferID(), icons);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
