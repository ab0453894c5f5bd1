#include "JsonWithLines.h"

namespace {

// picojson's parse context, extended to note where each member and element
// starts.
class LineContext : public picojson::default_parse_context {
public:
    LineContext(picojson::value* out, size_t depths, std::string path, std::map<std::string, int>& lines)
        : picojson::default_parse_context(out, depths), m_path(std::move(path)), m_lines(lines) {}

    template <typename Iter>
    bool parse_array_item(picojson::input<Iter>& in, size_t index) {
        auto& array = out_->get<picojson::array>();
        array.push_back(picojson::value());
        return parseChild(in, m_path + "/" + std::to_string(index), &array.back());
    }

    template <typename Iter>
    bool parse_object_item(picojson::input<Iter>& in, const std::string& key) {
        auto& object = out_->get<picojson::object>();
        return parseChild(in, m_path + "/" + key, &object[key]);
    }

private:
    template <typename Iter>
    bool parseChild(picojson::input<Iter>& in, const std::string& path, picojson::value* child) {
        in.skip_ws();
        m_lines[path] = in.line();
        LineContext context(child, depths_, path, m_lines);
        return picojson::_parse(context, in);
    }

    std::string m_path;
    std::map<std::string, int>& m_lines;
};

}  // namespace

bool JsonWithLines::parse(const std::string& text, std::string& error) {
    m_lines.clear();
    m_root = picojson::value();
    LineContext context(&m_root, picojson::DEFAULT_MAX_DEPTHS, "", m_lines);
    error.clear();
    picojson::_parse(context, text.begin(), text.end(), &error);
    return error.empty();
}

int JsonWithLines::lineOf(const std::string& path) const {
    std::string current = path;
    while (!current.empty()) {
        auto found = m_lines.find(current);
        if (found != m_lines.end()) return found->second;
        current.erase(current.rfind('/'));
    }
    return 1;
}
