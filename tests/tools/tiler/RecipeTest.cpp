// Recipes: a good one reads into layers with resolved paths, regions and
// languages; a bad one is refused with the line that is wrong.

#include <gtest/gtest.h>

#include <string>

#include "Recipe.h"
#include "RecipeError.h"
#include "WorldProjection.h"

namespace {

// A recipe whose first layer is fine and whose second layer, the text under
// test, starts on line 6.
std::string recipeWithLayer(const std::string& layer) {
    return "{\"service_id\": \"test\", \"languages\": [\"jpn\", \"eng\"], \"designs\": \"../designs\",\n"
           "  \"regions\": {\"devon\": [-3.94, 51.18, -3.86, 51.24]},\n"
           "  \"layers\": [\n"
           "    {\"input\": \"land.shp\", \"category\": \"land\",\n"
           "     \"section\": \"background\", \"levels\": [2, 5]},\n" +
           layer + "\n  ]\n}\n";
}

struct BadRecipe {
    const char* what;
    std::string text;
    int line;
    const char* reason;
};

}  // namespace

TEST(RecipeTest, ReadsLayersWithResolvedPathsRegionsAndLanguageOrder) {
    const Recipe recipe = Recipe::parse(recipeWithLayer(R"(    {"input": "/data/roads.osm", "layer": "lines",
     "where": "highway IS NOT NULL", "category_field": "highway", "categories": {"primary": "road_primary"},
     "section": "points", "levels": [12, 18], "labels": {"eng": "name:en"}, "rank": "scalerank",
     "rank_level_offset": 2, "angle": "orient", "text_position": 4, "regions": ["devon"]})"),
                                        "/recipes/demo.json", "/inputs");
    EXPECT_EQ(recipe.serviceId, "test");
    EXPECT_EQ(recipe.designDirectory, "/recipes/../designs");
    EXPECT_EQ(recipe.iconDirectory, "");
    EXPECT_EQ(recipe.backgroundMinLevel, 2);
    EXPECT_EQ(recipe.backgroundMaxLevel, 5);
    ASSERT_EQ(recipe.layers.size(), 2u);
    EXPECT_EQ(recipe.layers[0].input, "/inputs/land.shp");
    EXPECT_EQ(recipe.layers[0].line, 4);
    const RecipeLayer& roads = recipe.layers[1];
    EXPECT_EQ(roads.line, 6);
    EXPECT_EQ(roads.input, "/data/roads.osm");
    EXPECT_EQ(roads.sourceLayer, "lines");
    EXPECT_EQ(roads.categoryValues.at("primary"), "road_primary");
    EXPECT_EQ(roads.section, RecipeLayer::POINTS);
    EXPECT_EQ(roads.minLevel, 12);
    EXPECT_EQ(roads.maxLevel, 18);
    const std::vector<std::pair<std::string, std::string>> labels{{"jpn", ""}, {"eng", "name:en"}};
    EXPECT_EQ(roads.labels, labels);
    EXPECT_EQ(roads.rankLevelOffset, 2);
    EXPECT_EQ(roads.textPosition, 4);
    ASSERT_EQ(roads.regions.size(), 1u);
    EXPECT_EQ(roads.regions[0], (WorldBox{WorldProjection::x(-3.94), WorldProjection::y(51.18),
                                          WorldProjection::x(-3.86), WorldProjection::y(51.24)}));
}

TEST(RecipeTest, BadRecipeIsRefusedWithTheLineThatIsWrong) {
    const BadRecipe cases[] = {
        {"unknown section", recipeWithLayer("    {\"input\": \"a.shp\", \"category\": \"land\",\n"
                                            "     \"section\": \"grund\", \"levels\": [2, 5]}"),
         7, "unknown section \"grund\""},
        {"levels the wrong way round", recipeWithLayer("    {\"input\": \"a.shp\", \"category\": \"land\",\n"
                                                       "     \"section\": \"ground\",\n"
                                                       "     \"levels\": [9, 3]}"),
         8, "first level lies above the last"},
        {"level out of range", recipeWithLayer("    {\"input\": \"a.shp\", \"category\": \"land\", \"section\": \"ground\",\n"
                                               "     \"levels\": [2, 25]}"),
         7, "must lie between 1 and 20"},
        {"misspelt key", recipeWithLayer("    {\"input\": \"a.shp\", \"category\": \"land\", \"section\": \"ground\",\n"
                                         "     \"levels\": [2, 5],\n"
                                         "     \"simplfy\": 2}"),
         8, "unknown key \"simplfy\""},
        {"language not listed", recipeWithLayer("    {\"input\": \"a.shp\", \"category\": \"town\", \"section\": \"points\",\n"
                                                "     \"levels\": [2, 5], \"labels\": {\"deu\": \"name\"}}"),
         7, "language \"deu\" is not in \"languages\""},
        {"unknown region", recipeWithLayer("    {\"input\": \"a.shp\", \"category\": \"land\", \"section\": \"ground\",\n"
                                           "     \"levels\": [2, 5],\n"
                                           "     \"regions\": [\"devon\", \"cornwall\"]}"),
         8, "unknown region \"cornwall\""},
        {"no input", recipeWithLayer("    {\"category\": \"land\", \"section\": \"ground\", \"levels\": [2, 5]}"), 6,
         "missing \"input\""},
        {"no category", recipeWithLayer("    {\"input\": \"a.shp\", \"section\": \"ground\", \"levels\": [2, 5]}"), 6,
         "needs \"category\""},
        {"text where a number belongs", recipeWithLayer("    {\"input\": \"a.shp\", \"category\": \"land\",\n"
                                                        "     \"section\": \"ground\", \"levels\": [2, \"5\"]}"),
         7, "must be a number"},
        {"label settings on areas", recipeWithLayer("    {\"input\": \"a.shp\", \"category\": \"land\",\n"
                                                    "     \"section\": \"ground\", \"levels\": [2, 5], \"angle\": \"a\"}"),
         6, "belong to a layer of section \"points\""},
    };
    for (const auto& bad : cases) {
        try {
            Recipe::parse(bad.text, "demo.json");
            ADD_FAILURE() << bad.what << ": accepted";
        } catch (const RecipeError& error) {
            EXPECT_EQ(error.line(), bad.line) << bad.what << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find("demo.json:" + std::to_string(bad.line) + ": "),
                      std::string::npos)
                << bad.what << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find(bad.reason), std::string::npos) << bad.what << ": " << error.what();
        }
    }
}

TEST(RecipeTest, TextThatIsNotJsonNamesTheLineOfTheSyntaxError) {
    try {
        Recipe::parse("{\"service_id\": \"test\",\n\"languages\": [\"jpn\"]\n\"layers\": []}\n", "demo.json");
        FAIL() << "accepted";
    } catch (const RecipeError& error) {
        EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
    }
}

TEST(RecipeTest, MissingRecipeFileIsRefused) {
    EXPECT_THROW(Recipe::load("/nonexistent/demo.json"), RecipeError);
}
