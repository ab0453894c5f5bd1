#include "Log.h"

#include <cstdio>
#include <ctime>

bool Log::chkConsole = false;
int Log::chkFilterLevel = 2;
bool Log::chkLogFile = false;

void Log::logOutput(int level, const std::string& levelName, const std::string& sourcePath,
                    const std::string& functionName, const std::string& message) {
    if (!isEnabled(level)) return;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[48];
    char time[48];
    std::snprintf(date, sizeof date, "%4d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    // One formatted write per line so that lines of several threads do not interleave.
    std::printf("[%s %s][%s]:[%s][%s] : %s\n", date, time, levelName.c_str(), sourcePath.c_str(),
                functionName.c_str(), message.c_str());
    std::fflush(stdout);
}
