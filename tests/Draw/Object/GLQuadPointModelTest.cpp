#include "GLQuadPointModel.h"

#include <gtest/gtest.h>

#include "GLQuadIconModel.h"
#include "GLQuadTextModel.h"

using namespace qiv;

namespace {

PointObjectData sprite(int i) {
    PointObjectData record;
    record.x = static_cast<float>(i);
    record.pointSize = 10.0f + i;
    record.angle = 0.5f * i;
    return record;
}

}  // namespace

TEST(GLQuadPointModelTest, The31stSpriteDoublesTheArrayAndKeepsTheOthers) {
    GLQuadTextModel model;
    EXPECT_EQ(model.getCapacity(), 30);
    for (int i = 0; i < 30; ++i) model.addObject(sprite(i));
    const PointObjectData* before = model.getData().get();
    EXPECT_EQ(model.getCapacity(), 30);

    model.addObject(sprite(30));
    EXPECT_EQ(model.getCapacity(), 60);
    EXPECT_EQ(model.getCount(), 31);
    EXPECT_NE(model.getData().get(), before);
    for (int i = 0; i <= 30; ++i) {
        EXPECT_EQ(model.getData().get()[i].x, static_cast<float>(i));
        EXPECT_EQ(model.getData().get()[i].pointSize, 10.0f + i);
    }
    EXPECT_EQ(model.getData().get()[31].pointSize, 0.0f) << "the new room is zeroed";
}

TEST(GLQuadPointModelTest, ClearKeepsTheMemoryForTheNextFrame) {
    GLQuadIconModel model;
    for (int i = 0; i < 100; ++i) model.addObject(sprite(i));
    EXPECT_EQ(model.getCapacity(), 120);
    const PointObjectData* memory = model.getData().get();
    model.clear();
    EXPECT_EQ(model.getCount(), 0);
    EXPECT_EQ(model.getCapacity(), 120);
    model.addObject(sprite(7));
    EXPECT_EQ(model.getData().get(), memory);
    EXPECT_EQ(model.getData().get()[0].x, 7.0f);
}

TEST(GLQuadPointModelTest, AHeldArrayOutlivesGrowth) {
    GLQuadPointModel model;
    model.addObject(sprite(1));
    const std::shared_ptr<PointObjectData> held = model.getData();
    for (int i = 0; i < 40; ++i) model.addObject(sprite(i));
    EXPECT_EQ(held.get()[0].x, 1.0f) << "an uploader's copy stays valid";
}
