#ifndef TOLKMAPS_RENDER_RENDERCOMMAND_H
#define TOLKMAPS_RENDER_RENDERCOMMAND_H

#include <ostream>
#include <string>
#include <vector>

class HeadlessSurface;
class MapSnapshot;
class RenderOptions;

// tolkmaps-render as a function: parses the arguments, makes the headless
// surface, starts the kit, draws the view until it is complete or the time
// limit passes and writes the PNG. Messages for people go to `out` (what was
// written) and `err` (what went wrong).
class RenderCommand {
public:
    enum ExitStatus {
        kComplete = 0,
        // No image: no surface, the kit did not start, the file was not written.
        kFailed = 1,
        kUsage = 2,
        // The image was written, but tiles or labels were still missing.
        kIncomplete = 3,
    };

    // `arguments` without the program name.
    static int run(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err);

private:
    static int render(const RenderOptions& options, const std::string& cacheDir,
                      std::ostream& out, std::ostream& err);
    static int draw(const RenderOptions& options, HeadlessSurface& surface,
                    MapSnapshot& snapshot, std::ostream& out, std::ostream& err);
    static bool knowsDesign(const std::string& designName, std::ostream& err);
    static void reportMissing(MapSnapshot& snapshot, std::ostream& err);
};

#endif
