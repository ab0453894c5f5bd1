#include "TexturedPolygonShader.h"

namespace qiv {

namespace {

const char* const kVertexSource =
    "precision highp float;uniform mat4 uMVMatrix;uniform mat4 uPMatrix;"
    "uniform vec2 uRotateOrigin;uniform float uZIndex;uniform float uNear;uniform float uFar;"
    "attribute vec4 vPosition;attribute vec2 aTexCoord;varying vec2 texCoordVarying;"
    "void main() {vec4 RotateOrigin = vec4(uRotateOrigin, 0.0, 0.0);"
    "  vec4 offsetPosition = vPosition - RotateOrigin;"
    "  vec4 rotateoffsetPosition = uMVMatrix * offsetPosition;"
    "vec4  rotatePosition = rotateoffsetPosition + RotateOrigin;"
    "  gl_Position = uPMatrix * rotatePosition;"
    "  gl_Position.z = gl_Position.w * (-uZIndex * 0.0005);  texCoordVarying = aTexCoord;}";

const char* const kFragmentSource =
    "precision highp float;uniform sampler2D sampler;varying vec2 texCoordVarying;"
    "uniform float uAlpha;void main() {"
    "gl_FragColor = texture2D(sampler,texCoordVarying) * uAlpha;}";

}  // namespace

TexturedPolygonShader::TexturedPolygonShader() {
    buildInConstructor();
}

bool TexturedPolygonShader::initializeProgram() {
    const bool built = buildProgram(kVertexSource, kFragmentSource);
    m_textureCoord = attributeLocation("aTexCoord");
    m_sampler = uniformLocation("sampler");
    m_alpha = uniformLocation("uAlpha");
    lookUpViewLocations();
    lookUpDepthLocations();
    return built;
}

}  // namespace qiv
