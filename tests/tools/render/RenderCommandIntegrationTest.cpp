#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CacheController.h"
#include "FileManager.h"
#include "FixtureStore.h"
#include "FixtureTile.h"
#include "RenderCommand.h"
#include "StoreService.h"
#include "UnitConvertor.h"
#include "VeltarEngine.h"

namespace {

using qiv::CameraPosition;
using qiv::LatLng;
using qiv::UnitConvertor;

const int kWidth = 256;
const int kHeight = 192;
const int kLevel = 15;
// Colours of the day set.
const std::vector<unsigned char> kDayLand{243, 240, 232, 255};
const std::vector<unsigned char> kDayPrimaryFill{251, 227, 142, 255};

// The centre of the level-15 tile under a point, so that the view's tiles
// are whole tiles around it.
LatLng tileCentre(const LatLng& near) {
    double x = 0;
    double y = 0;
    UnitConvertor::QuadKey2FourByte(UnitConvertor::LatLng2QuadKey(kLevel, near), &x, &y);
    const double half = UnitConvertor::getQuadSize(kLevel) / 2;
    return UnitConvertor::FourByte2LatLng(x + half, y + half);
}

const LatLng kPlace = tileCentre(LatLng(10.0, 20.0));

// The tiles the engine shows for the tool's view of kPlace.
std::vector<std::string> visibleKeys() {
    qiv::VeltarEngine engine("visible-keys");
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(CameraPosition(kPlace, kLevel, 0, 0), 0, 0,
                       qiv::Point(kWidth / 2, kHeight / 2));
    return engine.getVisibleQuadKeys();
}

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/tolkmaps-render-test-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_folder = folder;
        // Decoded tiles stay in the process between tests: start without any.
        qiv::CacheController::clearMemory();
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    // Serves land tiles with a road across for every visible key but those
    // left out.
    void serveLand(const std::vector<std::string>& leftOut = {}) {
        std::vector<std::unique_ptr<FixtureTile>> tiles;
        std::vector<FixtureTile*> served;
        for (const std::string& key : visibleKeys()) {
            if (std::find(leftOut.begin(), leftOut.end(), key) != leftOut.end()) continue;
            tiles.push_back(std::make_unique<FixtureTile>(key));
            FixtureTile& tile = *tiles.back();
            const double middle = tile.south() + tile.side() / 2;
            tile.fill("land").line("road_primary", {{tile.west(), middle}, {tile.west() + tile.side(), middle}});
            served.push_back(&tile);
        }
        FixtureStore::write(m_folder + "/tiles.sqlite", served);
        m_service = std::make_unique<StoreService>(m_folder + "/tiles.sqlite");
    }

    std::vector<std::string> serviceArguments(const std::string& secret) const {
        return {"--host", m_service->host(), "--key", m_service->account().consumerKey,
                "--secret", secret, "--ca", m_service->caFile()};
    }

    // The tool on the view of kPlace with the served account.
    ToolRun render(std::vector<std::string> extra) {
        std::vector<std::string> arguments{
            "--lat", std::to_string(kPlace.latitude), "--lng", std::to_string(kPlace.longitude),
            "--zoom", std::to_string(kLevel), "--size",
            std::to_string(kWidth) + "x" + std::to_string(kHeight), "--out", pngPath()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return run(arguments);
    }

    static ToolRun run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        ToolRun result;
        result.status = RenderCommand::run(arguments, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    std::string pngPath() const { return m_folder + "/view.png"; }

    std::string m_folder;
    std::unique_ptr<StoreService> m_service;
};

}  // namespace

TEST_F(RenderCommandTest, AServiceThatCannotBeReachedEndsWithStatusOneInWords) {
    // A port that nothing listens on: bound, then closed.
    serveLand();
    const std::string host = m_service->host();
    const std::string caFile = m_service->caFile();
    m_service->stop();
    const ToolRun result = render({"--host", host, "--key", "k", "--secret", "s", "--ca", caFile});
    EXPECT_EQ(result.status, RenderCommand::kFailed);
    EXPECT_NE(result.err.find(host), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("status 1: the configuration could not be fetched"),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(pngPath()));
}

TEST_F(RenderCommandTest, ARefusedLoginEndsWithStatusThreeInWords) {
    serveLand();
    const ToolRun result = render(serviceArguments("not-the-secret"));
    EXPECT_EQ(result.status, RenderCommand::kFailed);
    EXPECT_NE(result.err.find("status 3: the login failed"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(pngPath()));
}

TEST_F(RenderCommandTest, AnUnknownDesignSetIsNamedWithTheSetsTheServiceHas) {
    serveLand();
    std::vector<std::string> arguments = serviceArguments(m_service->account().consumerSecret);
    arguments.insert(arguments.end(), {"--design", "dusk"});
    const ToolRun result = render(arguments);
    EXPECT_EQ(result.status, RenderCommand::kFailed);
    EXPECT_NE(result.err.find("no design set 'dusk'; it has: day, night"), std::string::npos)
        << result.err;
}

TEST_F(RenderCommandTest, ACompleteViewIsWrittenAsPng) {
    serveLand();
    const ToolRun result = render(serviceArguments(m_service->account().consumerSecret));
    ASSERT_EQ(result.status, RenderCommand::kComplete) << result.err;
    EXPECT_NE(result.out.find(pngPath()), std::string::npos) << result.out;

    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
    ASSERT_TRUE(qiv::FileManager::loadPixelxAsPng(&width, &height, &pixels, pngPath()));
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    ASSERT_EQ(pixels.size(), size_t(kWidth * kHeight * 4));
    // Land in the corners: every visible tile was drawn.
    const std::pair<int, int> corners[] = {{0, 0}, {kWidth - 1, 0}, {0, kHeight - 1}, {kWidth - 1, kHeight - 1}};
    for (const auto& [x, y] : corners) {
        const size_t at = (size_t(y) * kWidth + x) * 4;
        EXPECT_EQ(std::vector<unsigned char>(pixels.begin() + at, pixels.begin() + at + 4), kDayLand)
            << x << "," << y;
    }
    // The road's soft edges blend into the frame; the image is opaque all the same.
    size_t translucent = 0;
    for (size_t alpha = 3; alpha < pixels.size(); alpha += 4) translucent += pixels[alpha] != 255;
    EXPECT_EQ(translucent, 0u);
    bool roadFound = false;
    for (int y = kHeight / 2 - 4; y <= kHeight / 2 + 4; ++y) {
        const size_t at = (size_t(y) * kWidth + kWidth / 2) * 4;
        roadFound |= std::vector<unsigned char>(pixels.begin() + at, pixels.begin() + at + 4) == kDayPrimaryFill;
    }
    EXPECT_TRUE(roadFound) << "no road across the middle";
}

TEST_F(RenderCommandTest, AViewStillIncompleteAtTheTimeLimitNamesTheMissingTile) {
    const std::string missing = UnitConvertor::LatLng2QuadKey(kLevel, kPlace);
    serveLand({missing});
    std::vector<std::string> arguments = serviceArguments(m_service->account().consumerSecret);
    arguments.insert(arguments.end(), {"--timeout", "3"});
    const ToolRun result = render(arguments);
    EXPECT_EQ(result.status, RenderCommand::kIncomplete) << result.err;
    EXPECT_TRUE(std::filesystem::exists(pngPath())) << "the partial view is written all the same";
    EXPECT_NE(result.err.find("tiles still missing (1): " + missing), std::string::npos)
        << result.err;
}

TEST(RenderCommandLineTest, TheExecutableAnswersHelpAndBadArgumentsWithoutAService) {
    const struct {
        std::string arguments;
        int status;
        std::string says;
    } cases[] = {
        {"--help", 0, "usage: tolkmaps-render"},
        {"--zoom 3", 2, "--out is required"},
        {"--out x.png --size big", 2, "--size needs WIDTHxHEIGHT"},
    };
    for (const auto& commandCase : cases) {
        const std::string command =
            std::string(TOLKMAPS_RENDER_BINARY) + " " + commandCase.arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
        const int status = pclose(pipe);
        EXPECT_EQ(WEXITSTATUS(status), commandCase.status) << commandCase.arguments;
        EXPECT_NE(output.find(commandCase.says), std::string::npos)
            << commandCase.arguments << ": " << output;
    }
}
