#ifndef TOLKMAPS_K7D_JSONDATA_H
#define TOLKMAPS_K7D_JSONDATA_H

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "JsonDataPicojson.h"

// One JSON value: null, boolean, number (a double), string, array or object.
// Copies are deep. Reading a value as another kind throws std::runtime_error;
// a NaN or infinite double is refused with std::overflow_error. Objects keep
// their members in ascending byte order of the keys.
class JsonData : public JsonDataPicojson {
public:
    JsonData();
    explicit JsonData(const picojson::value& value);
    JsonData(const std::string& value);
    JsonData(const char* value);
    JsonData(double value);
    JsonData(int value);
    JsonData(bool value);
    JsonData(const std::vector<JsonData>& elements);
    JsonData(const std::map<std::string, JsonData>& members);
    ~JsonData() override;

    // Parses one JSON text of `length` bytes, reading no further. Answers
    // false, with the parser's reason in `error` and this value null, when
    // the text is not one well-formed JSON value (trailing blanks allowed).
    bool parse(const char* text, size_t length, std::string& error);
    // The value as compact JSON text.
    std::string serialize() const;

    void makeJsonArrayValue(const std::vector<JsonData>& elements);
    void makeJsonObjectValue(const std::map<std::string, JsonData>& members);

    // The elements, as new values.
    std::vector<JsonData> getJsonToArray() const;
    // The members, as new values, in ascending byte order of the keys.
    std::map<std::string, JsonData> getJsonToObject() const;

    bool isNull() const { return m_value.is<picojson::null>(); }
    bool isBool() const { return m_value.is<bool>(); }
    bool isNumber() const { return m_value.is<double>(); }
    bool isString() const { return m_value.is<std::string>(); }
    bool isArray() const { return m_value.is<picojson::array>(); }
    bool isObject() const { return m_value.is<picojson::object>(); }

    bool getBool() const;
    double getNumber() const;
    const std::string& getString() const;

    bool operator==(const JsonData& other) const { return m_value == other.m_value; }
    bool operator!=(const JsonData& other) const { return !(*this == other); }
};

#endif
