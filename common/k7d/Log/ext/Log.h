#ifndef TOLKMAPS_K7D_LOG_H
#define TOLKMAPS_K7D_LOG_H

#include <sstream>
#include <string>

// Process-wide log writer. Each call writes at most one line to standard output:
//   "[YYYY-MM-DD hh:mm:ss][level name]:[source path][function] : message\n"
// Lines are written only while `chkConsole` is set and the level is at least
// `chkFilterLevel`. Levels: 1 "debug", 2 "info", 3 "warning", 4 "error".
// Any thread may call it; the switches are only read here, the host sets them.
class Log {
public:
    static bool chkConsole;
    static int chkFilterLevel;
    static bool chkLogFile;

    static void logOutput(int level, const std::string& levelName, const std::string& sourcePath,
                          const std::string& functionName, const std::string& message);

    // Appends each value to the message, each followed by one blank, as a
    // default-formatted text stream writes it (8-bit integers as numbers).
    template <typename... Values>
    static void logOutput(int level, const std::string& levelName, const std::string& sourcePath,
                          const std::string& functionName, const std::string& message,
                          const Values&... values) {
        if (!isEnabled(level)) return;
        std::ostringstream text;
        text << message;
        (appendValue(text, values), ...);
        logOutput(level, levelName, sourcePath, functionName, text.str());
    }

    static bool isEnabled(int level) { return chkConsole && level >= chkFilterLevel; }

private:
    template <typename T>
    static void appendValue(std::ostringstream& text, const T& value) {
        text << value << ' ';
    }
    static void appendValue(std::ostringstream& text, unsigned char value) {
        text << static_cast<unsigned>(value) << ' ';
    }
    static void appendValue(std::ostringstream& text, signed char value) {
        text << static_cast<int>(value) << ' ';
    }
};

// Shorthands that pass the calling source file and function.
#define K7D_LOG_DEBUG(...) Log::logOutput(1, "debug", __FILE__, __func__, __VA_ARGS__)
#define K7D_LOG_INFO(...) Log::logOutput(2, "info", __FILE__, __func__, __VA_ARGS__)
#define K7D_LOG_WARNING(...) Log::logOutput(3, "warning", __FILE__, __func__, __VA_ARGS__)
#define K7D_LOG_ERROR(...) Log::logOutput(4, "error", __FILE__, __func__, __VA_ARGS__)

#endif
