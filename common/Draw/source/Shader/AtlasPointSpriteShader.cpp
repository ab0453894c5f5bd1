#include "AtlasPointSpriteShader.h"

namespace qiv {

namespace {

const char* const kVertexSource =
    "uniform mat4 uMVMatrix;uniform mat4 uPMatrix;uniform mat4 uRotMatrix;"
    "uniform vec2 uRotateOrigin; uniform vec2 uwindowSize;attribute vec4 vPosition;"
    "attribute vec2 pixelOffset;attribute float pointSize;attribute vec2 TextureCoordIn;"
    "attribute vec2 TextureCoordPointSize;attribute float aAspect;attribute float azAngle;"
    "varying vec2 TextureCoord;varying vec2 TextureSize;varying float Aspect;"
    "varying float vzAngle;void main() {"
    " vec2 screenConvert = vec2(2.0/uwindowSize.x, -2.0 / uwindowSize.y);"
    " vec2 convertedPix = pixelOffset * screenConvert;"
    "vec4 RotateOrigin = vec4(uRotateOrigin, 0.0, 0.0);"
    "  vec4 offsetPosition = vPosition - RotateOrigin;"
    "  vec4 rotateoffsetPosition = uMVMatrix * offsetPosition;"
    "vec4  rotatePosition = rotateoffsetPosition + RotateOrigin;"
    " vec4 clip = uPMatrix * rotatePosition;"
    " gl_Position = vec4(clip.xyz / clip.w + vec3(convertedPix.x,convertedPix.y, 0.0) , 1.0);"
    " gl_PointSize = pointSize; TextureCoord = TextureCoordIn;"
    " TextureSize = TextureCoordPointSize; Aspect = aAspect; vzAngle = azAngle;}";

const char* const kFragmentSource =
    "precision highp float;uniform sampler2D sampler;uniform mat4 uRotMatrix;"
    "uniform float uAspect;varying mediump vec2 TextureCoord;"
    "varying mediump vec2 TextureSize;varying float Aspect;varying float vzAngle;"
    "void main() {float Zradian = radians( vzAngle );float cos = cos( Zradian );"
    "float sin = sin( Zradian );"
    "mat4 RotMat = mat4( cos, -sin, 0.0, 0.0,                sin,  cos, 0.0, 0.0,                 "
    "0.0,  0.0, 1.0, 0.0,                 0.0,  0.0, 0.0, 1.0);"
    "mediump vec2 realTexCoord = TextureCoord + (gl_PointCoord * TextureSize);"
    "vec2 zeroOffset = TextureCoord +TextureSize/2.0;"
    "vec2 offsetCoord = realTexCoord - zeroOffset;"
    "vec2 rotateCoord = (RotMat * vec4(offsetCoord,0,1)).xy;"
    "vec2 texCoord = rotateCoord + zeroOffset;float diagonal = sqrt(2.0);"
    "vec2 TrueSize = vec2(TextureSize[0], TextureSize[1]);"
    "if ( Aspect > 1.0)  TrueSize.x /= Aspect; else if( Aspect < 1.0) TrueSize.y *= Aspect;"
    "vec2 RealSize = vec2(TrueSize.x / diagonal, TrueSize.y / diagonal);"
    " float newclipx = 0.0;float newclipy = 0.0;newclipx = (TextureSize.x - RealSize.x)/ 2.0;"
    "newclipy = (TextureSize.y - RealSize.y)/ 2.0;"
    "if (  texCoord.y < newclipy+TextureCoord.y ) discard;"
    "else if ( texCoord.y > (TextureCoord.y + TextureSize[1]) - newclipy  ) discard;"
    "if (  texCoord.x < TextureCoord.x + newclipx) discard;"
    "else if (  texCoord.x > (TextureCoord.x + TextureSize[0]) - newclipx) discard;"
    "mediump vec4 color = texture2D(sampler,texCoord);"
    "if(color.a != 0.0 ) gl_FragColor = color*color.a;else discard;}";

}  // namespace

// Builds the atlas program at once; the point-sprite base builds nothing.
AtlasPointSpriteShader::AtlasPointSpriteShader() : PointSpriteShader(NoBuild{}) {
    buildInConstructor();
}

bool AtlasPointSpriteShader::initializeProgram() {
    const bool built = buildProgram(kVertexSource, kFragmentSource);
    lookUpPointSpriteLocations();
    m_textureCoord = attributeLocation("TextureCoordIn");
    m_angle = attributeLocation("azAngle");
    m_textureCoordPointSize = attributeLocation("TextureCoordPointSize");
    m_aspect = attributeLocation("aAspect");
    return built;
}

}  // namespace qiv
