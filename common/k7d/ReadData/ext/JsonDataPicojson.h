#ifndef TOLKMAPS_K7D_JSONDATAPICOJSON_H
#define TOLKMAPS_K7D_JSONDATAPICOJSON_H

#include <picojson.h>

#include <string>

// Holds one JSON value of the parser library and replaces it by kind.
// Numbers are doubles; a NaN or infinite double is refused with
// std::overflow_error. Adding to a value of the wrong kind, and reading a
// value as the wrong kind, throws std::runtime_error (the library's
// type-mismatch error).
class JsonDataPicojson {
public:
    JsonDataPicojson() = default;
    explicit JsonDataPicojson(const picojson::value& value) : m_value(value) {}
    virtual ~JsonDataPicojson();

    void setJsonStringValue(const std::string& value);
    void setJsonNumberValue(double value);
    void setJsonIntValue(int value);
    void setJsonBoolValue(bool value);
    void setJsonArrayValue(const picojson::array& value);
    void setJsonObjectValue(const picojson::object& value);

    // Appends to an array value.
    void pushBack(const JsonDataPicojson& element);
    // Sets member `key` of an object value.
    void insert(const std::string& key, const JsonDataPicojson& member);

    const picojson::value& getPicojsonValue() const { return m_value; }

protected:
    picojson::value m_value;
};

#endif
