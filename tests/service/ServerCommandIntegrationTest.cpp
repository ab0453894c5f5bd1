// The tolkmaps-server command line: adding accounts, refusing what it cannot
// serve, keeping its certificate authority across starts.

#include "AccountStore.h"
#include "MapServiceFixture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class TemporaryFolder {
public:
    TemporaryFolder() {
        char folder[] = "/tmp/tolkmaps-command-XXXXXX";
        m_path = mkdtemp(folder);
    }
    ~TemporaryFolder() { std::filesystem::remove_all(m_path); }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

TEST(ServerCommandIntegrationTest, AddAccountPrintsKeyAndSecretAndStoresThemPrivately) {
    TemporaryFolder folder;
    std::string output;
    ASSERT_EQ(MapServiceFixture::runServerCommand({"add-account", "--accounts", folder.file("accounts"),
                                                   "--service-id", "svc", "--division", "1234",
                                                   "--cache", "50"},
                                                  output),
              0)
        << output;
    std::istringstream lines(output);
    std::string keyLine, secretLine;
    std::getline(lines, keyLine);
    std::getline(lines, secretLine);
    ASSERT_EQ(keyLine.rfind("consumer_key=", 0), 0u) << output;
    ASSERT_EQ(secretLine.rfind("consumer_secret=", 0), 0u) << output;
    const std::string key = keyLine.substr(13);
    auto account = AccountStore::load(folder.file("accounts")).find(key);
    ASSERT_TRUE(account.has_value());
    EXPECT_EQ(account->consumerSecret, secretLine.substr(16));
    EXPECT_EQ(account->serviceId, "svc");
    EXPECT_EQ(account->division, 1234);
    EXPECT_EQ(account->cacheMiB, 50);
    auto permissions = std::filesystem::status(folder.file("accounts")).permissions();
    EXPECT_EQ(permissions & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
}

TEST(ServerCommandIntegrationTest, RefusesToStartWithoutUsableStoreOrAccounts) {
    TemporaryFolder folder;
    std::ofstream(folder.file("accounts")) << "key secret svc 12 100\n";
    std::ofstream(folder.file("not-a-store")) << "plain text, not a database\n";
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::string state = folder.file("state");
    const std::vector<Case> cases{
        {{"--store", folder.file("missing.sqlite"), "--accounts", folder.file("accounts"), "--state", state},
         "cannot open tile store"},
        {{"--store", folder.file("not-a-store"), "--accounts", folder.file("accounts"), "--state", state},
         "not a tile store"},
        {{"--store", folder.file("not-a-store"), "--accounts", folder.file("missing"), "--state", state},
         "not a tile store"},
        {{"--store", folder.file("missing.sqlite"), "--accounts", folder.file("accounts"), "--port", "http"},
         "--port"},
        {{"--accounts", folder.file("accounts")}, "--store is required"},
    };
    for (const Case& c : cases) {
        std::string output;
        EXPECT_NE(MapServiceFixture::runServerCommand(c.arguments, output), 0) << c.message;
        EXPECT_NE(output.find(c.message), std::string::npos) << output;
    }
}

TEST(ServerCommandIntegrationTest, RefusesMissingOrMalformedAccountsFile) {
    MapServiceFixture service;
    TemporaryFolder folder;
    std::ofstream(folder.file("broken-accounts")) << "key secret svc twelve\n";
    const std::string store = service.storeFile();
    for (const std::string& accounts : {folder.file("missing"), folder.file("broken-accounts")}) {
        std::string output;
        EXPECT_NE(MapServiceFixture::runServerCommand({"--store", store, "--accounts", accounts,
                                                       "--state", folder.file("state")},
                                                      output),
                  0);
        EXPECT_NE(output.find(accounts), std::string::npos) << output;
    }
}

TEST(ServerCommandIntegrationTest, HelpDescribesEveryFlag) {
    std::string output;
    ASSERT_EQ(MapServiceFixture::runServerCommand({"--help"}, output), 0);
    for (const char* flag : {"--listen", "--port", "--store", "--accounts", "--state", "--threads"})
        EXPECT_NE(output.find(flag), std::string::npos) << flag;
}

TEST(ServerCommandIntegrationTest, CertificateAuthorityIsMadeOnceAndReused) {
    TemporaryFolder folder;
    MapServiceFixture::Options options;
    options.stateDir = folder.file("state");
    std::string firstAuthority;
    {
        MapServiceFixture service(options);
        firstAuthority = readFile(service.caFile());
        EXPECT_NE(service.serverOutput().find("certificate authority for clients: " + service.caFile()),
                  std::string::npos);
    }
    MapServiceFixture again(options);
    EXPECT_EQ(readFile(again.caFile()), firstAuthority);
    EXPECT_EQ(again.get("/Veltar/config.json").status, 200);  // verified against the kept authority
}

TEST(ServerCommandIntegrationTest, StopsCleanlyOnSigterm) {
    MapServiceFixture service;
    EXPECT_EQ(service.stop(), 0);
    EXPECT_NE(service.serverOutput().find("stopped on signal"), std::string::npos) << service.serverOutput();
}

}  // namespace
