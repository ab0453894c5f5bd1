#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "AtlasPointSpriteShader.h"
#include "CircleShader.h"
#include "GLTestContext.h"
#include "LineJoinShader.h"
#include "Log.h"
#include "PolygonLineShader.h"
#include "PolygonShader.h"
#include "PolylineShader.h"
#include "ShaderController.h"
#include "TexturedPatternPolygonShader.h"
#include "TexturedPolygonShader.h"

using namespace qiv;

namespace {

using Getter = std::function<GLint(const BaseShader&)>;

// Reads a location through the program class's getter; throws std::bad_cast
// when the kind's program is of another class.
template <typename Shader>
Getter by(GLint (Shader::*getter)() const) {
    return [getter](const BaseShader& shader) {
        return (dynamic_cast<const Shader&>(shader).*getter)();
    };
}

struct Location {
    const char* name;
    bool attribute;
    // Whether the program's output depends on it, so that GL must keep it.
    bool used;
    Getter get;
};

struct ProgramCase {
    MapObjectType kind;
    std::vector<Location> locations;
};

const bool kAttribute = true;
const bool kUniform = false;
const bool kUsed = true;
const bool kUnused = false;

std::vector<Location> withView(std::vector<Location> own) {
    own.push_back({"vPosition", kAttribute, kUsed, by(&BaseShader::getPositionID)});
    own.push_back({"uMVMatrix", kUniform, kUsed, by(&BaseShader::getModelViewMatrixID)});
    own.push_back({"uPMatrix", kUniform, kUsed, by(&BaseShader::getProjectionID)});
    own.push_back({"uRotateOrigin", kUniform, kUsed, by(&BaseShader::getRotateinOriginID)});
    return own;
}

std::vector<Location> withViewAndDepth(std::vector<Location> own) {
    own = withView(own);
    own.push_back({"uZIndex", kUniform, kUsed, by(&BaseShader::getZIndexID)});
    own.push_back({"uNear", kUniform, kUnused, by(&BaseShader::getNearID)});
    own.push_back({"uFar", kUniform, kUnused, by(&BaseShader::getFarID)});
    return own;
}

std::vector<ProgramCase> programCases() {
    return {
        {POLYLINE_OBJECT,
         withViewAndDepth({{"vColor", kUniform, kUsed, by(&PolylineShader::getColorID)}})},
        {POLYGON_OBJECT,
         withViewAndDepth({{"vColor", kUniform, kUsed, by(&PolygonShader::getColorID)}})},
        {TEXTURED_POLYGON_OBJECT,
         withViewAndDepth(
             {{"aTexCoord", kAttribute, kUsed, by(&TexturedPolygonShader::getTextureCoordID)},
              {"sampler", kUniform, kUsed, by(&TexturedPolygonShader::getSampler)},
              {"uAlpha", kUniform, kUsed, by(&TexturedPolygonShader::getAlphaID)}})},
        {TEXTURED_PATTERN_POLYGON_OBJECT,
         withViewAndDepth(
             {{"uv", kAttribute, kUsed, by(&TexturedPatternPolygonShader::getUVID)},
              {"tileSize", kUniform, kUsed, by(&TexturedPatternPolygonShader::getTileSizeID)},
              {"tileOffset", kUniform, kUsed, by(&TexturedPatternPolygonShader::getTileOffsetID)},
              {"sampler", kUniform, kUsed, by(&TexturedPatternPolygonShader::getSampler)}})},
        {POINT_SPRITE_OBJECT,
         withView({{"pointSize", kAttribute, kUsed, by(&PointSpriteShader::getPointSizeID)},
                   {"pixelOffset", kAttribute, kUsed, by(&PointSpriteShader::getPixelOffsetID)},
                   {"sampler", kUniform, kUsed, by(&PointSpriteShader::getSampler)},
                   {"uRotMatrix", kUniform, kUsed, by(&PointSpriteShader::getModelRotateMatrixID)},
                   {"uwindowSize", kUniform, kUsed, by(&PointSpriteShader::getWindowSizeID)}})},
        {ATLAS_POINT_SPRITE_OBJECT,
         withView(
             {{"pointSize", kAttribute, kUsed, by(&AtlasPointSpriteShader::getPointSizeID)},
              {"pixelOffset", kAttribute, kUsed, by(&AtlasPointSpriteShader::getPixelOffsetID)},
              {"TextureCoordIn", kAttribute, kUsed, by(&AtlasPointSpriteShader::getTextureCoordID)},
              {"azAngle", kAttribute, kUsed, by(&AtlasPointSpriteShader::getAngleID)},
              {"TextureCoordPointSize", kAttribute, kUsed,
               by(&AtlasPointSpriteShader::getTextureCoordPointSizeID)},
              {"aAspect", kAttribute, kUsed, by(&AtlasPointSpriteShader::getAspectID)},
              {"sampler", kUniform, kUsed, by(&AtlasPointSpriteShader::getSampler)},
              {"uwindowSize", kUniform, kUsed, by(&AtlasPointSpriteShader::getWindowSizeID)},
              {"uRotMatrix", kUniform, kUnused,
               by(&AtlasPointSpriteShader::getModelRotateMatrixID)}})},
        {POLYGON_LINE_OBJECT,
         withViewAndDepth(
             {{"vExtrude", kAttribute, kUsed, by(&PolygonLineShader::getExtrudeID)},
              {"aNormal", kAttribute, kUsed, by(&PolygonLineShader::getNormalID)},
              {"linesofar", kAttribute, kUnused, by(&PolygonLineShader::getLineSofarID)},
              {"vColor", kUniform, kUsed, by(&PolygonLineShader::getColorID)},
              {"uExMatrix", kUniform, kUnused, by(&PolygonLineShader::getExMatrixID)},
              {"vLineWidth", kUniform, kUsed, by(&PolygonLineShader::getLineWidthID)},
              {"u_dasharray", kUniform, kUnused, by(&PolygonLineShader::getDashArrayID)},
              {"blur", kUniform, kUsed, by(&PolygonLineShader::getBlurID)},
              {"uScale", kUniform, kUnused, by(&PolygonLineShader::getScaleID)}})},
        {LINE_JOIN_OBJECT,
         withView({{"zFactor", kAttribute, kUsed, by(&LineJoinShader::getZFactorID)},
                   {"uColor", kUniform, kUsed, by(&LineJoinShader::getColorID)},
                   {"pointSize", kUniform, kUsed, by(&LineJoinShader::getPointSizeID)},
                   {"uLineWidth", kUniform, kUnused, by(&LineJoinShader::getLineWidthID)},
                   {"uTiltMatrix", kUniform, kUnused, by(&LineJoinShader::getTiltMatrixID)},
                   {"uWindow", kUniform, kUnused, by(&LineJoinShader::getWindowID)},
                   {"uZIndex", kUniform, kUnused, by(&BaseShader::getZIndexID)}})},
        {CIRCLE_OBJECT,
         withViewAndDepth({{"aColor", kAttribute, kUsed, by(&CircleShader::getColorID)}})},
    };
}

// Names of the active attributes or uniforms of a linked program.
std::set<std::string> activeNames(GLuint program, bool attributes) {
    GLint count = 0;
    glGetProgramiv(program, attributes ? GL_ACTIVE_ATTRIBUTES : GL_ACTIVE_UNIFORMS, &count);
    std::set<std::string> names;
    for (GLint i = 0; i < count; ++i) {
        char name[128] = {};
        GLint size = 0;
        GLenum type = 0;
        if (attributes) {
            glGetActiveAttrib(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type,
                              name);
        } else {
            glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type,
                               name);
        }
        names.insert(name);
    }
    return names;
}

bool linked(GLuint program) {
    GLint status = GL_FALSE;
    if (program != 0) glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

void expectLocations(const BaseShader& shader, const ProgramCase& expected) {
    const GLuint program = shader.getProgramID();
    std::set<std::string> listed;
    for (const Location& location : expected.locations) {
        SCOPED_TRACE(location.name);
        listed.insert(location.name);
        const GLint fromGL = location.attribute ? glGetAttribLocation(program, location.name)
                                                : glGetUniformLocation(program, location.name);
        EXPECT_EQ(location.get(shader), fromGL);
        if (location.used) {
            EXPECT_GE(fromGL, 0);
        }
    }
    // Every input the linked program keeps is one the class looks up.
    for (bool attributes : {true, false}) {
        for (const std::string& name : activeNames(program, attributes)) {
            EXPECT_TRUE(listed.count(name)) << name << " is active but has no getter";
        }
    }
}

const char* const kGoodVertex = "attribute vec4 vPosition;void main() {gl_Position = vPosition;}";
const char* const kGoodFragment = "precision mediump float;void main() {gl_FragColor = vec4(1.0);}";

// A program class whose vertex source does not compile.
class BrokenShader : public BaseShader {
public:
    bool initializeProgram() override {
        return buildProgram("attribute vec4 vPosition;void main() {gl_Position = oops;}",
                            kGoodFragment);
    }
};

// Captures the log lines written while it lives.
class LogCapture {
public:
    LogCapture() : m_console(Log::chkConsole), m_level(Log::chkFilterLevel) {
        Log::chkConsole = true;
        Log::chkFilterLevel = 2;
        testing::internal::CaptureStdout();
    }
    ~LogCapture() { finish(); }
    std::string finish() {
        if (!m_done) {
            m_text = testing::internal::GetCapturedStdout();
            Log::chkConsole = m_console;
            Log::chkFilterLevel = m_level;
            m_done = true;
        }
        return m_text;
    }

private:
    bool m_console;
    int m_level;
    bool m_done = false;
    std::string m_text;
};

}  // namespace

using ShaderProgramTest = GLTest;

TEST_F(ShaderProgramTest, EveryKindHasItsLinkedProgramAndLocations) {
    ShaderController controller;
    for (const ProgramCase& expected : programCases()) {
        SCOPED_TRACE(testing::Message() << "kind " << expected.kind);
        const std::shared_ptr<BaseShader> shader = controller.getShaderProgram(expected.kind);
        ASSERT_NE(shader, nullptr);
        ASSERT_TRUE(linked(shader->getProgramID()));
        expectLocations(*shader, expected);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderProgramTest, RecreatedProgramsLinkAgainAndDeletedOnesAreGone) {
    ShaderController controller;
    for (int kind : {5, 6, 7, 8, 11, 15}) {
        EXPECT_EQ(controller.getShaderProgram(static_cast<MapObjectType>(kind)), nullptr) << kind;
    }
    controller.reCreateProgram();
    std::vector<std::shared_ptr<BaseShader>> shaders;
    for (const ProgramCase& expected : programCases()) {
        SCOPED_TRACE(testing::Message() << "kind " << expected.kind);
        shaders.push_back(controller.getShaderProgram(expected.kind));
        ASSERT_TRUE(linked(shaders.back()->getProgramID()));
        expectLocations(*shaders.back(), expected);
    }
    std::vector<GLuint> names;
    for (const auto& shader : shaders) names.push_back(shader->getProgramID());

    controller.deleteProgram();
    for (const ProgramCase& expected : programCases()) {
        EXPECT_EQ(controller.getShaderProgram(expected.kind), nullptr) << expected.kind;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_FALSE(glIsProgram(names[i])) << names[i];
        EXPECT_EQ(shaders[i]->getProgramID(), 0u);
    }
}

struct BrokenCase {
    const char* what;
    const char* vertex;
    const char* fragment;
    const char* logged;
};

TEST_F(ShaderProgramTest, BrokenSourcesGiveNoProgramAndALoggedReason) {
    const BrokenCase cases[] = {
        {"vertex syntax", "void main() {gl_Position = vec4(1.0)}", kGoodFragment,
         "shader compile failed, stage vertex"},
        {"fragment type", kGoodVertex, "precision mediump float;void main() {gl_FragColor = 1;}",
         "shader compile failed, stage fragment"},
        {"varying read but never written", kGoodVertex,
         "precision mediump float;varying vec4 vMissing;void main() {gl_FragColor = vMissing;}",
         "program link failed: "},
    };
    for (const BrokenCase& broken : cases) {
        SCOPED_TRACE(broken.what);
        LogCapture capture;
        EXPECT_EQ(BaseShader::createProgram(broken.vertex, broken.fragment), 0u);
        const std::string log = capture.finish();
        EXPECT_NE(log.find(broken.logged), std::string::npos) << log;
        EXPECT_NE(log.find("[error]"), std::string::npos) << log;
        // The compiler's or linker's own text follows the message.
        EXPECT_GT(log.size() - log.find(broken.logged), std::string(broken.logged).size() + 4);
    }
    EXPECT_NE(BaseShader::createProgram(kGoodVertex, kGoodFragment), 0u);
}

TEST_F(ShaderProgramTest, ProgramThatNeverBuiltStaysEmpty) {
    LogCapture capture;
    BrokenShader shader;
    EXPECT_FALSE(shader.initializeProgram());
    shader.reCreateProgram();
    EXPECT_EQ(shader.getProgramID(), 0u);
    EXPECT_EQ(shader.getPositionID(), -1);
    EXPECT_NE(capture.finish().find("oops"), std::string::npos);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
