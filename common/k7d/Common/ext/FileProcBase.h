#ifndef TOLKMAPS_K7D_FILEPROCBASE_H
#define TOLKMAPS_K7D_FILEPROCBASE_H

#include <string>
#include <vector>

// Path helpers with file-system hooks. The hooks (checkFile, checkDir,
// getAllFilePath, getAllFilePathWithSubDir, createDir) answer true here; a
// platform subclass gives them behaviour. Messages are logged at level "error".
class FileProcBase {
public:
    enum DIR_OPT { DIR_MUST_EXIST = 0, DIR_CREATE = 1 };

    virtual ~FileProcBase() = default;

    // Fills `out` with the files of `directory` ("./" when empty), with or
    // without subdirectories. Refuses a path that looks like a file name.
    virtual bool getAllFilePathInDir(std::vector<std::string>& out, std::string directory,
                                     bool withSubDir);
    // Appends "/" unless the path is empty or already ends with one.
    virtual void appendSlash(std::string& path);
    // The directory part of a file path; a path without "." is answered unchanged.
    virtual std::string fetchDirName(const std::string& path);
    // Option 0: the directory must exist; option 1: create it.
    virtual bool checkDirWithOpt(const std::string& path, int option);
    virtual bool checkFile(const std::string& path);
    virtual bool checkDir(const std::string& path);
    virtual bool getAllFilePath(std::vector<std::string>& out, const std::string& directory);
    virtual bool getAllFilePathWithSubDir(std::vector<std::string>& out,
                                          const std::string& directory);
    virtual bool createDir(const std::string& path);

    // The text after the last "."; empty (and logged) when there is none.
    std::string getExtension(const std::string& path) const;
};

#endif
