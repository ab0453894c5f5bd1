#include "RenderCommand.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "DesignController.h"
#include "EngineStatusText.h"
#include "FileManager.h"
#include "HeadlessSurface.h"
#include "KitStartup.h"
#include "Log.h"
#include "MapSnapshot.h"
#include "RenderOptions.h"
#include "TemporaryFolder.h"

namespace {

const char* const kEngineId = "tolkmaps-render";
// Missing tiles named in the message; the rest are counted.
const size_t kMostNamedTiles = 16;

std::ostream& complain(std::ostream& err) { return err << "tolkmaps-render: "; }

// A snapshot has nothing behind it: soft line edges blended into the frame
// leave alpha below 255 there, which image viewers would show as holes.
void makeOpaque(std::vector<uint8_t>& rgba) {
    for (size_t alpha = 3; alpha < rgba.size(); alpha += 4) rgba[alpha] = 255;
}

std::string joined(const std::vector<std::string>& words, size_t most) {
    std::string text;
    for (size_t i = 0; i < std::min(words.size(), most); ++i) text += (i ? ", " : "") + words[i];
    if (words.size() > most) text += " and " + std::to_string(words.size() - most) + " more";
    return text;
}

}  // namespace

int RenderCommand::run(const std::vector<std::string>& arguments, std::ostream& out,
                       std::ostream& err) {
    RenderOptions options;
    try {
        options = RenderOptions::parse(arguments, RenderOptions::processEnvironment);
    } catch (const RenderUsageError& error) {
        complain(err) << error.what() << "\n(tolkmaps-render --help lists the options)\n";
        return kUsage;
    }
    if (options.help) {
        out << RenderOptions::usage();
        return kComplete;
    }
    Log::chkConsole = options.verbose;
    if (!options.cacheDir.empty()) return render(options, options.cacheDir, out, err);
    const TemporaryFolder cache("tolkmaps-render-cache");
    if (cache.path().empty()) {
        complain(err) << "cannot make a temporary cache folder (give one with --cache)\n";
        return kFailed;
    }
    return render(options, cache.path(), out, err);
}

int RenderCommand::render(const RenderOptions& options, const std::string& cacheDir,
                          std::ostream& out, std::ostream& err) {
    // The context must be current before the engine exists and until it is gone.
    HeadlessSurface surface(options.width, options.height);
    if (!surface.isValid()) {
        complain(err) << "no headless GL surface: " << surface.error() << "\n";
        return kFailed;
    }
    const int started = KitStartup::start(options, cacheDir);
    if (started != 0) {
        complain(err) << "the kit did not start against the map service at "
                      << (options.configHost.empty() ? "the built-in host" : options.configHost)
                      << ": " << EngineStatusText::describe(started) << "\n";
        return kFailed;
    }
    if (!knowsDesign(options.designName, err)) return kFailed;
    MapSnapshot snapshot(kEngineId, options.width, options.height);
    return draw(options, surface, snapshot, out, err);
}

int RenderCommand::draw(const RenderOptions& options, HeadlessSurface& surface,
                        MapSnapshot& snapshot, std::ostream& out, std::ostream& err) {
    const int initialized = snapshot.initialize(options.designName, options.fontPath);
    if (initialized != 0) {
        complain(err) << "the map could not be prepared: "
                      << EngineStatusText::describe(initialized) << "\n";
        return kFailed;
    }
    snapshot.placeCamera(qiv::CameraPosition(qiv::LatLng(options.latitude, options.longitude),
                                             options.zoom, options.tilt, options.bearing));
    const MapSnapshot::Outcome outcome = snapshot.drawUntilComplete(options.timeoutSeconds);
    const bool incomplete = outcome.status == qiv::VeltarEngine::kFrameIncomplete;
    if (outcome.status != qiv::VeltarEngine::kFrameComplete && !incomplete) {
        complain(err) << "drawing stopped: " << EngineStatusText::describe(outcome.status) << "\n";
        return kFailed;
    }
    std::vector<uint8_t> pixels = surface.readPixels();
    makeOpaque(pixels);
    if (qiv::FileManager::savePixelsAsPng(options.width, options.height, pixels.data(),
                                          options.outputPath) != 1) {
        complain(err) << "cannot write " << options.outputPath << "\n";
        return kFailed;
    }
    out << options.outputPath << " (" << options.width << "x" << options.height << ", "
        << outcome.frames << " frames in " << outcome.seconds << " s, " << surface.renderer()
        << ")\n";
    if (!incomplete) return kComplete;
    complain(err) << options.outputPath << " is incomplete after " << options.timeoutSeconds
                  << " s: " << EngineStatusText::describe(outcome.status) << "\n";
    reportMissing(snapshot, err);
    return kIncomplete;
}

bool RenderCommand::knowsDesign(const std::string& designName, std::ostream& err) {
    const std::vector<std::string> designs = qiv::DesignController::getDesignFileList();
    if (std::find(designs.begin(), designs.end(), designName) != designs.end()) return true;
    complain(err) << "the service has no design set '" << designName << "'; it has: "
                  << (designs.empty() ? "none" : joined(designs, designs.size())) << "\n";
    return false;
}

void RenderCommand::reportMissing(MapSnapshot& snapshot, std::ostream& err) {
    const std::vector<std::string> missing = snapshot.missingTiles(KitStartup::serviceId());
    if (missing.empty()) {
        complain(err) << "every visible tile is in memory; label atlases were still missing\n";
        return;
    }
    complain(err) << "tiles still missing (" << missing.size()
                  << "): " << joined(missing, kMostNamedTiles) << "\n";
}
