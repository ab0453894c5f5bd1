#include "MapServiceFixture.h"

#include "AccountStore.h"
#include "SampleTiles.h"
#include "TileStore.h"

#include <curl/curl.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

const int kTileLines = 3;
const int kTilePoints = 20;

size_t appendBody(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

size_t appendHeader(char* data, size_t size, size_t count, void* target) {
    auto* headers = static_cast<std::map<std::string, std::string>*>(target);
    std::string line(data, size * count);
    size_t colon = line.find(':');
    if (line.rfind("HTTP/", 0) == 0) headers->clear();
    if (colon != std::string::npos) {
        std::string name = line.substr(0, colon);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        value.erase(value.find_last_not_of(" \t\r\n") + 1);
        (*headers)[name] = value;
    }
    return size * count;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

bool fileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// Starts `arguments` with standard output and error going to `logFile`.
pid_t spawn(const std::vector<std::string>& arguments, const std::string& logFile) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int fd = open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
            close(fd);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0) throw std::runtime_error("cannot start " + arguments.front());
    return pid;
}

}  // namespace

std::string MapServiceFixture::Response::header(const std::string& lowerName) const {
    auto found = headers.find(lowerName);
    return found == headers.end() ? std::string() : found->second;
}

MapServiceFixture::MapServiceFixture() : MapServiceFixture(Options()) {}

MapServiceFixture::MapServiceFixture(const Options& options) : m_options(options) {
    static const CURLcode curlReady = curl_global_init(CURL_GLOBAL_ALL);
    (void)curlReady;
    char folder[] = "/tmp/tolkmaps-service-XXXXXX";
    if (!mkdtemp(folder)) throw std::runtime_error("cannot make a temporary folder");
    m_stateDir = options.stateDir.empty() ? std::string(folder) + "/state" : options.stateDir;
    m_folder = folder;
    m_storeFile = options.storeFile.empty() ? std::string(folder) + "/tiles.sqlite" : options.storeFile;
    m_accountsFile = std::string(folder) + "/accounts";
    m_logFile = std::string(folder) + "/server.log";
    m_caFile = m_stateDir + "/ca.pem";

    std::string serviceId = kServiceId;
    if (options.storeFile.empty()) {
        m_quadKeys = SampleTiles::keysOfLevel(2);
        for (const char* deeper : {"0123", "01230123", "0000000000"}) m_quadKeys.push_back(deeper);
        SampleTiles::writeStore(m_storeFile, kServiceId, kGlobalVersion, kLocalVersion, m_quadKeys,
                                kTileLines, kTilePoints);
    } else {
        serviceId = TileStore(m_storeFile, TileStore::Mode::ReadOnly).serviceId();
    }
    m_account = AccountStore::add(m_accountsFile, serviceId, 12, 100);
    try {
        start();
    } catch (...) {
        stop();
        std::filesystem::remove_all(m_folder);
        throw;
    }
}

MapServiceFixture::~MapServiceFixture() {
    stop();
    std::filesystem::remove_all(m_folder);
}

std::string MapServiceFixture::host() const { return "127.0.0.1:" + std::to_string(m_port); }

std::string MapServiceFixture::baseUrl() const { return "https://" + host(); }

std::string MapServiceFixture::storedTile(const std::string& quadKey) const {
    TileStore store(m_storeFile, TileStore::Mode::ReadOnly);
    return store.tile(quadKey).value_or(std::string());
}

int MapServiceFixture::freeLoopbackPort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0) close(fd);
        throw std::runtime_error("no free loopback port");
    }
    close(fd);
    return ntohs(address.sin_port);
}

void MapServiceFixture::start() {
    // Another process may take the free port before the server binds it:
    // try a few ports.
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = freeLoopbackPort();
        m_pid = spawn({TOLKMAPS_SERVER_BINARY, "--listen", "127.0.0.1", "--port",
                       std::to_string(m_port), "--store", m_storeFile, "--accounts", m_accountsFile,
                       "--state", m_stateDir, "--threads", std::to_string(m_options.threads),
                       "--quad-num", std::to_string(m_options.quadNum), "--auth-cycle",
                       std::to_string(m_options.authCycleHours), "--nonce-window",
                       std::to_string(m_options.nonceWindowSeconds)},
                      m_logFile);
        try {
            waitUntilServing();
            return;
        } catch (const std::runtime_error&) {
            if (serverOutput().find("cannot listen") == std::string::npos || attempt == 2) throw;
        }
    }
}

void MapServiceFixture::waitUntilServing() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!serverRunning())
            throw std::runtime_error("tolkmaps-server ended at start:\n" + serverOutput());
        if (fileExists(m_caFile) && get("/Veltar/config.json").status == 200) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw std::runtime_error("tolkmaps-server did not answer within 20 s:\n" + serverOutput());
}

bool MapServiceFixture::serverRunning() {
    if (m_pid <= 0) return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        m_exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return false;
    }
    return true;
}

int MapServiceFixture::stop() {
    if (!serverRunning()) return -1;
    kill(m_pid, SIGTERM);
    for (int i = 0; i < 200 && serverRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (serverRunning()) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
        return -1;
    }
    return m_exitStatus;
}

std::string MapServiceFixture::serverOutput() const { return readWholeFile(m_logFile); }

MapServiceFixture::Response MapServiceFixture::get(const std::string& pathAndQuery, Encoding encoding,
                                                   const std::vector<std::string>& headers) const {
    return getUrl(baseUrl() + pathAndQuery, encoding, headers);
}

MapServiceFixture::Response MapServiceFixture::getUrl(const std::string& url, Encoding encoding,
                                                      const std::vector<std::string>& headers) const {
    Response response;
    CURL* curl = curl_easy_init();
    if (!curl) return response;
    curl_slist* headerList = nullptr;
    for (const std::string& header : headers) headerList = curl_slist_append(headerList, header.c_str());
    if (encoding == Encoding::GzipRaw) headerList = curl_slist_append(headerList, "Accept-Encoding: gzip");
    if (encoding == Encoding::GzipDecoded) curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "gzip");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headerList);
    curl_easy_setopt(curl, CURLOPT_CAINFO, m_caFile.c_str());
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 10L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response.body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, appendHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &response.headers);
    if (curl_easy_perform(curl) == CURLE_OK)
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
    curl_slist_free_all(headerList);
    curl_easy_cleanup(curl);
    return response;
}

int MapServiceFixture::runServerCommand(const std::vector<std::string>& arguments, std::string& output) {
    char logFile[] = "/tmp/tolkmaps-server-output-XXXXXX";
    int fd = mkstemp(logFile);
    if (fd < 0) throw std::runtime_error("cannot make a temporary file");
    close(fd);
    std::vector<std::string> command{TOLKMAPS_SERVER_BINARY};
    command.insert(command.end(), arguments.begin(), arguments.end());
    pid_t pid = spawn(command, logFile);
    int status = 0;
    waitpid(pid, &status, 0);
    output = readWholeFile(logFile);
    unlink(logFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
