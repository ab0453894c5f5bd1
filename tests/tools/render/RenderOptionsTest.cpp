#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "RenderOptions.h"

namespace {

using Arguments = std::vector<std::string>;

RenderOptions::Environment environmentOf(const std::map<std::string, std::string>& variables) {
    return [variables](const std::string& name) {
        const auto found = variables.find(name);
        return found == variables.end() ? std::string() : found->second;
    };
}

const RenderOptions::Environment kNoEnvironment = environmentOf({});

RenderOptions parse(const Arguments& arguments,
                    const RenderOptions::Environment& environment = kNoEnvironment) {
    return RenderOptions::parse(arguments, environment);
}

}  // namespace

TEST(RenderOptionsTest, ReadsTheCameraImageAndServiceFlags) {
    const RenderOptions options =
        parse({"--lat", "51.1922", "--lng", "-3.9083", "--zoom", "16.5", "--tilt", "45",
               "--bearing", "-30", "--size", "640x480", "--design", "night", "--font", "f.otf",
               "--out", "a.png",
               "--timeout", "2.5", "--host", "127.0.0.1:9443", "--auth-domain", "auth:1",
               "--key", "k", "--secret", "s", "--ca", "ca.pem", "--mode", "0", "--data", "/d",
               "--cache", "/c", "--design-dir", "/u", "--dpi", "320", "--proxy", "http://p:3",
               "--verbose"});
    EXPECT_DOUBLE_EQ(options.latitude, 51.1922);
    EXPECT_DOUBLE_EQ(options.longitude, -3.9083);
    EXPECT_DOUBLE_EQ(options.zoom, 16.5);
    EXPECT_DOUBLE_EQ(options.tilt, 45);
    EXPECT_DOUBLE_EQ(options.bearing, -30);
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    EXPECT_EQ(options.designName, "night");
    EXPECT_EQ(options.fontPath, "f.otf");
    EXPECT_EQ(options.outputPath, "a.png");
    EXPECT_DOUBLE_EQ(options.timeoutSeconds, 2.5);
    EXPECT_EQ(options.configHost, "127.0.0.1:9443");
    EXPECT_EQ(options.authDomain, "auth:1");
    EXPECT_EQ(options.consumerKey, "k");
    EXPECT_EQ(options.consumerSecret, "s");
    EXPECT_EQ(options.caFile, "ca.pem");
    EXPECT_EQ(options.mode, 0);
    EXPECT_EQ(options.dataPath, "/d");
    EXPECT_EQ(options.cacheDir, "/c");
    EXPECT_EQ(options.userDesignPath, "/u");
    EXPECT_EQ(options.dpi, 320);
    EXPECT_EQ(options.proxy, "http://p:3");
    EXPECT_TRUE(options.verbose);
    EXPECT_FALSE(options.help);
}

TEST(RenderOptionsTest, DefaultsDrawTheDaySetFromTheService) {
    const RenderOptions options = parse({"--out", "a.png"});
    EXPECT_EQ(options.width, 1024);
    EXPECT_EQ(options.height, 768);
    EXPECT_EQ(options.designName, "day");
    EXPECT_EQ(options.mode, 1);
    EXPECT_GT(options.timeoutSeconds, 0);
    EXPECT_TRUE(options.configHost.empty()) << "the kit's built-in host stays";
    EXPECT_TRUE(options.cacheDir.empty()) << "a temporary cache";
}

TEST(RenderOptionsTest, ServiceValuesComeFromTheEnvironmentUnlessGiven) {
    const auto environment = environmentOf({{"TOLKMAPS_CONFIG_HOST", "env-host:1"},
                                            {"TOLKMAPS_CONSUMER_KEY", "env-key"},
                                            {"TOLKMAPS_CONSUMER_SECRET", "env-secret"},
                                            {"TOLKMAPS_CA_FILE", "env-ca.pem"}});
    const RenderOptions fromEnvironment = parse({"--out", "a.png"}, environment);
    EXPECT_EQ(fromEnvironment.configHost, "env-host:1");
    EXPECT_EQ(fromEnvironment.consumerKey, "env-key");
    EXPECT_EQ(fromEnvironment.consumerSecret, "env-secret");
    EXPECT_EQ(fromEnvironment.caFile, "env-ca.pem");

    const RenderOptions given =
        parse({"--out", "a.png", "--host", "h:2", "--key", "k", "--secret", "s", "--ca", "c"},
              environment);
    EXPECT_EQ(given.configHost, "h:2");
    EXPECT_EQ(given.consumerKey, "k");
    EXPECT_EQ(given.consumerSecret, "s");
    EXPECT_EQ(given.caFile, "c");
}

TEST(RenderOptionsTest, HelpNeedsNothingElse) {
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"--zoom", "3", "-h", "--no-such-flag"}).help);
    EXPECT_NE(RenderOptions::usage().find("--out FILE.png"), std::string::npos);
}

TEST(RenderOptionsTest, RefusesBadCommandLinesNamingTheArgument) {
    const struct {
        Arguments arguments;
        std::string named;
    } cases[] = {
        {{}, "--out"},
        {{"--lat", "1"}, "--out"},
        {{"--out", "a.png", "--frobnicate", "1"}, "--frobnicate"},
        {{"--out", "a.png", "--zoom"}, "--zoom needs a value"},
        {{"--out", "a.png", "--lat", "91"}, "--lat"},
        {{"--out", "a.png", "--lng", "-180.5"}, "--lng"},
        {{"--out", "a.png", "--lat", "north"}, "'north'"},
        {{"--out", "a.png", "--zoom", "15x"}, "'15x'"},
        {{"--out", "a.png", "--zoom", ""}, "--zoom"},
        {{"--out", "a.png", "--zoom", "nan"}, "--zoom"},
        {{"--out", "a.png", "--tilt", "-1"}, "--tilt"},
        {{"--out", "a.png", "--timeout", "0"}, "--timeout"},
        {{"--out", "a.png", "--size", "640"}, "WIDTHxHEIGHT"},
        {{"--out", "a.png", "--size", "0x480"}, "--size"},
        {{"--out", "a.png", "--size", "640x"}, "--size"},
        {{"--out", "a.png", "--size", "640x480x2"}, "--size"},
        {{"--out", "a.png", "--size", "100000x10"}, "--size"},
        {{"--out", "a.png", "--size", "64.5x48"}, "whole number"},
        {{"--out", "a.png", "--mode", "2"}, "--mode"},
        {{"--out", "a.png", "--mode", "0"}, "--data"},
        {{"--out", "a.png", "--dpi", "0"}, "--dpi"},
    };
    for (const auto& badCase : cases) {
        std::string arguments;
        for (const std::string& argument : badCase.arguments) arguments += argument + " ";
        try {
            parse(badCase.arguments);
            ADD_FAILURE() << "accepted: " << arguments;
        } catch (const RenderUsageError& error) {
            EXPECT_NE(std::string(error.what()).find(badCase.named), std::string::npos)
                << arguments << "-> " << error.what();
        }
    }
}
