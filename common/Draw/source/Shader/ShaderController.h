#ifndef TOLKMAPS_DRAW_SHADERCONTROLLER_H
#define TOLKMAPS_DRAW_SHADERCONTROLLER_H

#include <map>
#include <memory>

#include "BaseShader.h"
#include "MapObjectType.h"

namespace qiv {

// Owns the program of every drawable kind. The constructor compiles them all,
// so the GL context must be current; every operation runs on the render thread.
class ShaderController {
public:
    ShaderController();

    // The program of a kind; empty when the kind has none.
    std::shared_ptr<BaseShader> getShaderProgram(MapObjectType kind) const;
    // Rebuilds every program in kind order, for a re-initialized context.
    void reCreateProgram();
    // Deletes every GL program in kind order and forgets them all.
    void deleteProgram();

private:
    std::map<MapObjectType, std::shared_ptr<BaseShader>> m_shaders;
};

}  // namespace qiv

#endif
