#ifndef TOLKMAPS_TILER_RECIPEERROR_H
#define TOLKMAPS_TILER_RECIPEERROR_H

#include <stdexcept>
#include <string>

// A recipe that cannot be used: the file, the line at fault (0 when the
// fault has no line) and the reason, as "file:line: reason".
class RecipeError : public std::runtime_error {
public:
    RecipeError(const std::string& file, int line, const std::string& reason)
        : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + reason),
          m_line(line) {}
    int line() const { return m_line; }

private:
    int m_line;
};

#endif
