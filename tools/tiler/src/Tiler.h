#ifndef TOLKMAPS_TILER_TILER_H
#define TOLKMAPS_TILER_TILER_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AreaTriangulator.h"
#include "GeosContext.h"
#include "LineSplitter.h"
#include "ProgressBar.h"
#include "Recipe.h"
#include "TileContent.h"
#include "TileCutter.h"
#include "TilerStats.h"

class SourceFeature;
class SourceLayer;
class StoreWriter;

// Makes a tile store from a recipe: reads every input layer, cuts its
// features into the tiles of their levels (areas clipped and triangulated,
// lines clipped with a margin and split, points as labels in the one tile
// that holds them), encodes the tiles, the background map (the tiles of the
// recipe's background levels in one group) and the global data (the design
// sets with their icons), and writes them with the versions and the service
// id into a new store that replaces the old one only when complete.
class Tiler {
public:
    Tiler(Recipe recipe, ProgressBar& progress);

    // The whole run. Throws SourceError (an input cannot be read),
    // TileStoreError (the store cannot be written) or std::runtime_error
    // (the design sets cannot be built); the old store then stays as it was.
    void run(const std::string& storePath);
    // The steps of `run`: cut every layer into tile contents ...
    void cut();
    // ... and encode and write them.
    void write(const std::string& storePath);

    const TilerStats& stats() const { return m_stats; }
    const std::map<std::string, TileContent>& tiles() const { return m_tiles; }

    // Object id of a label: the recipe layer in the upper 16 bits, the
    // feature id in the lower 48, so that a feature keeps its id at every
    // level.
    static uint64_t objectId(size_t layerIndex, int64_t featureId);

private:
    void cutLayer(size_t index, SourceLayer& source);
    void addCoverage(const Recipe::Coverage& coverage, int level);
    // What one feature is being cut as.
    struct FeatureCut {
        size_t layer;
        std::string category;
        bool area;
        int firstLevel;
    };

    void cutFeature(size_t index, const SourceFeature& feature);
    bool cutGeometry(const FeatureCut& cut, const GEOSGeometry* geometry);
    bool cutRepaired(const FeatureCut& cut, const GEOSGeometry* geometry, const std::vector<WorldBox>& regions);
    bool cutLevels(const FeatureCut& cut, const GEOSGeometry* geometry, const std::vector<WorldBox>& regions);
    bool cutArea(const FeatureCut& cut, const GEOSGeometry* shape, int level, const std::vector<WorldBox>& regions);
    bool cutLine(const FeatureCut& cut, const GEOSGeometry* shape, int level, const std::vector<WorldBox>& regions);
    bool placeLabels(const FeatureCut& cut, const SourceFeature& feature, int level);
    std::string categoryOf(const RecipeLayer& layer, const SourceFeature& feature) const;
    int firstLevel(const RecipeLayer& layer, const SourceFeature& feature) const;
    // A region grown to whole tiles of `level` plus the line margin: what
    // the tiles over the region at that level and below can reach.
    static WorldBox regionReach(const WorldBox& region, int level);
    bool reachesRegions(const RecipeLayer& layer, const GEOSGeometry* geometry, int level) const;
    LabelPoint makeLabel(const RecipeLayer& layer, const SourceFeature& feature, size_t index) const;
    GeosContext::Geometry simplified(const GEOSGeometry* geometry, double tolerance, bool area) const;
    void writeTiles(StoreWriter& writer, std::vector<std::string>& background, uint64_t& digest);
    void writeGlobalData(StoreWriter& writer, uint64_t tileDigest, const std::vector<std::string>& background);

    Recipe m_recipe;
    ProgressBar& m_progress;
    GeosContext m_geos;
    TileCutter m_cutter;
    AreaTriangulator m_triangulator;
    LineSplitter m_splitter;
    std::map<std::string, TileContent> m_tiles;
    TilerStats m_stats;
};

#endif
