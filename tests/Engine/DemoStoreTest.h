#ifndef TOLKMAPS_TESTS_ENGINE_DEMOSTORETEST_H
#define TOLKMAPS_TESTS_ENGINE_DEMOSTORETEST_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../tools/render/StoreService.h"
#include "CacheController.h"
#include "GLTestContext.h"
#include "KitStartup.h"
#include "RenderOptions.h"
#include "ScratchDirectory.h"

// The demo data set that scripts/demo-data makes.
inline const std::string kDemoStore = std::string(TOLKMAPS_SOURCE_DIR) + "/data/demo/tiles.sqlite";
// Display density at which the design tables' widths are pixels.
inline constexpr int kTableDpi = 326;
// How long a view may take to complete.
inline constexpr double kFrameSeconds = 120;

// Whether every channel of `seen` lies within `tolerance` of `expected`.
inline bool nearColour(const GLTestContext::RGBA& seen, const GLTestContext::RGBA& expected, int tolerance) {
    for (int channel = 0; channel < 4; ++channel) {
        if (std::abs(int(seen[channel]) - int(expected[channel])) > tolerance) return false;
    }
    return true;
}

// A GL context and the kit started against the real service on the demo
// store, with a fresh disk cache. Skips when the store has not been made.
class DemoStoreTest : public GLTest {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kDemoStore))
            GTEST_SKIP() << "no demo store at " << kDemoStore << " (scripts/demo-data makes it)";
        GLTest::SetUp();
        qiv::CacheController::clearMemory();
        m_service = std::make_unique<StoreService>(kDemoStore);
        const RenderOptions options = m_service->kitOptions(kTableDpi);
        ASSERT_EQ(KitStartup::start(options, m_cache.path()), 0) << m_service->serverOutput();
    }
    void TearDown() override {
        m_service.reset();
        GLTest::TearDown();
    }

    ScratchDirectory m_cache;
    std::unique_ptr<StoreService> m_service;
};

#endif
