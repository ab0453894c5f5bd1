#ifndef TOLKMAPS_TESTS_DRAW_DRAWER_DRAWERFIXTURE_H
#define TOLKMAPS_TESTS_DRAW_DRAWER_DRAWERFIXTURE_H

#include <GLES2/gl2.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "GLObjectDrawer.h"
#include "GLTestContext.h"
#include "ShaderController.h"

// A context with every program built, and drawers that look straight down
// from the height at which one world unit is one screen pixel (pixel factor
// 1): the camera's ground point, the frame origin here, is the centre of the
// 512 x 512 surface, x grows to the right and y upward.
class DrawerTest : public GLTest {
protected:
    using RGBA = GLTestContext::RGBA;
    static constexpr double kOnePixelHeight = 750.0;

    void SetUp() override {
        GLTest::SetUp();
        m_programs = std::make_unique<qiv::ShaderController>();
        clear({0, 0, 0, 1});
    }

    // A drawer of class `Drawer` with the program of `kind`, initialized,
    // sized to the surface and placed over the origin.
    template <class Drawer>
    std::shared_ptr<Drawer> makeDrawer(qiv::MapObjectType kind) {
        auto drawer = std::make_shared<Drawer>();
        drawer->setShaderProgram(m_programs->getShaderProgram(kind));
        EXPECT_TRUE(drawer->initialize());
        drawer->update(kWidth, kHeight, 1.0);
        drawer->setCameraPosition(qiv::GLCoord(0, 0, kOnePixelHeight, true), 0, 0);
        return drawer;
    }

    static void clear(const std::array<float, 4>& colour) {
        glClearColor(colour[0], colour[1], colour[2], colour[3]);
        glClearDepthf(1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }

    // The pixel under the world point (x, y) of the straight-down view.
    RGBA at(double x, double y) {
        return gl().readPixel(static_cast<int>(kWidth / 2 + x), static_cast<int>(kHeight / 2 - y));
    }

    static std::shared_ptr<float> colour(float r, float g, float b, float a) {
        return std::shared_ptr<float>(new float[4]{r, g, b, a}, std::default_delete<float[]>());
    }

    // Two triangles from (x0, y0) to (x1, y1) at height 0.
    static std::vector<float> square(float x0, float y0, float x1, float y1) {
        return {x0, y0, 0, x1, y0, 0, x1, y1, 0, x0, y0, 0, x1, y1, 0, x0, y1, 0};
    }

    static bool enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }
    static GLint integer(GLenum name) {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    }

    // A texture of `width` x `height` RGBA texels (top row first in memory is
    // texture row t = 0), nearest sampling, clamped; unit 0 is left active.
    static GLuint texture(const std::vector<uint8_t>& rgba, int width, int height) {
        GLuint name = 0;
        glGenTextures(1, &name);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     rgba.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return name;
    }

    // The name of a new vertex buffer of class `Buffer` holding `records`;
    // the buffer lives until the test ends.
    template <class Buffer, class Record>
    GLuint buffer(const std::vector<Record>& records) {
        auto made = std::make_shared<Buffer>();
        made->update(records);
        m_buffers.push_back(made);
        return made->getBufferID();
    }

    void TearDown() override {
        m_buffers.clear();
        GLTest::TearDown();
    }

    std::unique_ptr<qiv::ShaderController> m_programs;
    std::vector<std::shared_ptr<void>> m_buffers;
};

// Red, green and blue within `tolerance` of each other (blending rounds; the
// blended alpha of the surface is not compared).
inline bool closeTo(const GLTestContext::RGBA& a, const GLTestContext::RGBA& b, int tolerance = 2) {
    for (size_t i = 0; i < 3; ++i) {
        if (std::abs(int(a[i]) - int(b[i])) > tolerance) {
            return false;
        }
    }
    return true;
}

#endif
