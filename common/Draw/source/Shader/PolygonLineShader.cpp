#include "PolygonLineShader.h"

namespace qiv {

namespace {

const char* const kVertexSource =
    "uniform mat4 uMVMatrix;uniform mat4 uPMatrix;uniform mat4 uExMatrix;"
    "uniform vec2 uRotateOrigin;uniform float uScale;uniform float uZIndex;"
    "uniform float uNear;uniform float uFar;attribute vec4 vPosition;attribute vec2 vExtrude;"
    "attribute vec2 aNormal;attribute float linesofar;uniform vec2 vLineWidth;"
    "varying vec2 vnormal;varying float vlinesofar;varying vec2 LineWidth;varying vec4 vdis;"
    "varying float vDepth;void main() { vec2 normal = aNormal;"
    " normal.y = sign(aNormal.y - 0.5); vnormal = normal;"
    "vec4 dist = vec4(vLineWidth.s * vExtrude * 4.0, 0.0, 0.0);"
    "vec4 RotateOrigin = vec4(uRotateOrigin, 0.0, 0.0);"
    "vec4 offsetPosition = vPosition - RotateOrigin;"
    "  vec4 rotateoffsetPosition = uMVMatrix * offsetPosition;"
    "vec4  rotatePosition = rotateoffsetPosition + RotateOrigin;"
    "vec4 rotdist = uMVMatrix * dist;vdis = dist;"
    " gl_Position = uPMatrix * ( rotatePosition + rotdist);vDepth = gl_Position.z;"
    "gl_Position.z = gl_Position.w * (-uZIndex * 0.0005);vlinesofar = linesofar;"
    "LineWidth = vLineWidth;}";

const char* const kFragmentSource =
    "precision highp float;uniform float blur;uniform vec2 u_dasharray;uniform vec4 vColor;"
    "varying vec2 vnormal;varying float vlinesofar;varying vec2 LineWidth;varying vec4 vdis;"
    "varying float vDepth;void main() {float dist = length(vnormal) * LineWidth.s;"
    "float alpha = clamp( (LineWidth.s - dist) / blur, 0.0, 1.0);"
    " if ( alpha == 0.0)   discard;        gl_FragColor = vec4(vColor.rgb,vColor.a * alpha);}";

}  // namespace

PolygonLineShader::PolygonLineShader() {
    buildInConstructor();
}

bool PolygonLineShader::initializeProgram() {
    const bool built = buildProgram(kVertexSource, kFragmentSource);
    m_extrude = attributeLocation("vExtrude");
    m_normal = attributeLocation("aNormal");
    m_lineSofar = attributeLocation("linesofar");
    m_color = uniformLocation("vColor");
    m_exMatrix = uniformLocation("uExMatrix");
    m_lineWidth = uniformLocation("vLineWidth");
    m_dashArray = uniformLocation("u_dasharray");
    m_blur = uniformLocation("blur");
    m_scale = uniformLocation("uScale");
    lookUpViewLocations();
    lookUpDepthLocations();
    return built;
}

}  // namespace qiv
