#include "NativeBridge.h"

#include <utility>

namespace qiv {

std::mutex NativeBridge::m_mutex;
NativeBridge::OutOfAreaHandler NativeBridge::m_outOfArea;

void NativeBridge::onOutOfArea(const std::string& engineId) {
    OutOfAreaHandler handler;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        handler = m_outOfArea;
    }
    // Called outside the lock, so that a handler may replace itself.
    if (handler) handler(engineId);
}

void NativeBridge::setOutOfAreaHandler(OutOfAreaHandler handler) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_outOfArea = std::move(handler);
}

}  // namespace qiv
