#include "Tiler.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "DesignSetBuilder.h"
#include "K7DataCtg.h"
#include "Log.h"
#include "SourceLayer.h"
#include "StoreWriter.h"
#include "TileEncoder.h"
#include "TileGrid.h"
#include "TileStore.h"
#include "WorldProjection.h"

namespace {

constexpr double kTilePixels = 256;
// Lines reach this many pixels into the neighbouring tiles, so that their
// ends and joins meet across tile edges.
constexpr double kLineMarginPixels = 4;
// Areas smaller than this share of a pixel at a level are left out there.
constexpr double kSmallestAreaPixels = 0.25;

double pixelSize(int level) { return TileGrid::side(level) / kTilePixels; }

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// 64-bit FNV-1a, for versions that change exactly when the data does.
void digest(uint64_t& hash, const std::string& bytes) {
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ULL;
}

std::string hex(uint64_t value) {
    char text[17];
    snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

Tiler::Tiler(Recipe recipe, ProgressBar& progress)
    : m_recipe(std::move(recipe)), m_progress(progress), m_cutter(m_geos), m_triangulator(m_geos),
      m_splitter(m_geos) {}

uint64_t Tiler::objectId(size_t layerIndex, int64_t featureId) {
    return (static_cast<uint64_t>(layerIndex + 1) << 48) | (static_cast<uint64_t>(featureId) & 0xFFFFFFFFFFFFULL);
}

void Tiler::run(const std::string& storePath) {
    cut();
    write(storePath);
}

void Tiler::cut() {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<SourceLayer>> sources;
    int64_t work = 0;
    for (const auto& layer : m_recipe.layers) {
        sources.push_back(std::make_unique<SourceLayer>(layer.input, layer.sourceLayer, layer.where));
        work += sources.back()->count() * (layer.maxLevel - layer.minLevel + 1);
    }
    m_progress.start("cutting", work);
    for (size_t i = 0; i < sources.size(); ++i) cutLayer(i, *sources[i]);
    for (const auto& coverage : m_recipe.coverage) {
        for (int level = coverage.minLevel; level <= coverage.maxLevel; ++level) addCoverage(coverage, level);
    }
    m_progress.finish();
    m_stats.cutSeconds = secondsSince(start);
}

void Tiler::cutLayer(size_t index, SourceLayer& source) {
    const auto start = std::chrono::steady_clock::now();
    const RecipeLayer& layer = m_recipe.layers[index];
    int64_t skipped = 0;
    int64_t features = 0;
    while (auto feature = source.next(m_geos, skipped)) {
        ++features;
        cutFeature(index, *feature);
        m_progress.advance(layer.maxLevel - layer.minLevel + 1, static_cast<int64_t>(m_tiles.size()));
    }
    m_stats.featuresRead += features + skipped;
    m_stats.drop("no usable geometry", skipped);
    m_stats.layers.push_back({layer.label(), features + skipped, secondsSince(start)});
}

void Tiler::addCoverage(const Recipe::Coverage& coverage, int level) {
    const double side = TileGrid::side(level);
    const double last = std::ldexp(1.0, level) - 1;
    std::vector<WorldBox> boxes = coverage.regions;
    if (boxes.empty()) boxes.push_back({0, 0, WorldProjection::WORLD_UNITS - 1, WorldProjection::WORLD_UNITS - 1});
    for (const auto& box : boxes) {
        const auto firstX = static_cast<unsigned>(std::clamp(std::floor(box.west / side), 0.0, last));
        const auto lastX = static_cast<unsigned>(std::clamp(std::floor(box.east / side), 0.0, last));
        const auto firstY = static_cast<unsigned>(std::clamp(std::floor(box.south / side), 0.0, last));
        const auto lastY = static_cast<unsigned>(std::clamp(std::floor(box.north / side), 0.0, last));
        for (unsigned x = firstX; x <= lastX; ++x) {
            for (unsigned y = firstY; y <= lastY; ++y) m_tiles[TileGrid::key(level, x, y)];
        }
    }
}

void Tiler::cutFeature(size_t index, const SourceFeature& feature) {
    const RecipeLayer& layer = m_recipe.layers[index];
    const std::string category = categoryOf(layer, feature);
    if (category.empty()) return m_stats.drop("no category for its attribute value");
    const bool points = layer.section == RecipeLayer::POINTS;
    if (points != (feature.kind() == SourceFeature::POINT))
        return m_stats.drop(points ? "not a point in a points layer" : "a point in an area or line layer");
    const FeatureCut cut{index, category, feature.kind() == SourceFeature::AREA, firstLevel(layer, feature)};
    if (cut.firstLevel > layer.maxLevel) return m_stats.drop("ranked beyond the layer's last level");
    if (!reachesRegions(layer, feature.geometry(), cut.firstLevel)) return m_stats.drop("outside the layer's regions");
    bool used = false;
    if (points) {
        for (int level = cut.firstLevel; level <= layer.maxLevel; ++level) used = placeLabels(cut, feature, level) || used;
    } else {
        used = cutGeometry(cut, feature.geometry());
    }
    if (used) {
        ++m_stats.featuresUsed;
    } else {
        m_stats.drop("too small at every level");
    }
}

bool Tiler::cutGeometry(const FeatureCut& cut, const GEOSGeometry* geometry) {
    const RecipeLayer& layer = m_recipe.layers[cut.layer];
    if (layer.regions.empty()) return cutRepaired(cut, geometry, layer.regions);
    WorldBox extent;
    if (!m_geos.extent(geometry, extent)) return false;
    bool used = false;
    for (const auto& region : layer.regions) {
        const WorldBox reach = regionReach(region, cut.firstLevel);
        if (!reach.intersects(extent)) continue;
        auto part = m_geos.own(GEOSClipByRect_r(m_geos.handle(), geometry, reach.west, reach.south, reach.east,
                                                reach.north));
        if (part && GEOSisEmpty_r(m_geos.handle(), part.get()) == 0)
            used = cutRepaired(cut, part.get(), {region}) || used;
    }
    return used;
}

bool Tiler::cutRepaired(const FeatureCut& cut, const GEOSGeometry* geometry, const std::vector<WorldBox>& regions) {
    if (!cut.area || GEOSisValid_r(m_geos.handle(), geometry) == 1) return cutLevels(cut, geometry, regions);
    auto repaired = m_geos.own(GEOSMakeValid_r(m_geos.handle(), geometry));
    if (!repaired) {
        m_stats.drop("invalid area that could not be repaired");
        return false;
    }
    return cutLevels(cut, repaired.get(), regions);
}

bool Tiler::reachesRegions(const RecipeLayer& layer, const GEOSGeometry* geometry, int level) const {
    WorldBox extent;
    if (layer.regions.empty() || !m_geos.extent(geometry, extent)) return true;
    for (const auto& region : layer.regions) {
        if (regionReach(region, level).intersects(extent)) return true;
    }
    return false;
}

WorldBox Tiler::regionReach(const WorldBox& region, int level) {
    const double side = TileGrid::side(level);
    const double margin = kLineMarginPixels * pixelSize(level);
    return WorldBox{std::floor(region.west / side) * side, std::floor(region.south / side) * side,
                    (std::floor(region.east / side) + 1) * side, (std::floor(region.north / side) + 1) * side}
        .grown(margin);
}

// From the last level up, each level simplifying the shape of the level
// below, which has fewer points than the original.
bool Tiler::cutLevels(const FeatureCut& cut, const GEOSGeometry* geometry, const std::vector<WorldBox>& regions) {
    const RecipeLayer& layer = m_recipe.layers[cut.layer];
    GeosContext::Geometry shape;
    const GEOSGeometry* current = geometry;
    bool used = false;
    for (int level = layer.maxLevel; level >= cut.firstLevel; --level) {
        auto simpler = simplified(current, layer.simplify * pixelSize(level), cut.area);
        if (!simpler) return used;
        used = (cut.area ? cutArea(cut, simpler.get(), level, regions) : cutLine(cut, simpler.get(), level, regions)) ||
               used;
        shape = std::move(simpler);
        current = shape.get();
    }
    return used;
}

std::string Tiler::categoryOf(const RecipeLayer& layer, const SourceFeature& feature) const {
    if (layer.categoryField.empty()) return layer.category;
    auto found = layer.categoryValues.find(feature.attribute(layer.categoryField));
    return found == layer.categoryValues.end() ? layer.category : found->second;
}

int Tiler::firstLevel(const RecipeLayer& layer, const SourceFeature& feature) const {
    if (layer.rank.empty()) return layer.minLevel;
    const std::string rank = feature.attribute(layer.rank);
    if (rank.empty()) return layer.minLevel;
    const double fromRank = std::floor(std::atof(rank.c_str())) + layer.rankLevelOffset;
    return static_cast<int>(std::max<double>(layer.minLevel, std::min<double>(fromRank, Recipe::MAX_LEVEL + 1)));
}

GeosContext::Geometry Tiler::simplified(const GEOSGeometry* geometry, double tolerance, bool area) const {
    if (tolerance <= 0) return m_geos.own(GEOSGeom_clone_r(m_geos.handle(), geometry));
    return m_geos.own(area ? GEOSTopologyPreserveSimplify_r(m_geos.handle(), geometry, tolerance)
                           : GEOSSimplify_r(m_geos.handle(), geometry, tolerance));
}

bool Tiler::cutArea(const FeatureCut& cut, const GEOSGeometry* shape, int level, const std::vector<WorldBox>& regions) {
    const double pixel = pixelSize(level);
    double area = 0;
    if (!GEOSArea_r(m_geos.handle(), shape, &area) || area < kSmallestAreaPixels * pixel * pixel) return false;
    const int section = m_recipe.layers[cut.layer].section;
    bool used = false;
    m_cutter.cut(shape, level, 0, regions, [&](const std::string& key, const GEOSGeometry* part) {
        std::vector<std::vector<uint32_t>> records;
        if (!m_triangulator.triangulate(part, records)) {
            m_stats.drop("tile parts of areas that did not triangulate");
            K7D_LOG_WARNING("Area part not triangulated: ", "tile", key, "GEOS:", m_geos.lastError());
        }
        used = used || !records.empty();
        m_tiles[key].addRecords(section, static_cast<int>(cut.layer), cut.category, true, std::move(records));
    });
    return used;
}

bool Tiler::cutLine(const FeatureCut& cut, const GEOSGeometry* shape, int level, const std::vector<WorldBox>& regions) {
    const double pixel = pixelSize(level);
    WorldBox extent;
    if (!m_geos.extent(shape, extent)) return false;
    if (extent.east - extent.west < pixel && extent.north - extent.south < pixel) return false;
    const int section = m_recipe.layers[cut.layer].section;
    bool used = false;
    m_cutter.cut(shape, level, kLineMarginPixels * pixel, regions, [&](const std::string& key, const GEOSGeometry* part) {
        std::vector<std::vector<uint32_t>> records;
        m_splitter.split(part, records);
        used = used || !records.empty();
        m_tiles[key].addRecords(section, static_cast<int>(cut.layer), cut.category, false, std::move(records));
    });
    return used;
}

bool Tiler::placeLabels(const FeatureCut& cut, const SourceFeature& feature, int level) {
    const RecipeLayer& layer = m_recipe.layers[cut.layer];
    const LabelPoint label = makeLabel(layer, feature, cut.layer);
    const WorldBox anchor{static_cast<double>(label.x), static_cast<double>(label.y), static_cast<double>(label.x),
                          static_cast<double>(label.y)};
    bool inside = layer.regions.empty();
    for (const auto& region : layer.regions) inside = inside || region.intersects(anchor);
    if (!inside) return false;
    LabelPoint copy = label;
    m_tiles[TileGrid::keyAt(level, label.x, label.y)].addLabel(static_cast<int>(cut.layer), cut.category,
                                                                std::move(copy));
    return true;
}

LabelPoint Tiler::makeLabel(const RecipeLayer& layer, const SourceFeature& feature, size_t index) const {
    LabelPoint label;
    label.objectId = objectId(index, feature.id());
    const GEOSGeometry* point = GEOSGetGeometryN_r(m_geos.handle(), feature.geometry(), 0);
    double x = 0;
    double y = 0;
    GEOSGeomGetX_r(m_geos.handle(), point, &x);
    GEOSGeomGetY_r(m_geos.handle(), point, &y);
    label.x = static_cast<uint32_t>(std::lround(x));
    label.y = static_cast<uint32_t>(std::lround(y));
    for (const auto& text : layer.labels) label.texts.push_back(text.second.empty() ? "" : feature.attribute(text.second));
    if (!layer.fallbackText.empty()) label.fallbackText = feature.attribute(layer.fallbackText);
    if (!layer.rank.empty()) label.rank = std::atof(feature.attribute(layer.rank).c_str());
    const std::string angle = layer.angle.empty() ? "" : feature.attribute(layer.angle);
    if (!angle.empty()) label.angle = static_cast<float>(std::atof(angle.c_str()));
    label.textPosition = static_cast<uint8_t>(layer.textPosition);
    label.vertical = layer.vertical;
    return label;
}

void Tiler::write(const std::string& storePath) {
    const auto start = std::chrono::steady_clock::now();
    StoreWriter writer(storePath);
    std::vector<std::string> background;
    uint64_t tileDigest = 1469598103934665603ULL;
    writeTiles(writer, background, tileDigest);
    writeGlobalData(writer, tileDigest, background);
    m_stats.storeBytes = writer.finish();
    m_stats.writeSeconds = secondsSince(start);
}

void Tiler::writeTiles(StoreWriter& writer, std::vector<std::string>& background, uint64_t& tileDigest) {
    const TileEncoder encoder(m_recipe.languages);
    m_progress.start("writing", static_cast<int64_t>(m_tiles.size()));
    int64_t written = 0;
    for (const auto& tile : m_tiles) {
        const std::string record = encoder.encode(tile.first, tile.second);
        const int level = static_cast<int>(tile.first.size());
        writer.store().putTile(tile.first, record);
        digest(tileDigest, tile.first);
        digest(tileDigest, record);
        ++m_stats.tilesPerLevel[level];
        m_stats.bytesPerLevel[level] += static_cast<int64_t>(record.size());
        if (level >= m_recipe.backgroundMinLevel && level <= m_recipe.backgroundMaxLevel) background.push_back(record);
        m_progress.advance(1, ++written);
    }
    m_progress.finish();
}

void Tiler::writeGlobalData(StoreWriter& writer, uint64_t tileDigest, const std::vector<std::string>& background) {
    std::unique_ptr<K7DataCtg> designs(DesignSetBuilder::build(m_recipe.designDirectory, m_recipe.iconDirectory));
    if (!designs) throw std::runtime_error("cannot build the design sets of " + m_recipe.designDirectory);
    const std::string globalData(designs->getBinary(), designs->getSizeAll());
    const std::string backgroundMap = TileEncoder::group(background);
    uint64_t globalDigest = 1469598103934665603ULL;
    digest(globalDigest, globalData);
    digest(globalDigest, backgroundMap);
    TileStore& store = writer.store();
    store.setServiceId(m_recipe.serviceId);
    store.setVersions(m_recipe.globalVersion.empty() ? hex(globalDigest) : m_recipe.globalVersion,
                      m_recipe.localVersion.empty() ? hex(tileDigest) : m_recipe.localVersion);
    store.setGlobalData(globalData);
    store.setBackgroundMap(backgroundMap);
    m_stats.globalDataBytes = static_cast<int64_t>(globalData.size());
    m_stats.backgroundTiles = static_cast<int64_t>(background.size());
    m_stats.backgroundBytes = static_cast<int64_t>(backgroundMap.size());
}
