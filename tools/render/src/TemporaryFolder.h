#ifndef TOLKMAPS_RENDER_TEMPORARYFOLDER_H
#define TOLKMAPS_RENDER_TEMPORARYFOLDER_H

#include <string>

// A fresh folder under the system's temporary directory, removed with its
// content when the object goes. Empty path when it could not be made.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

#endif
