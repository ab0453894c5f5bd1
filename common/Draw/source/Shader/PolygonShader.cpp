#include "PolygonShader.h"

namespace qiv {

namespace {

const char* const kVertexSource =
    "precision highp float;uniform mat4 uMVMatrix;uniform mat4 uPMatrix;"
    "uniform vec2 uRotateOrigin;uniform float uZIndex;uniform float uNear;uniform float uFar;"
    "attribute vec4 vPosition;void main() {vec4 RotateOrigin = vec4(uRotateOrigin, 0.0,0.0);"
    "  vec4 offsetPosition = vPosition - RotateOrigin;"
    "  vec4 rotateoffsetPosition = uMVMatrix * offsetPosition;"
    "vec4  rotatePosition = rotateoffsetPosition + RotateOrigin;"
    "  gl_Position = uPMatrix * rotatePosition;"
    "gl_Position.z = gl_Position.w * (-uZIndex * 0.0005);}";

const char* const kFragmentSource =
    "precision highp float;uniform vec4 vColor;void main() {"
    "  gl_FragColor = vec4(vColor.rgba);}";

}  // namespace

PolygonShader::PolygonShader() {
    buildInConstructor();
}

bool PolygonShader::initializeProgram() {
    const bool built = buildProgram(kVertexSource, kFragmentSource);
    m_color = uniformLocation("vColor");
    lookUpViewLocations();
    lookUpDepthLocations();
    return built;
}

}  // namespace qiv
