#include "RenderOptions.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

const int kLargestSide = 8192;

double toNumber(const std::string& flag, const std::string& value, double lowest,
                double highest) {
    size_t used = 0;
    double number = NAN;
    try {
        number = std::stod(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (value.empty() || used != value.size() || !(number >= lowest && number <= highest)) {
        std::ostringstream message;
        message << flag << " needs a number from " << lowest << " to " << highest << ", not '"
                << value << "'";
        throw RenderUsageError(message.str());
    }
    return number;
}

int toWholeNumber(const std::string& flag, const std::string& value, int lowest, int highest) {
    const double number = toNumber(flag, value, lowest, highest);
    if (number != std::floor(number)) {
        throw RenderUsageError(flag + " needs a whole number, not '" + value + "'");
    }
    return static_cast<int>(number);
}

// "WxH" in pixels.
void toSize(const std::string& flag, const std::string& value, int& width, int& height) {
    const size_t cross = value.find('x');
    if (cross == std::string::npos) {
        throw RenderUsageError(flag + " needs WIDTHxHEIGHT, not '" + value + "'");
    }
    width = toWholeNumber(flag, value.substr(0, cross), 1, kLargestSide);
    height = toWholeNumber(flag, value.substr(cross + 1), 1, kLargestSide);
}

std::string orEnvironment(const std::string& given, const RenderOptions::Environment& environment,
                          const std::string& name) {
    return given.empty() ? environment(name) : given;
}

}  // namespace

RenderOptions RenderOptions::parse(const std::vector<std::string>& arguments,
                                   const Environment& environment) {
    RenderOptions options;
    using Setter = std::function<void(const std::string& flag, const std::string& value)>;
    auto text = [](std::string& field) {
        return [&field](const std::string&, const std::string& value) { field = value; };
    };
    auto number = [](double& field, double lowest, double highest) {
        return [&field, lowest, highest](const std::string& flag, const std::string& value) {
            field = toNumber(flag, value, lowest, highest);
        };
    };
    auto wholeNumber = [](int& field, int lowest, int highest) {
        return [&field, lowest, highest](const std::string& flag, const std::string& value) {
            field = toWholeNumber(flag, value, lowest, highest);
        };
    };
    const std::map<std::string, Setter> setters{
        {"--lat", number(options.latitude, -90, 90)},
        {"--lng", number(options.longitude, -180, 180)},
        {"--zoom", number(options.zoom, 0, 22)},
        {"--tilt", number(options.tilt, 0, 90)},
        {"--bearing", number(options.bearing, -360, 360)},
        {"--size",
         [&options](const std::string& flag, const std::string& value) {
             toSize(flag, value, options.width, options.height);
         }},
        {"--design", text(options.designName)},
        {"--font", text(options.fontPath)},
        {"--out", text(options.outputPath)},
        {"--timeout", number(options.timeoutSeconds, 0.001, 86400)},
        {"--host", text(options.configHost)},
        {"--auth-domain", text(options.authDomain)},
        {"--key", text(options.consumerKey)},
        {"--secret", text(options.consumerSecret)},
        {"--ca", text(options.caFile)},
        {"--mode", wholeNumber(options.mode, 0, 1)},
        {"--data", text(options.dataPath)},
        {"--cache", text(options.cacheDir)},
        {"--design-dir", text(options.userDesignPath)},
        {"--dpi", wholeNumber(options.dpi, 1, 2000)},
        {"--proxy", text(options.proxy)},
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& flag = arguments[i];
        if (flag == "--help" || flag == "-h") {
            options.help = true;
            return options;
        }
        if (flag == "--verbose") {
            options.verbose = true;
            continue;
        }
        const auto setter = setters.find(flag);
        if (setter == setters.end()) throw RenderUsageError("unknown argument '" + flag + "'");
        if (i + 1 >= arguments.size()) throw RenderUsageError(flag + " needs a value");
        setter->second(flag, arguments[++i]);
    }
    if (options.outputPath.empty()) throw RenderUsageError("--out is required");
    if (options.mode == 0 && options.dataPath.empty()) {
        throw RenderUsageError("--mode 0 draws installed files and needs --data");
    }
    options.configHost = orEnvironment(options.configHost, environment, "TOLKMAPS_CONFIG_HOST");
    options.consumerKey = orEnvironment(options.consumerKey, environment, "TOLKMAPS_CONSUMER_KEY");
    options.consumerSecret =
        orEnvironment(options.consumerSecret, environment, "TOLKMAPS_CONSUMER_SECRET");
    options.caFile = orEnvironment(options.caFile, environment, "TOLKMAPS_CA_FILE");
    return options;
}

std::string RenderOptions::processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value != nullptr ? value : "";
}

std::string RenderOptions::usage() {
    return "usage: tolkmaps-render --out FILE.png [options]\n"
           "\n"
           "Starts the map kit against a map service, draws one view through the whole\n"
           "engine on a headless EGL surface until every tile and label is in, and\n"
           "writes it as a PNG.\n"
           "\n"
           "Camera and image:\n"
           "  --lat DEGREES         camera target latitude (default 0)\n"
           "  --lng DEGREES         camera target longitude (default 0)\n"
           "  --zoom LEVEL          fractional zoom level, 0 to 22 (default 3)\n"
           "  --tilt DEGREES        tilt from looking straight down, 0 to 90 (default 0)\n"
           "  --bearing DEGREES     bearing, clockwise from north (default 0)\n"
           "  --size WxH            image size in pixels (default 1024x768)\n"
           "  --design NAME         design set (default day)\n"
           "  --font FILE           label font (default the Noto Sans CJK Bold of fonts-noto-cjk)\n"
           "  --out FILE.png        where the image goes (required)\n"
           "  --timeout SECONDS     longest wait for a complete frame (default 60)\n"
           "\n"
           "Map service:\n"
           "  --host HOST[:PORT]    configuration host (default $TOLKMAPS_CONFIG_HOST,\n"
           "                        else the kit's built-in localhost:8443)\n"
           "  --auth-domain HOST    host of the login request (default: the configuration host)\n"
           "  --key KEY             consumer key (default $TOLKMAPS_CONSUMER_KEY)\n"
           "  --secret SECRET       consumer secret (default $TOLKMAPS_CONSUMER_SECRET)\n"
           "  --ca FILE             certificate authority of the service (default $TOLKMAPS_CA_FILE)\n"
           "  --mode 0|1            1: tiles from the service (default); 0: installed files\n"
           "  --data DIR            installed data files (mode 0)\n"
           "  --cache DIR           disk cache, kept between runs (default: a temporary one)\n"
           "  --design-dir DIR      the application's own design tables\n"
           "  --dpi N               display density; at the default 326 the design tables'\n"
           "                        widths are pixels\n"
           "  --proxy URL           proxy for every request\n"
           "  --verbose             engine log lines on standard output\n"
           "  --help                this text\n"
           "\n"
           "Exit status: 0 the image is complete; 1 no image (no GL surface, the kit did not\n"
           "start, the login failed, the file could not be written); 2 bad arguments; 3 the\n"
           "image was written but tiles or labels were still missing at the time limit.\n";
}
