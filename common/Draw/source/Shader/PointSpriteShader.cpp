#include "PointSpriteShader.h"

namespace qiv {

namespace {

const char* const kVertexSource =
    "uniform mat4 uMVMatrix;uniform mat4 uPMatrix;uniform vec2 uwindowSize;"
    "uniform vec2 uRotateOrigin;attribute vec4 vPosition;attribute vec2 pixelOffset;"
    "attribute float pointSize;void main() {"
    " vec2 screenConvert = vec2(2.0/uwindowSize.x, -2.0 / uwindowSize.y);"
    " vec2 convertedPix = pixelOffset * screenConvert;"
    "vec4 RotateOrigin = vec4(uRotateOrigin, 0.0, 0.0);"
    "  vec4 offsetPosition = vPosition - RotateOrigin;"
    "  vec4 rotateoffsetPosition = uMVMatrix * offsetPosition;"
    "vec4  rotatePosition = rotateoffsetPosition + RotateOrigin;"
    " vec4 clip = uPMatrix * rotatePosition;"
    " gl_Position = vec4(clip.xyz / clip.w + vec3(convertedPix.x,convertedPix.y, 0.0) , 1.0);"
    " gl_PointSize = pointSize;}";

const char* const kFragmentSource =
    "precision mediump float;uniform sampler2D sampler;uniform mat4 uRotMatrix;void main() {"
    "vec2 offsetCoord = gl_PointCoord - vec2(0.5,0.5);"
    "vec2 rotateCoord = (uRotMatrix * vec4(offsetCoord,0,1)).xy;"
    " vec2 texCoord  = rotateCoord + vec2(0.5, 0.5);vec4 color = texture2D(sampler,texCoord);"
    "if(color.a != 0.0) gl_FragColor = color;else discard;}";

}  // namespace

PointSpriteShader::PointSpriteShader() {
    buildInConstructor();
}

bool PointSpriteShader::initializeProgram() {
    const bool built = buildProgram(kVertexSource, kFragmentSource);
    lookUpPointSpriteLocations();
    return built;
}

void PointSpriteShader::lookUpPointSpriteLocations() {
    m_pointSize = attributeLocation("pointSize");
    m_pixelOffset = attributeLocation("pixelOffset");
    m_sampler = uniformLocation("sampler");
    m_modelRotateMatrix = uniformLocation("uRotMatrix");
    m_windowSize = uniformLocation("uwindowSize");
    lookUpViewLocations();
}

}  // namespace qiv
