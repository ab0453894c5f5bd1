#include "MapDrawController.h"

#include <GLES2/gl2.h>

namespace qiv {

void MapDrawController::clearBuffer() {
    glClearColor(m_backgroundColor[0], m_backgroundColor[1], m_backgroundColor[2],
                 m_backgroundColor[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

}  // namespace qiv
