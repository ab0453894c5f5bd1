#include "TexturedPatternPolygonShader.h"

namespace qiv {

namespace {

const char* const kVertexSource =
    "precision highp float;uniform mat4 uMVMatrix;uniform mat4 uPMatrix;"
    "uniform vec2 uRotateOrigin;uniform float uZIndex;uniform float uNear;uniform float uFar;"
    "attribute vec4 vPosition;attribute vec2 uv;varying vec2 tileUV;void main() {"
    "  vec4 offsetPosition = vPosition - vec4(uRotateOrigin,0.0,0.0);"
    "  vec4 rotateoffsetPosition = uMVMatrix * offsetPosition;"
    "  vec4  rotatePosition = rotateoffsetPosition + vec4(uRotateOrigin,0.0,0.0);"
    "  gl_Position = uPMatrix * rotatePosition;"
    "  gl_Position.z = gl_Position.w * (-uZIndex * 0.0005);  tileUV = uv;}";

const char* const kFragmentSource =
    "precision highp float;uniform sampler2D sampler;uniform vec2 tileSize;"
    "uniform vec2 tileOffset;varying vec2 tileUV;void main() {"
    "  vec2 coord = tileOffset + (tileSize * fract(tileUV)); coord.y = tileUV.y;"
    "  gl_FragColor = texture2D( sampler, coord);}";

}  // namespace

TexturedPatternPolygonShader::TexturedPatternPolygonShader() {
    buildInConstructor();
}

bool TexturedPatternPolygonShader::initializeProgram() {
    const bool built = buildProgram(kVertexSource, kFragmentSource);
    m_uv = attributeLocation("uv");
    m_tileSize = uniformLocation("tileSize");
    m_tileOffset = uniformLocation("tileOffset");
    m_sampler = uniformLocation("sampler");
    lookUpViewLocations();
    lookUpDepthLocations();
    return built;
}

}  // namespace qiv
