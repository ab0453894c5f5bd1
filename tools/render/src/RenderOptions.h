#ifndef TOLKMAPS_RENDER_RENDEROPTIONS_H
#define TOLKMAPS_RENDER_RENDEROPTIONS_H

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A command line the tool cannot run with; the message names the argument.
class RenderUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Everything tolkmaps-render is told: the camera, the image, the design set
// and how to start the kit. Service values the command line leaves out come
// from the environment (TOLKMAPS_CONFIG_HOST, TOLKMAPS_CONSUMER_KEY,
// TOLKMAPS_CONSUMER_SECRET, TOLKMAPS_CA_FILE).
class RenderOptions {
public:
    // The kit's label font as Debian installs it (fonts-noto-cjk).
    static constexpr const char* kDefaultFontPath =
        "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc";

    // Reads a variable of the environment; empty when unset.
    using Environment = std::function<std::string(const std::string& name)>;

    // Camera target in degrees, fractional zoom level, tilt from vertical and
    // bearing clockwise from north in degrees.
    double latitude = 0.0;
    double longitude = 0.0;
    double zoom = 3.0;
    double tilt = 0.0;
    double bearing = 0.0;
    // Image size in pixels.
    int width = 1024;
    int height = 768;
    std::string designName = "day";
    // Label font file (language "jpn").
    std::string fontPath = kDefaultFontPath;
    std::string outputPath;
    // Longest wait for a complete frame, in seconds.
    double timeoutSeconds = 60.0;

    // Configuration host as host[:port]; empty keeps the kit's built-in one.
    std::string configHost;
    // Host of the login request; empty: the configuration host.
    std::string authDomain;
    std::string consumerKey;
    std::string consumerSecret;
    std::string caFile;
    // 1: tiles from the map service; 0: installed files under dataPath.
    int mode = 1;
    std::string dataPath;
    // Disk cache; empty: a temporary folder removed when the tool ends.
    std::string cacheDir;
    std::string userDesignPath;
    // Display density; at 326 the design tables' widths and sizes are pixels.
    int dpi = 326;
    std::string proxy;
    // Engine log lines on standard output.
    bool verbose = false;
    bool help = false;

    // Throws RenderUsageError for an unknown flag, a flag without its value,
    // a value out of range or a missing --out. With --help nothing else is
    // checked.
    static RenderOptions parse(const std::vector<std::string>& arguments,
                               const Environment& environment);
    // The process environment.
    static std::string processEnvironment(const std::string& name);
    static std::string usage();
};

#endif
