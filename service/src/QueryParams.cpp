#include "QueryParams.h"

#include "RequestError.h"

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string decode(const std::string& text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            decoded += ' ';
        } else if (text[i] != '%') {
            decoded += text[i];
        } else {
            int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
            int low = high >= 0 ? hexValue(text[i + 2]) : -1;
            if (low < 0) throw RequestError(400, "broken percent escape in the query");
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return decoded;
}

}  // namespace

QueryParams::Params QueryParams::parse(const std::string& target) {
    Params params;
    size_t question = target.find('?');
    if (question == std::string::npos) return params;
    const std::string query = target.substr(question + 1);
    size_t start = 0;
    while (start < query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        const std::string piece = query.substr(start, end - start);
        if (!piece.empty()) {
            size_t equals = piece.find('=');
            params.emplace(decode(piece.substr(0, equals)),
                           equals == std::string::npos ? std::string() : decode(piece.substr(equals + 1)));
        }
        start = end + 1;
    }
    return params;
}

std::string QueryParams::single(const Params& params, const std::string& name) {
    return several(params, name, 1).front();
}

std::vector<std::string> QueryParams::several(const Params& params, const std::string& name,
                                              size_t most) {
    size_t count = params.count(name);
    if (count == 0) throw RequestError(400, "missing parameter " + name);
    if (count > most)
        throw RequestError(400, "parameter " + name + " given " + std::to_string(count) +
                                    " times, at most " + std::to_string(most) + " allowed");
    std::vector<std::string> values;
    auto range = params.equal_range(name);
    for (auto it = range.first; it != range.second; ++it) values.push_back(it->second);
    return values;
}
