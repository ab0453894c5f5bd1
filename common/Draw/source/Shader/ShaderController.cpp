#include "ShaderController.h"

#include "AtlasPointSpriteShader.h"
#include "CircleShader.h"
#include "LineJoinShader.h"
#include "PolygonLineShader.h"
#include "PolygonShader.h"
#include "PolylineShader.h"
#include "TexturedPatternPolygonShader.h"
#include "TexturedPolygonShader.h"

namespace qiv {

ShaderController::ShaderController() {
    m_shaders[POLYLINE_OBJECT] = std::make_shared<PolylineShader>();
    m_shaders[POLYGON_LINE_OBJECT] = std::make_shared<PolygonLineShader>();
    m_shaders[POLYGON_OBJECT] = std::make_shared<PolygonShader>();
    m_shaders[TEXTURED_POLYGON_OBJECT] = std::make_shared<TexturedPolygonShader>();
    m_shaders[TEXTURED_PATTERN_POLYGON_OBJECT] = std::make_shared<TexturedPatternPolygonShader>();
    m_shaders[POINT_SPRITE_OBJECT] = std::make_shared<PointSpriteShader>();
    m_shaders[ATLAS_POINT_SPRITE_OBJECT] = std::make_shared<AtlasPointSpriteShader>();
    m_shaders[LINE_JOIN_OBJECT] = std::make_shared<LineJoinShader>();
    m_shaders[CIRCLE_OBJECT] = std::make_shared<CircleShader>();
}

std::shared_ptr<BaseShader> ShaderController::getShaderProgram(MapObjectType kind) const {
    const auto found = m_shaders.find(kind);
    return found != m_shaders.end() ? found->second : nullptr;
}

void ShaderController::reCreateProgram() {
    for (auto& entry : m_shaders) entry.second->reCreateProgram();
}

void ShaderController::deleteProgram() {
    for (auto& entry : m_shaders) entry.second->deleteProgram();
    m_shaders.clear();
}

}  // namespace qiv
