// Time from the start-up sequence to the first frame that finds every visible
// tile of a 1024x768 view at zoom 15, against the map service on loopback:
// from a cold disk cache (every tile fetched) and from a warm one (every tile
// read from disk; memory emptied before each run).

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "AccountStore.h"
#include "CacheController.h"
#include "CertificateAuthority.h"
#include "GLTestContext.h"
#include "Initializer.h"
#include "MapService.h"
#include "SampleTiles.h"
#include "ScratchDirectory.h"
#include "ServiceConfig.h"
#include "TileStore.h"
#include "VeltarEngine.h"

namespace {

const int kWidth = 1024;
const int kHeight = 768;
const qiv::CameraPosition kView(qiv::LatLng(35.681236, 139.767125), 15, 0, 0);
const char* const kServiceId = "svc-bench";

std::vector<std::string> visibleKeys() {
    qiv::VeltarEngine engine("bench-keys");
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(kView, 0, 0, qiv::Point(kWidth / 2, kHeight / 2));
    return engine.getVisibleQuadKeys();
}

int freeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (fd >= 0) close(fd);
    if (!bound) throw std::runtime_error("no free loopback port");
    return ntohs(address.sin_port);
}

// The map service in this process with a store holding the view's tiles.
class BenchService {
public:
    BenchService() {
        SampleTiles::writeStore(m_folder.file("tiles.sqlite"), kServiceId, "20261201", "20261202",
                                visibleKeys(), 30, 40);
        m_account = AccountStore::add(m_folder.file("accounts"), kServiceId, 12, 100);
        m_store = std::make_unique<TileStore>(m_folder.file("tiles.sqlite"), TileStore::Mode::ReadOnly);
        m_accounts = std::make_unique<AccountStore>(AccountStore::load(m_folder.file("accounts")));
        m_certificates = std::make_unique<CertificateAuthority>(
            m_folder.file("state"), std::vector<std::string>{"localhost", "127.0.0.1"});
        m_log = std::fopen("/dev/null", "w");
        m_port = freeLoopbackPort();
        MapService::Settings settings;
        settings.config = ServiceConfig::forHost(host());
        m_service = std::make_unique<MapService>(*m_store, *m_accounts, *m_certificates, settings, m_log);
        if (m_service->bind("127.0.0.1", m_port) < 0) throw std::runtime_error("cannot bind");
        m_thread = std::thread([this] { m_service->run(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ~BenchService() {
        m_service->stop();
        m_thread.join();
        std::fclose(m_log);
    }
    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::string caFile() const { return m_certificates->caFile(); }
    const Account& account() const { return m_account; }

private:
    ScratchDirectory m_folder;
    Account m_account;
    std::unique_ptr<TileStore> m_store;
    std::unique_ptr<AccountStore> m_accounts;
    std::unique_ptr<CertificateAuthority> m_certificates;
    FILE* m_log = nullptr;
    int m_port = 0;
    std::unique_ptr<MapService> m_service;
    std::thread m_thread;
};

BenchService& service() {
    static BenchService instance;
    return instance;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Start-up, one map, frames until every visible tile is found; the start-up
// share and the frame count go to the counters. False when start-up fails or
// the tiles do not come within 30 s.
bool startUpToCompleteFrame(const std::string& cacheDir, benchmark::State& state) {
    const auto start = std::chrono::steady_clock::now();
    qiv::Initializer::m_setting.configHost = service().host();
    if (qiv::Initializer::initialize(service().host(), service().account().consumerKey,
                                     service().account().consumerSecret, "", cacheDir, "",
                                     service().caFile(), 160, 1, "") != 0) {
        return false;
    }
    state.counters["initialize_ms"] = millisecondsSince(start);
    qiv::VeltarEngine engine("bench-engine");
    if (engine.initializeMap("") != 0) return false;
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(kView, 0, 0, qiv::Point(kWidth / 2, kHeight / 2));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int frames = 1;
    while (engine.drawMap() != qiv::VeltarEngine::kFrameComplete) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++frames;
    }
    state.counters["frames"] = frames;
    state.counters["to_frame_ms"] = millisecondsSince(start);
    return true;
}

void BM_StartUpToCompleteFrameColdCache(benchmark::State& state) {
    GLTestContext gl(kWidth, kHeight);
    service();
    for (auto _ : state) {
        state.PauseTiming();
        auto cache = std::make_unique<ScratchDirectory>();
        qiv::CacheController::clearMemory();
        state.ResumeTiming();
        if (!startUpToCompleteFrame(cache->path(), state)) state.SkipWithError("no complete frame");
        state.PauseTiming();
        cache.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToCompleteFrameColdCache)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_StartUpToCompleteFrameWarmDiskCache(benchmark::State& state) {
    GLTestContext gl(kWidth, kHeight);
    ScratchDirectory cache;
    qiv::CacheController::clearMemory();
    if (!startUpToCompleteFrame(cache.path(), state)) state.SkipWithError("priming failed");
    for (auto _ : state) {
        state.PauseTiming();
        qiv::CacheController::clearMemory();
        state.ResumeTiming();
        if (!startUpToCompleteFrame(cache.path(), state)) state.SkipWithError("no complete frame");
    }
}
BENCHMARK(BM_StartUpToCompleteFrameWarmDiskCache)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
