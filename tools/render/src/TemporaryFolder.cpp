#include "TemporaryFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>
#include <vector>

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
    const std::string pattern =
        (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) != nullptr) m_path = name.data();
}

TemporaryFolder::~TemporaryFolder() {
    if (m_path.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
