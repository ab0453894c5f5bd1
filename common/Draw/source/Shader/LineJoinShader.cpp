#include "LineJoinShader.h"

namespace qiv {

namespace {

const char* const kVertexSource =
    "uniform mat4 uMVMatrix;uniform mat4 uPMatrix;uniform vec2 uWindow;"
    "uniform vec2 uRotateOrigin;attribute vec4 vPosition;attribute float zFactor;"
    "uniform float pointSize;uniform float uZIndex;varying vec2 v_pos;varying vec2 vWindow;"
    "void main() {vec4 RotateOrigin = vec4(uRotateOrigin, 0.0, 0.0);"
    "vec4 offsetPosition = vPosition - RotateOrigin;offsetPosition[3] = 1.0;"
    "vec4 rotateoffsetPosition = uMVMatrix * offsetPosition;"
    "vec4  rotatePosition = rotateoffsetPosition + RotateOrigin;"
    "gl_Position = uPMatrix * rotatePosition; v_pos =  (gl_Position.xy + 1.0) * uWindow;"
    " vWindow = vec2(gl_Position.w,uWindow.y); gl_PointSize = pointSize;"
    " gl_PointSize = pointSize * zFactor;}";

const char* const kFragmentSource =
    "precision mediump float;uniform vec4 uColor;uniform vec2 ulineWidth;"
    "uniform vec4 uTiltMatrix;varying vec2 v_pos;varying vec2 vWindow;void main() {"
    "float dist = length(v_pos - gl_FragCoord.xy);"
    "float alpha = clamp(min(dist - (ulineWidth.t - 1.0), ulineWidth.s - dist),0.0,1.0);"
    "vec3 n;n.xy = gl_PointCoord * 2.0 - 1.0;n.z = 1.0 - dot(n.xy, n.xy);"
    "if (n.z < 0.0) discard;vec4 k;k = vec4(gl_PointCoord * 2.0 - 1.0, 0.0, 1.0);vec4 tiltPt;"
    "tiltPt = uTiltMatrix * k;tiltPt.z = 1.0 - dot(tiltPt.xy, tiltPt.xy);"
    "  gl_FragColor = uColor;}";

}  // namespace

LineJoinShader::LineJoinShader() {
    buildInConstructor();
}

bool LineJoinShader::initializeProgram() {
    const bool built = buildProgram(kVertexSource, kFragmentSource);
    m_zFactor = attributeLocation("zFactor");
    m_color = uniformLocation("uColor");
    m_lineWidth = uniformLocation("uLineWidth");
    m_pointSize = uniformLocation("pointSize");
    m_tiltMatrix = uniformLocation("uTiltMatrix");
    m_window = uniformLocation("uWindow");
    lookUpViewLocations();
    m_zIndex = uniformLocation("uZIndex");
    return built;
}

}  // namespace qiv
