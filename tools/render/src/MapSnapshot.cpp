#include "MapSnapshot.h"

#include <chrono>
#include <thread>

#include "CacheController.h"

namespace {
// Pause between incomplete frames, so that the workers get the processor.
const std::chrono::milliseconds kFramePause(5);
}  // namespace

MapSnapshot::MapSnapshot(const std::string& engineId, int width, int height)
    : m_width(width), m_height(height), m_engine(engineId) {
    m_engine.setWindowSize(width, height);
}

int MapSnapshot::initialize(const std::string& designName, const std::string& fontPath) {
    m_engine.setFontPath({{"jpn", fontPath}});
    return m_engine.initializeMap(designName);
}

void MapSnapshot::placeCamera(const qiv::CameraPosition& position) {
    m_engine.setPosition(position, 0, 0, qiv::Point(m_width / 2, m_height / 2));
}

MapSnapshot::Outcome MapSnapshot::drawUntilComplete(double timeoutSeconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto limit = std::chrono::duration<double>(timeoutSeconds);
    Outcome outcome;
    while (true) {
        outcome.status = m_engine.drawMap();
        ++outcome.frames;
        const bool timeUp = Clock::now() - start >= limit;
        if (outcome.status != qiv::VeltarEngine::kFrameIncomplete || timeUp) break;
        std::this_thread::sleep_for(kFramePause);
    }
    outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return outcome;
}

std::vector<std::string> MapSnapshot::missingTiles(const std::string& serviceId) {
    std::vector<std::string> missing;
    for (const std::string& key : m_engine.getVisibleQuadKeys()) {
        if (!qiv::CacheController::existMemory({serviceId, key})) missing.push_back(key);
    }
    return missing;
}
