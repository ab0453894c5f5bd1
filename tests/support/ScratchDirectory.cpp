#include "ScratchDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

ScratchDirectory::ScratchDirectory() {
    char pattern[] = "/tmp/tolkmaps-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
