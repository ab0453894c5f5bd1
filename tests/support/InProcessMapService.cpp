#include "InProcessMapService.h"

#include <chrono>
#include <stdexcept>

#include "HttpRequest.h"
#include "MapServiceFixture.h"

InProcessMapService::InProcessMapService(const Options& options) {
    writeStore(options);
    m_account = AccountStore::add(m_folder.file("accounts"), kServiceId, options.division, options.cacheMiB);
    m_store = std::make_unique<TileStore>(m_folder.file("tiles.sqlite"), TileStore::Mode::ReadOnly);
    m_accounts = std::make_unique<AccountStore>(AccountStore::load(m_folder.file("accounts")));
    m_certificates = std::make_unique<CertificateAuthority>(
        m_folder.file("state"), std::vector<std::string>{"localhost", "127.0.0.1"});
    m_log = std::fopen(m_folder.file("access.log").c_str(), "w");
    m_port = MapServiceFixture::freeLoopbackPort();
    MapService::Settings settings;
    settings.config = ServiceConfig::forHost(host());
    settings.config.quadNum = 4;
    settings.threads = 4;
    if (options.adjustConfig) options.adjustConfig(settings.config, std::to_string(m_port));
    m_service = std::make_unique<MapService>(*m_store, *m_accounts, *m_certificates, settings, m_log);
    if (m_service->bind("127.0.0.1", m_port) < 0) throw std::runtime_error("cannot bind the map service");
    m_thread = std::thread([this] { m_service->run(); });
    waitUntilServing();
}

InProcessMapService::~InProcessMapService() {
    m_service->stop();
    m_thread.join();
    std::fclose(m_log);
}

void InProcessMapService::writeStore(const Options& options) {
    const std::string path = m_folder.file("tiles.sqlite");
    SampleTiles::writeStore(path, kServiceId, kGlobalVersion, kLocalVersion, options.quadKeys, options.lines,
                            options.pointsPerLine);
    if (options.withGlobalData && options.withLocalVersion) return;
    TileStore store(path, TileStore::Mode::ReadWrite);
    if (!options.withGlobalData) store.setGlobalData("");
    if (!options.withLocalVersion) store.setVersions(kGlobalVersion, "");
}

void InProcessMapService::waitUntilServing() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    qiv::HttpRequest request;
    request.m_caPath = caFile();
    std::vector<char> body;
    while (!request.single("https://" + host() + "/Veltar/config.json", &body, nullptr)) {
        if (std::chrono::steady_clock::now() > deadline) {
            m_service->stop();
            m_thread.join();
            std::fclose(m_log);
            throw std::runtime_error("the map service does not answer");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
