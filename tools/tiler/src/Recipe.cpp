#include "Recipe.h"

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "JsonWithLines.h"
#include "RecipeError.h"
#include "WorldProjection.h"

namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string resolve(const std::string& folder, const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    return folder + "/" + path;
}

// Reads the values of one parsed recipe and refuses bad ones with their line.
class RecipeReader {
public:
    RecipeReader(const JsonWithLines& json, const std::string& file) : m_json(json), m_file(file) {}

    [[noreturn]] void fail(const std::string& path, const std::string& reason) const {
        throw RecipeError(m_file, m_json.lineOf(path), reason);
    }

    // The value at `path` (relative to the root), or null when absent.
    const picojson::value* find(const std::string& path) const {
        const picojson::value* value = &m_json.root();
        size_t start = 1;
        while (start <= path.size()) {
            size_t end = path.find('/', start);
            if (end == std::string::npos) end = path.size();
            const std::string step = path.substr(start, end - start);
            if (value->is<picojson::object>()) {
                const auto& object = value->get<picojson::object>();
                auto found = object.find(step);
                if (found == object.end()) return nullptr;
                value = &found->second;
            } else if (value->is<picojson::array>()) {
                const auto& array = value->get<picojson::array>();
                const size_t index = std::stoul(step);
                if (index >= array.size()) return nullptr;
                value = &array[index];
            } else {
                return nullptr;
            }
            start = end + 1;
        }
        return value;
    }

    const picojson::object& object(const std::string& path) const {
        const picojson::value* value = find(path);
        if (!value || !value->is<picojson::object>()) fail(path, name(path) + " must be an object");
        return value->get<picojson::object>();
    }

    const picojson::array& array(const std::string& path) const {
        const picojson::value* value = find(path);
        if (!value || !value->is<picojson::array>()) fail(path, name(path) + " must be a list");
        return value->get<picojson::array>();
    }

    void onlyKeys(const std::string& path, const std::set<std::string>& allowed) const {
        for (const auto& member : object(path)) {
            if (!allowed.count(member.first)) fail(path + "/" + member.first, "unknown key \"" + member.first + "\"");
        }
    }

    std::string text(const std::string& path, const std::string& fallback, bool required = false) const {
        const picojson::value* value = find(path);
        if (!value) {
            if (required) fail(parentOf(path), "missing \"" + name(path) + "\"");
            return fallback;
        }
        if (!value->is<std::string>()) fail(path, "\"" + name(path) + "\" must be a text");
        return value->get<std::string>();
    }

    double number(const std::string& path, double fallback, double low, double high) const {
        const picojson::value* value = find(path);
        if (!value) return fallback;
        if (!value->is<double>()) fail(path, "\"" + name(path) + "\" must be a number");
        const double number = value->get<double>();
        if (number < low || number > high) {
            std::ostringstream reason;
            reason << "\"" << name(path) << "\" must lie between " << low << " and " << high;
            fail(path, reason.str());
        }
        return number;
    }

    int integer(const std::string& path, int fallback, int low, int high) const {
        const double value = number(path, fallback, low, high);
        if (value != static_cast<int>(value)) fail(path, "\"" + name(path) + "\" must be a whole number");
        return static_cast<int>(value);
    }

    bool flag(const std::string& path, bool fallback) const {
        const picojson::value* value = find(path);
        if (!value) return fallback;
        if (!value->is<bool>()) fail(path, "\"" + name(path) + "\" must be true or false");
        return value->get<bool>();
    }

    // A [low, high] pair of levels.
    std::pair<int, int> levelRange(const std::string& path, bool required) const {
        if (!find(path)) {
            if (required) fail(parentOf(path), "missing \"" + name(path) + "\"");
            return {0, -1};
        }
        if (array(path).size() != 2) fail(path, "\"" + name(path) + "\" must be [first level, last level]");
        const int low = integer(path + "/0", 0, Recipe::MIN_LEVEL, Recipe::MAX_LEVEL);
        const int high = integer(path + "/1", 0, Recipe::MIN_LEVEL, Recipe::MAX_LEVEL);
        if (low > high) fail(path, "\"" + name(path) + "\": the first level lies above the last");
        return {low, high};
    }

private:
    static std::string name(const std::string& path) { return path.substr(path.rfind('/') + 1); }
    static std::string parentOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

    const JsonWithLines& m_json;
    std::string m_file;
};

std::map<std::string, WorldBox> readRegions(const RecipeReader& reader) {
    std::map<std::string, WorldBox> regions;
    if (!reader.find("/regions")) return regions;
    for (const auto& member : reader.object("/regions")) {
        const std::string path = "/regions/" + member.first;
        if (reader.array(path).size() != 4) reader.fail(path, "a region is [west, south, east, north] in degrees");
        const double west = reader.number(path + "/0", 0, -180, 180);
        const double south = reader.number(path + "/1", 0, -90, 90);
        const double east = reader.number(path + "/2", 0, -180, 180);
        const double north = reader.number(path + "/3", 0, -90, 90);
        if (west >= east || south >= north) reader.fail(path, "region \"" + member.first + "\" is empty");
        regions[member.first] = {WorldProjection::x(west), WorldProjection::y(south), WorldProjection::x(east),
                                 WorldProjection::y(north)};
    }
    return regions;
}

int readSection(const RecipeReader& reader, const std::string& path) {
    static const std::map<std::string, int> sections = {{"background", RecipeLayer::BACKGROUND},
                                                        {"ground", RecipeLayer::GROUND},
                                                        {"points", RecipeLayer::POINTS}};
    const std::string section = reader.text(path, "", true);
    auto found = sections.find(section);
    if (found == sections.end())
        reader.fail(path, "unknown section \"" + section + "\" (background, ground or points)");
    return found->second;
}

void readCategories(const RecipeReader& reader, const std::string& path, RecipeLayer& layer) {
    layer.category = reader.text(path + "/category", "");
    layer.categoryField = reader.text(path + "/category_field", "");
    if (reader.find(path + "/categories")) {
        if (layer.categoryField.empty()) reader.fail(path + "/categories", "\"categories\" needs \"category_field\"");
        for (const auto& member : reader.object(path + "/categories"))
            layer.categoryValues[member.first] = reader.text(path + "/categories/" + member.first, "");
    }
    if (layer.category.empty() && layer.categoryValues.empty())
        reader.fail(path, "a layer needs \"category\" or \"category_field\" with \"categories\"");
}

void readLabels(const RecipeReader& reader, const std::string& path, const std::vector<std::string>& languages,
                RecipeLayer& layer) {
    std::map<std::string, std::string> byLanguage;
    if (reader.find(path + "/labels")) {
        for (const auto& member : reader.object(path + "/labels")) {
            bool known = false;
            for (const auto& language : languages) known = known || language == member.first;
            if (!known) reader.fail(path + "/labels/" + member.first, "language \"" + member.first + "\" is not in \"languages\"");
            byLanguage[member.first] = reader.text(path + "/labels/" + member.first, "");
        }
    }
    for (const auto& language : languages) layer.labels.emplace_back(language, byLanguage[language]);
}

std::vector<WorldBox> readLayerRegions(const RecipeReader& reader, const std::string& path,
                                       const std::map<std::string, WorldBox>& regions) {
    std::vector<WorldBox> boxes;
    if (!reader.find(path)) return boxes;
    const auto& names = reader.array(path);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string name = reader.text(path + "/" + std::to_string(i), "");
        auto found = regions.find(name);
        if (found == regions.end()) reader.fail(path + "/" + std::to_string(i), "unknown region \"" + name + "\"");
        boxes.push_back(found->second);
    }
    return boxes;
}

RecipeLayer readLayer(const RecipeReader& reader, const std::string& path, const Recipe& recipe,
                      const std::string& inputDirectory, const std::map<std::string, WorldBox>& regions,
                      int line) {
    reader.onlyKeys(path, {"input", "layer", "where", "category", "category_field", "categories", "section",
                           "levels", "labels", "fallback_text", "rank", "rank_level_offset", "angle",
                           "text_position", "vertical", "simplify", "regions"});
    RecipeLayer layer;
    layer.line = line;
    layer.input = resolve(inputDirectory, reader.text(path + "/input", "", true));
    layer.sourceLayer = reader.text(path + "/layer", "");
    layer.where = reader.text(path + "/where", "");
    readCategories(reader, path, layer);
    layer.section = readSection(reader, path + "/section");
    const auto levels = reader.levelRange(path + "/levels", true);
    layer.minLevel = levels.first;
    layer.maxLevel = levels.second;
    readLabels(reader, path, recipe.languages, layer);
    layer.fallbackText = reader.text(path + "/fallback_text", "");
    layer.rank = reader.text(path + "/rank", "");
    layer.rankLevelOffset = reader.integer(path + "/rank_level_offset", 0, -Recipe::MAX_LEVEL, Recipe::MAX_LEVEL);
    layer.angle = reader.text(path + "/angle", "");
    layer.textPosition = reader.integer(path + "/text_position", 0, 0, 255);
    layer.vertical = reader.flag(path + "/vertical", false);
    layer.simplify = reader.number(path + "/simplify", 0.5, 0, 64);
    layer.regions = readLayerRegions(reader, path + "/regions", regions);
    const bool labelled = !layer.fallbackText.empty() || !layer.angle.empty();
    if (labelled && layer.section != RecipeLayer::POINTS)
        reader.fail(path, "label settings belong to a layer of section \"points\"");
    return layer;
}

std::vector<Recipe::Coverage> readCoverage(const RecipeReader& reader, const std::map<std::string, WorldBox>& regions) {
    std::vector<Recipe::Coverage> coverage;
    if (!reader.find("/coverage")) return coverage;
    const size_t count = reader.array("/coverage").size();
    for (size_t i = 0; i < count; ++i) {
        const std::string path = "/coverage/" + std::to_string(i);
        reader.onlyKeys(path, {"levels", "regions"});
        const auto levels = reader.levelRange(path + "/levels", true);
        coverage.push_back({levels.first, levels.second, readLayerRegions(reader, path + "/regions", regions)});
    }
    return coverage;
}

}  // namespace

Recipe Recipe::load(const std::string& path, const std::string& inputDirectory) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw RecipeError(path, 0, "cannot read the recipe");
    std::ostringstream text;
    text << file.rdbuf();
    return parse(text.str(), path, inputDirectory);
}

Recipe Recipe::parse(const std::string& text, const std::string& path, const std::string& inputDirectory) {
    JsonWithLines json;
    std::string error;
    if (!json.parse(text, error)) throw RecipeError(path, 0, "not JSON: " + error);
    RecipeReader reader(json, path);
    reader.object("");
    reader.onlyKeys("", {"service_id", "versions", "languages", "background_levels", "designs", "icons", "regions",
                         "layers", "coverage"});
    Recipe recipe;
    recipe.path = path;
    const std::string folder = folderOf(path);
    recipe.serviceId = reader.text("/service_id", "", true);
    if (recipe.serviceId.empty()) reader.fail("/service_id", "\"service_id\" must not be empty");
    if (reader.find("/versions")) {
        reader.onlyKeys("/versions", {"global", "local"});
        recipe.globalVersion = reader.text("/versions/global", "");
        recipe.localVersion = reader.text("/versions/local", "");
    }
    const auto& languages = reader.array("/languages");
    for (size_t i = 0; i < languages.size(); ++i)
        recipe.languages.push_back(reader.text("/languages/" + std::to_string(i), ""));
    const auto background = reader.levelRange("/background_levels", false);
    if (background.first > 0) {
        recipe.backgroundMinLevel = background.first;
        recipe.backgroundMaxLevel = background.second;
    }
    recipe.designDirectory = resolve(folder, reader.text("/designs", "", true));
    recipe.iconDirectory = resolve(folder, reader.text("/icons", ""));
    const auto regions = readRegions(reader);
    const std::string inputs = inputDirectory.empty() ? folder : inputDirectory;
    const auto& layers = reader.array("/layers");
    for (size_t i = 0; i < layers.size(); ++i) {
        const std::string layerPath = "/layers/" + std::to_string(i);
        recipe.layers.push_back(readLayer(reader, layerPath, recipe, inputs, regions, json.lineOf(layerPath)));
    }
    if (recipe.layers.empty()) reader.fail("/layers", "the recipe has no layers");
    recipe.coverage = readCoverage(reader, regions);
    return recipe;
}
