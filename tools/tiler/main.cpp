// tolkmaps-tiler: real geodata to a tile store that the map service serves.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "Log.h"
#include "ProgressBar.h"
#include "Recipe.h"
#include "RecipeError.h"
#include "Tiler.h"

namespace {

const char* const kUsage =
    "usage: tolkmaps-tiler [options] RECIPE STORE\n"
    "\n"
    "Reads the input layers that the recipe (JSON) names, through GDAL/OGR\n"
    "(shapefiles, OpenStreetMap XML or PBF, GeoJSON, GeoPackage, ...), cuts\n"
    "them into tiles, and writes the tiles, the background map, the design\n"
    "sets and the data versions into the tile store STORE (SQLite). STORE is\n"
    "replaced only when the whole run succeeds.\n"
    "\n"
    "options:\n"
    "  --inputs DIR   folder of the recipe's relative input paths\n"
    "                 (default: the recipe's folder)\n"
    "  --quiet        no progress bar and no summary\n"
    "  --help         this text\n"
    "\n"
    "Exit status: 0 done, 1 bad recipe, unreadable input or failed write,\n"
    "2 bad command line.\n";

struct Arguments {
    std::string recipe;
    std::string store;
    std::string inputs;
    bool quiet = false;
    bool help = false;
};

bool parseArguments(int argc, char** argv, Arguments& arguments) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            arguments.help = true;
        } else if (argument == "--quiet") {
            arguments.quiet = true;
        } else if (argument == "--inputs" && i + 1 < argc) {
            arguments.inputs = argv[++i];
        } else if (argument.rfind("--", 0) == 0) {
            fprintf(stderr, "tolkmaps-tiler: unknown option %s\n", argument.c_str());
            return false;
        } else {
            positional.push_back(argument);
        }
    }
    if (arguments.help) return true;
    if (positional.size() != 2) return false;
    arguments.recipe = positional[0];
    arguments.store = positional[1];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!parseArguments(argc, argv, arguments)) {
        fputs(kUsage, stderr);
        return 2;
    }
    if (arguments.help) {
        fputs(kUsage, stdout);
        return 0;
    }
    // Warnings and errors of the record library and the tiler (parts left
    // out, design tables refused) go to the standard output.
    Log::chkConsole = true;
    Log::chkFilterLevel = 3;
    try {
        Recipe recipe = Recipe::load(arguments.recipe, arguments.inputs);
        ProgressBar progress(!arguments.quiet && isatty(STDERR_FILENO));
        Tiler tiler(std::move(recipe), progress);
        tiler.run(arguments.store);
        if (!arguments.quiet) tiler.stats().print(std::cout);
        return 0;
    } catch (const RecipeError& error) {
        fprintf(stderr, "tolkmaps-tiler: bad recipe: %s\n", error.what());
    } catch (const std::exception& error) {
        fprintf(stderr, "tolkmaps-tiler: %s\n", error.what());
    }
    return 1;
}
