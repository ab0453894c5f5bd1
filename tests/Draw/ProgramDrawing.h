#ifndef TOLKMAPS_TESTS_DRAW_PROGRAMDRAWING_H
#define TOLKMAPS_TESTS_DRAW_PROGRAMDRAWING_H

#include <GLES2/gl2.h>

#include <array>
#include <vector>

#include "PolygonShader.h"
#include "TexturedPolygonShader.h"

// Draw calls through the real programs, with the uniforms a drawer would set,
// for tests that check pixels. Positions are x, y, z per vertex; with the
// identity matrices they are normalised device coordinates.
namespace drawing {

using Matrix = std::array<float, 16>;

inline Matrix identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

// A quad of two triangles from (x0, y0) to (x1, y1) at z 0.
inline std::vector<float> quad(float x0, float y0, float x1, float y1) {
    return {x0, y0, 0, x1, y0, 0, x1, y1, 0, x0, y0, 0, x1, y1, 0, x0, y1, 0};
}

struct View {
    Matrix modelView = identity();
    Matrix projection = identity();
    std::array<float, 2> rotateOrigin = {0, 0};
    float zIndex = 0;
};

inline void setView(const qiv::BaseShader& shader, const View& view) {
    glUniformMatrix4fv(shader.getModelViewMatrixID(), 1, GL_FALSE, view.modelView.data());
    glUniformMatrix4fv(shader.getProjectionID(), 1, GL_FALSE, view.projection.data());
    glUniform2f(shader.getRotateinOriginID(), view.rotateOrigin[0], view.rotateOrigin[1]);
    glUniform1f(shader.getZIndexID(), view.zIndex);
}

// One colour over the triangles, with blending off.
inline void fill(const qiv::PolygonShader& shader, const std::vector<float>& positions,
                 std::array<float, 4> colour, const View& view = View()) {
    glUseProgram(shader.getProgramID());
    setView(shader, view);
    glUniform4fv(shader.getColorID(), 1, colour.data());
    glEnableVertexAttribArray(shader.getPositionID());
    glVertexAttribPointer(shader.getPositionID(), 3, GL_FLOAT, GL_FALSE, 12, positions.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(positions.size() / 3));
    glDisableVertexAttribArray(shader.getPositionID());
    glUseProgram(0);
}

// The texture over the whole viewport: texture coordinate (0, 0) at the
// bottom-left corner, (1, 1) at the top-right; sampled from unit 3.
inline void cover(const qiv::TexturedPolygonShader& shader, GLuint texture, float alpha = 1.0f) {
    const std::vector<float> positions = quad(-1, -1, 1, 1);
    const std::vector<float> coords = {0, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1};
    glUseProgram(shader.getProgramID());
    setView(shader, View());
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(shader.getSampler(), 3);
    glUniform1f(shader.getAlphaID(), alpha);
    glEnableVertexAttribArray(shader.getPositionID());
    glEnableVertexAttribArray(shader.getTextureCoordID());
    glVertexAttribPointer(shader.getPositionID(), 3, GL_FLOAT, GL_FALSE, 12, positions.data());
    glVertexAttribPointer(shader.getTextureCoordID(), 2, GL_FLOAT, GL_FALSE, 8, coords.data());
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glDisableVertexAttribArray(shader.getPositionID());
    glDisableVertexAttribArray(shader.getTextureCoordID());
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glUseProgram(0);
}

}  // namespace drawing

#endif
