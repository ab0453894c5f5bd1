// tolkmaps-server: the map service of the kit, or, with "add-account", the
// tool that adds an account to its accounts file.

#include "AccountStore.h"
#include "CertificateAuthority.h"
#include "Log.h"
#include "MapService.h"
#include "ServiceOptions.h"
#include "TileStore.h"

#include <climits>
#include <malloc.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

int fail(const std::string& message) {
    fprintf(stderr, "tolkmaps-server: %s\n", message.c_str());
    return 1;
}

int addAccount(const ServiceOptions& options) {
    try {
        Account account =
            AccountStore::add(options.accountsPath, options.serviceId, options.division, options.cacheMiB);
        printf("consumer_key=%s\nconsumer_secret=%s\n", account.consumerKey.c_str(),
               account.consumerSecret.c_str());
        return 0;
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}

// The names the server certificate must carry: the loopback names and the
// public host without its port.
std::vector<std::string> certificateHosts(const std::string& publicHost) {
    std::vector<std::string> hosts{"localhost", "127.0.0.1", "::1"};
    std::string host = publicHost;
    if (!host.empty() && host[0] == '[') {
        host = host.substr(1, host.find(']') - 1);
    } else if (host.find(':') != std::string::npos) {
        host = host.substr(0, host.rfind(':'));
    }
    if (!host.empty() && std::find(hosts.begin(), hosts.end(), host) == hosts.end())
        hosts.push_back(host);
    return hosts;
}

std::string absolutePath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Serves until SIGINT or SIGTERM. The signals are blocked in every thread and
// taken by sigwait here, so that stopping runs as ordinary code.
int serve(const ServiceOptions& options) {
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);
    Log::chkConsole = true;
    // Answers are built in buffers of tens of KiB on many threads; keeping
    // freed memory in the process spares the page faults and cross-thread
    // TLB flushes of handing it back to the system after every answer.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 16 << 20);

    std::unique_ptr<TileStore> store;
    std::unique_ptr<AccountStore> accounts;
    std::unique_ptr<CertificateAuthority> certificates;
    std::unique_ptr<MapService> service;
    const std::string publicHost = options.effectivePublicHost();
    try {
        store = std::make_unique<TileStore>(options.storePath, TileStore::Mode::ReadOnly);
        if (store->serviceId().empty()) return fail(options.storePath + " names no service id");
        accounts = std::make_unique<AccountStore>(AccountStore::load(options.accountsPath));
        certificates = std::make_unique<CertificateAuthority>(options.stateDir, certificateHosts(publicHost));
        MapService::Settings settings;
        settings.config = ServiceConfig::forHost(publicHost);
        settings.config.quadNum = options.quadNum;
        settings.config.authCycleHours = options.authCycleHours;
        settings.threads = options.threads;
        settings.nonceWindowSeconds = options.nonceWindowSeconds;
        settings.gzipLevel = options.gzipLevel;
        settings.tileCacheBytes = static_cast<size_t>(options.tileCacheMiB) << 20;
        service = std::make_unique<MapService>(*store, *accounts, *certificates, settings, stdout);
    } catch (const std::exception& error) {
        return fail(error.what());
    }
    if (service->bind(options.listenHost, options.port) < 0)
        return fail("cannot listen on " + options.listenHost + ":" + std::to_string(options.port));

    printf("tolkmaps-server: serving https://%s/ on %s:%d, service id %s, %zu tiles, %zu accounts\n",
           publicHost.c_str(), options.listenHost.c_str(), options.port, store->serviceId().c_str(),
           store->tileCount(), accounts->size());
    printf("tolkmaps-server: certificate authority for clients: %s\n",
           absolutePath(certificates->caFile()).c_str());
    fflush(stdout);

    std::atomic<bool> finished{false};
    bool served = true;
    std::thread server([&] {
        served = service->run();
        finished = true;
        if (!served) kill(getpid(), SIGTERM);
    });
    int received = 0;
    sigwait(&stopSignals, &received);
    while (!finished) {
        service->stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    server.join();
    if (!served) return fail("serving failed");
    printf("tolkmaps-server: stopped on signal %d\n", received);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ServiceOptions options;
    try {
        options = ServiceOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        fprintf(stderr, "tolkmaps-server: %s\n\n%s", error.what(), ServiceOptions::usage().c_str());
        return 2;
    }
    switch (options.command) {
    case ServiceOptions::Command::Help:
        fputs(ServiceOptions::usage().c_str(), stdout);
        return 0;
    case ServiceOptions::Command::AddAccount:
        return addAccount(options);
    case ServiceOptions::Command::Serve:
        break;
    }
    return serve(options);
}
