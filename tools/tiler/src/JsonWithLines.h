#ifndef TOLKMAPS_TILER_JSONWITHLINES_H
#define TOLKMAPS_TILER_JSONWITHLINES_H

#include <map>
#include <string>

#include <picojson.h>

// A parsed JSON document that remembers the line on which each value starts,
// so that whoever checks the values can name the line of a bad one. A value
// is addressed by its path: "" for the root, then "/key" for an object member
// and "/3" for an array element, joined ("/layers/2/section").
class JsonWithLines {
public:
    // Parses `text`; false with picojson's message (it names the line) in
    // `error` when the text is not JSON.
    bool parse(const std::string& text, std::string& error);
    const picojson::value& root() const { return m_root; }
    // The line of the value at `path`, or of its nearest parent that has one.
    int lineOf(const std::string& path) const;

private:
    picojson::value m_root;
    std::map<std::string, int> m_lines;
};

#endif
