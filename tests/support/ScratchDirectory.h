#ifndef TOLKMAPS_TESTS_SCRATCHDIRECTORY_H
#define TOLKMAPS_TESTS_SCRATCHDIRECTORY_H

#include <string>

// A fresh directory under /tmp for one test, removed with everything in it
// when the object goes.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return m_path; }
    // path() + "/" + relative
    std::string file(const std::string& relative) const { return m_path + "/" + relative; }

private:
    std::string m_path;
};

#endif
