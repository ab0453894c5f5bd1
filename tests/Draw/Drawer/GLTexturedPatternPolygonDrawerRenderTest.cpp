#include <gtest/gtest.h>

#include "DrawerFixture.h"
#include "GLTexturedPatternPolygonDrawer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kRed = {255, 0, 0, 255};
const GLTestContext::RGBA kGreen = {0, 255, 0, 255};

}  // namespace

TEST_F(DrawerTest, PatternDrawerFillsTheAreaWithTheIconOfItsAtlasUnit) {
    auto drawer = makeDrawer<GLTexturedPatternPolygonDrawer>(TEXTURED_PATTERN_POLYGON_OBJECT);
    // An atlas whose left column is red and right column green, on unit 1.
    textureInfo icon;
    icon.texture = static_cast<int>(
        texture({255, 0, 0, 255, 0, 255, 0, 255, 255, 0, 0, 255, 0, 255, 0, 255}, 2, 2));
    icon.unit = GL_TEXTURE1;
    icon.sizeU = 0.5f;
    icon.sizeV = 0.5f;
    icon.iconSize = 16;
    drawer->setVertexArray(square(-50, -50, 50, 50));
    drawer->setVertexCount(6);
    drawer->setDrawMode(GL_TRIANGLES);

    struct Case {
        float offsetU;
        GLTestContext::RGBA fill;
    };
    for (const Case& c : {Case{0.0f, kRed}, Case{0.5f, kGreen}}) {
        clear({0, 0, 0, 1});
        icon.offsetU = c.offsetU;
        drawer->setTextureInfo(icon);
        ASSERT_TRUE(drawer->draw());
        for (double x : {-43.0, -7.0, 12.0, 45.0}) {
            EXPECT_EQ(at(x, x / 2), c.fill) << "offset " << c.offsetU << " x " << x;
        }
        EXPECT_EQ(at(60, 0), kBlack);
    }
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
}
