#include "FileProcBase.h"

#include "Log.h"

bool FileProcBase::getAllFilePathInDir(std::vector<std::string>& out, std::string directory,
                                       bool withSubDir) {
    if (directory.empty()) directory = "./";
    const auto lastDot = directory.rfind('.');
    const auto lastSlash = directory.rfind('/');
    const bool looksLikeFile =
        lastDot != std::string::npos && (lastSlash == std::string::npos || lastDot > lastSlash);
    if (looksLikeFile) {
        K7D_LOG_ERROR("parameter is not directory.");
        return false;
    }
    if (!checkDir(directory)) return false;
    return withSubDir ? getAllFilePathWithSubDir(out, directory) : getAllFilePath(out, directory);
}

void FileProcBase::appendSlash(std::string& path) {
    if (!path.empty() && path.back() != '/') path += '/';
}

std::string FileProcBase::fetchDirName(const std::string& path) {
    if (path.find('.') == std::string::npos) return path;
    const auto lastSlash = path.rfind('/');
    if (lastSlash == std::string::npos || lastSlash == 0) {
        K7D_LOG_ERROR("It is a not directory.");
        return "";
    }
    return path.substr(0, lastSlash);
}

bool FileProcBase::checkDirWithOpt(const std::string& path, int option) {
    switch (option) {
        case DIR_MUST_EXIST:
            if (checkDir(path)) return true;
            K7D_LOG_ERROR("directory not found.");
            return false;
        case DIR_CREATE:
            if (createDir(path)) return true;
            K7D_LOG_ERROR("failed to create the directory.");
            return false;
        default:
            K7D_LOG_ERROR("expected option.");
            return false;
    }
}

bool FileProcBase::checkFile(const std::string&) { return true; }
bool FileProcBase::checkDir(const std::string&) { return true; }
bool FileProcBase::getAllFilePath(std::vector<std::string>&, const std::string&) { return true; }
bool FileProcBase::getAllFilePathWithSubDir(std::vector<std::string>&, const std::string&) {
    return true;
}
bool FileProcBase::createDir(const std::string&) { return true; }

std::string FileProcBase::getExtension(const std::string& path) const {
    const auto lastDot = path.rfind('.');
    if (lastDot == std::string::npos) {
        K7D_LOG_ERROR("getExtension Error");
        return "";
    }
    return path.substr(lastDot + 1);
}
