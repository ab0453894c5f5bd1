#include "GLIconTextObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "K7DataIu1.h"
#include "K7DataPoint.h"

using namespace qiv;

namespace {

GLCoord at(double x, double y) {
    return GLCoord(x, y, 0.0, true);
}

_TextAtlasInfo placement(uint16_t x, uint16_t y, uint16_t w, uint16_t h) {
    _TextAtlasInfo info;
    info.x = x;
    info.y = y;
    info.w = w;
    info.h = h;
    return info;
}

// An icon whose sprite square gives a box of side `side` (k = 1) around
// its pixel offset; a hair larger, so that whole-pixel truncation of the
// float size keeps the side.
textureInfo icon(double side, float offsetX, float offsetY, float aspect = 1.0f) {
    textureInfo info;
    info.iconSize = static_cast<float>(side * std::sqrt(2.0)) + 0.001f;
    info.aspect = aspect;
    info.offsetX = offsetX;
    info.offsetY = offsetY;
    return info;
}

// One RGBA image of the given size.
std::vector<K7DataIu1> images(uint16_t width, uint16_t height) {
    std::vector<K7DataIu1> records(1);
    auto& pixels = records[0].editContents();
    pixels.samplesPerPixel = 4;
    pixels.width = width;
    pixels.height = height;
    pixels.samples.assign(size_t(width) * height * 4, 200);
    return records;
}

// A label anchored at (100, 200) with one text placement w x h and an
// icon block of the given side (none for 0).
GLIconTextObject label(int position, double iconSide, uint16_t w, uint16_t h) {
    GLIconTextObject object;
    object.setAnchorPoint(std::make_shared<GLCoord>(100, 200, 0, true));
    object.setTextPosition(position);
    if (iconSide > 0) object.setIconInformation({icon(iconSide, 0, 0)});
    object.addTextAtlasInfo(placement(0, 0, w, h));
    return object;
}

}  // namespace

TEST(GLIconTextObjectTest, TextOffsetByTextPosition) {
    struct Case {
        int position;
        double iconSide;
        uint16_t w, h;
        float x, y;
    };
    const std::vector<Case> cases = {
        {0, 0, 60, 20, 0, 0},
        {1, 40, 60, 20, 53, 0},
        {2, 40, 60, 20, -53, 0},
        {3, 30, 60, 20, 0, -28},
        {4, 30, 60, 20, 0, 28},
        {7, 30, 60, 20, 0, 128},
    };
    for (const Case& c : cases) {
        GLIconTextObject object = label(c.position, c.iconSide, c.w, c.h);
        ASSERT_TRUE(object.calculateTextPixelOffset()) << c.position;
        ASSERT_EQ(object.getTextPixelOffsets().size(), 1u);
        EXPECT_NEAR(object.getTextPixelOffsets()[0].get()[0], c.x, 0.01) << c.position;
        EXPECT_NEAR(object.getTextPixelOffsets()[0].get()[1], c.y, 0.01) << c.position;
    }
}

TEST(GLIconTextObjectTest, LaterOffsetsStackBelowThePrevious) {
    GLIconTextObject object = label(0, 0, 60, 20);
    ASSERT_TRUE(object.calculateTextPixelOffset());
    const float previous[2] = {0.0f, 5.0f};
    const auto offset = object.getTextOffset(0, 0, 20, 60, 20, previous);
    EXPECT_FLOAT_EQ(offset.get()[1], 15.0f);
}

TEST(GLIconTextObjectTest, TextBoxSurroundsTheTextAtItsOffset) {
    GLIconTextObject object = label(1, 40, 60, 20);
    object.setResolutionFactor(2.0);
    object.setIconInformation({icon(20, 0, 0)});  // 40 pixels at k = 2
    ASSERT_TRUE(object.calculateTextPixelOffset());
    // k = 2: x = 40 / 2 + 2 x (30 + 3) = 86, text 120 x 40 centred there.
    const double* box = object.getTextBoundingBox();
    EXPECT_NEAR(box[0], 100 + 86 - 60, 0.01);
    EXPECT_NEAR(box[1], 200 - 20, 0.01);
    EXPECT_NEAR(box[2], 120, 0.01);
    EXPECT_NEAR(box[3], 40, 0.01);

    double w = 0, h = 0;
    object.getTextBBoxSize(w, h);
    EXPECT_EQ(w, 120);
    EXPECT_EQ(h, 40);
}

TEST(GLIconTextObjectTest, WithoutTextThereIsNoOffsetOrBox) {
    GLIconTextObject object;
    EXPECT_FALSE(object.calculateTextPixelOffset());
    EXPECT_FALSE(object.calculateTextBoundingBox());
    double w = 1, h = 1;
    object.getTextBBoxSize(w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST(GLIconTextObjectTest, IconBoxIsTheUnionOfTheIconSquares) {
    GLIconTextObject object;
    EXPECT_FALSE(object.setIconInformation({icon(10, 0, 0)})) << "no anchor yet";
    object.setAnchorPoint(std::make_shared<GLCoord>(100, 200, 0, true));
    EXPECT_FALSE(object.setIconInformation({}));

    // Two icons left of and above the anchor, one of them wide (aspect 0.5).
    ASSERT_TRUE(object.setIconInformation({icon(20, -30, -40), icon(20, -60, -40, 0.5f)}));
    const double* box = object.getIconBoundingBox();
    EXPECT_NEAR(box[0], 100 - 70, 0.01);
    EXPECT_NEAR(box[1], 200 - 50, 0.01);
    EXPECT_NEAR(box[2], 70 - 20, 0.01) << "ends at the first icon, not at the anchor";
    EXPECT_NEAR(box[3], 20, 0.01);

    object.setDepthFactor(2.0);
    ASSERT_TRUE(object.calculateIconBoundingBox());
    EXPECT_NEAR(object.getIconBoundingBox()[3], 40, 0.01) << "scaled by the depth factor";
}

TEST(GLIconTextObjectTest, MapVertexMustLieInTheVisibleBox) {
    GLIconTextObject object;
    object.setVisibleRegion(at(1000, 1000), at(2000, 2000));
    object.setOffset(900, 950);
    K7DataPoint<uint32_t> outside;
    outside.editContents() = GeoDataPoint(2500, 1500);
    EXPECT_FALSE(object.setVertices(&outside));
    EXPECT_FALSE(object.getVertex());
    EXPECT_FALSE(object.setVertices(static_cast<K7DataPoint<uint32_t>*>(nullptr)));

    K7DataPoint<uint32_t> inside;
    inside.editContents() = GeoDataPoint(1500, 2000);
    ASSERT_TRUE(object.setVertices(&inside));
    ASSERT_TRUE(object.getVertex());
    EXPECT_EQ(object.getVertex().get()[0], 600.0f);
    EXPECT_EQ(object.getVertex().get()[1], 1050.0f);
    EXPECT_EQ(object.getVertex().get()[2], 10.0f);
    EXPECT_EQ(object.getVerticesNum(), 1);

    ASSERT_TRUE(object.setVertices(std::vector<double>{1000, 1000}));
    EXPECT_EQ(object.getVertex().get()[2], 0.0f) << "application labels lie at z 0";
    EXPECT_FALSE(object.setVertices(std::vector<double>{1500}));

    object.setAnchorPoint(std::make_shared<GLCoord>(1, 2, 0, true));
    object.clear();
    EXPECT_FALSE(object.getVertex());
    EXPECT_FALSE(object.getAnchorPoint());
    EXPECT_EQ(object.getVerticesNum(), 0);
    EXPECT_FALSE(object.getVisibleFlag());
}

TEST(GLIconTextObjectTest, UserIconListFromAtlasPlacements) {
    std::vector<textureInfo> icons;
    GLIconTextObject::convertUserIconList({placement(10, 20, 40, 20), placement(100, 0, 10, 30),
                                           placement(0, 0, 0, 5)},
                                          256, icons);
    ASSERT_EQ(icons.size(), 2u) << "a placement without area gives no icon";
    const float s = 1.4142135f * 40;
    EXPECT_FLOAT_EQ(icons[0].aspect, 0.5f);
    EXPECT_FLOAT_EQ(icons[0].sizeU, s / 256);
    EXPECT_FLOAT_EQ(icons[0].sizeV, s / 256);
    EXPECT_FLOAT_EQ(icons[0].offsetU, (10 - (s - 40) / 2) / 256);
    EXPECT_FLOAT_EQ(icons[0].offsetV, (20 - (s - 20) / 2) / 256);
    EXPECT_FLOAT_EQ(icons[0].iconSize, 40 * 1.4142135f);
    EXPECT_FLOAT_EQ(icons[0].atlasSize, 256);
    EXPECT_EQ(icons[0].texture, 0);
    const float tall = 1.4142135f * 30;
    EXPECT_FLOAT_EQ(icons[1].aspect, 3.0f);
    EXPECT_FLOAT_EQ(icons[1].sizeU, tall / 256);

    std::vector<textureInfo> none;
    GLIconTextObject::convertUserIconList({placement(0, 0, 4, 4)}, 0, none);
    EXPECT_TRUE(none.empty());
}

TEST(GLIconTextObjectTest, ApplicationLabelTakesItsAtlasesAndDropsThemWhenEmptied) {
    std::vector<K7DataIu1> textImages = images(64, 64);
    std::vector<_TextAtlasInfo> textList = {placement(1, 1, 50, 20)};
    std::vector<K7DataIu1> iconImages = images(32, 16);
    std::vector<_TextAtlasInfo> iconList = {placement(1, 1, 10, 10), placement(12, 1, 10, 10)};
    const double position[2] = {5000, 6000};

    GLIconTextObject object;
    ASSERT_TRUE(object.initialize("pin", 3.0f, position, &textImages, &textList, 4, &iconList,
                                  &iconImages, 30.0f, true, 1.0f));
    EXPECT_TRUE(object.isUserObject());
    EXPECT_EQ(object.getId(), "pin");
    EXPECT_EQ(object.getUserOriginalVertices(), (std::vector<double>{5000, 6000}));
    EXPECT_EQ(object.getTextAtlasInfo().size(), 1u);
    EXPECT_EQ(object.getTextAtlasPixels(), textImages[0].editContents().samples.data());
    EXPECT_EQ(object.getTextAtlasSize(), 64);
    EXPECT_EQ(object.getIconAtlasPixels(), iconImages[0].editContents().samples.data());
    EXPECT_EQ(object.getIconAtlasSize(), 32);
    EXPECT_EQ(object.getUserIconList().size(), 2u);
    EXPECT_EQ(object.getAngle(), 30.0f);
    EXPECT_EQ(object.getTextPosition(), 4);

    // The controller frees the old buffers when it replaces them: nothing
    // may point into them afterwards.
    std::vector<K7DataIu1> noImages;
    std::vector<_TextAtlasInfo> noList;
    object.updateUserIcon(&noImages, &noList);
    EXPECT_EQ(object.getIconAtlasPixels(), nullptr);
    EXPECT_EQ(object.getIconAtlasSize(), 0);
    EXPECT_TRUE(object.getUserIconList().empty());
    object.updateUserText(&noImages, &noList);
    EXPECT_EQ(object.getTextAtlasPixels(), nullptr);
    EXPECT_TRUE(object.getTextAtlasInfo().empty());
}

TEST(GLIconTextObjectTest, NonSquareTextAtlasIsNotUsedAsTexture) {
    std::vector<K7DataIu1> textImages = images(64, 32);
    std::vector<_TextAtlasInfo> textList = {placement(1, 1, 50, 20)};
    GLIconTextObject object;
    object.updateUserText(&textImages, &textList);
    EXPECT_EQ(object.getTextAtlasInfo().size(), 1u);
    EXPECT_EQ(object.getTextAtlasPixels(), nullptr);
}

TEST(GLIconTextObjectTest, InitializeWithoutASingleElementListChangesNothingElse) {
    std::vector<_TextAtlasInfo> two = {placement(0, 0, 1, 1), placement(2, 2, 1, 1)};
    const double position[2] = {1, 2};
    GLIconTextObject object;
    EXPECT_FALSE(object.initialize("mine", 9.0f, position, nullptr, &two, 1, nullptr, nullptr,
                                   5.0f, false, 2.0f));
    EXPECT_TRUE(object.isUserObject());
    EXPECT_TRUE(object.getId().empty());
    EXPECT_EQ(object.getZindex(), 0.0f);
    EXPECT_TRUE(object.getVisibleFlag());
    EXPECT_TRUE(object.getUserOriginalVertices().empty());
}
