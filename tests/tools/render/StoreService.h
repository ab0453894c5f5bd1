#ifndef TOLKMAPS_TESTS_RENDER_STORESERVICE_H
#define TOLKMAPS_TESTS_RENDER_STORESERVICE_H

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "Account.h"
#include "AccountStore.h"
#include "TileStore.h"

// Runs the real tolkmaps-server on a given tile store for a test: one
// account of the store's service id, a fresh state folder (a fresh
// certificate authority) and a free loopback port. The constructor returns
// once the server listens; the destructor stops it and removes the folder.
// Throws std::runtime_error, with the server's output, when it does not come up.
class StoreService {
public:
    explicit StoreService(const std::string& storeFile) {
        char folder[] = "/tmp/tolkmaps-render-service-XXXXXX";
        if (mkdtemp(folder) == nullptr) throw std::runtime_error("cannot make a temporary folder");
        m_folder = folder;
        m_logFile = m_folder + "/server.log";
        const std::string accounts = m_folder + "/accounts";
        const std::string serviceId = TileStore(storeFile, TileStore::Mode::ReadOnly).serviceId();
        m_account = AccountStore::add(accounts, serviceId, 12, 100);
        for (int attempt = 0; attempt < 3 && m_pid < 0; ++attempt) start(storeFile, accounts);
        if (m_pid < 0) {
            const std::string output = serverOutput();
            std::filesystem::remove_all(m_folder);
            throw std::runtime_error("tolkmaps-server did not come up:\n" + output);
        }
    }
    ~StoreService() {
        stop();
        std::filesystem::remove_all(m_folder);
    }
    StoreService(const StoreService&) = delete;
    StoreService& operator=(const StoreService&) = delete;

    // "127.0.0.1:port": the configuration host, login host and data host.
    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::string caFile() const { return m_folder + "/state/ca.pem"; }
    const Account& account() const { return m_account; }

    std::string serverOutput() const {
        std::ifstream file(m_logFile);
        std::ostringstream content;
        content << file.rdbuf();
        return content.str();
    }

    void stop() {
        if (m_pid < 0) return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    void start(const std::string& storeFile, const std::string& accounts) {
        m_port = freeLoopbackPort();
        const std::vector<std::string> arguments{
            TOLKMAPS_SERVER_BINARY, "--listen", "127.0.0.1", "--port", std::to_string(m_port),
            "--store", storeFile, "--accounts", accounts, "--state", m_folder + "/state"};
        std::vector<char*> argv;
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            const int fd = open(m_logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(fd, 1);
            dup2(fd, 2);
            execv(argv[0], argv.data());
            _exit(127);
        }
        if (pid > 0 && listens(pid)) m_pid = pid;
    }

    // Waits for the line the server prints once it listens; false when it
    // ends first (another process took the port) or stays silent.
    bool listens(pid_t pid) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            if (serverOutput().find("certificate authority for clients") != std::string::npos)
                return true;
            if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return false;
    }

    static int freeLoopbackPort() {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        const bool bound = fd >= 0 &&
                           bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                           getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        if (fd >= 0) close(fd);
        if (!bound) throw std::runtime_error("no free loopback port");
        return ntohs(address.sin_port);
    }

    std::string m_folder;
    std::string m_logFile;
    Account m_account;
    int m_port = 0;
    pid_t m_pid = -1;
};

#endif
