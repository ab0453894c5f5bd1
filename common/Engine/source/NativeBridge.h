#ifndef TOLKMAPS_ENGINE_NATIVEBRIDGE_H
#define TOLKMAPS_ENGINE_NATIVEBRIDGE_H

#include <functional>
#include <mutex>
#include <string>

namespace qiv {

// The engine's only way back into the view layer. The view installs its
// handler; the engine's frame calls the static functions on the render
// thread. Without a handler a call does nothing.
class NativeBridge {
public:
    using OutOfAreaHandler = std::function<void(const std::string& engineId)>;

    // The camera of map `engineId` had to be pulled back into its movable area.
    static void onOutOfArea(const std::string& engineId);
    // Replaces the handler (an empty one removes it). Any thread.
    static void setOutOfAreaHandler(OutOfAreaHandler handler);

private:
    static std::mutex m_mutex;
    static OutOfAreaHandler m_outOfArea;
};

}  // namespace qiv

#endif
