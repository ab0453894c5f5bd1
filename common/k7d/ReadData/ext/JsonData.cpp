#include "JsonData.h"

#include <stdexcept>

JsonData::JsonData() = default;

JsonData::JsonData(const picojson::value& value) : JsonDataPicojson(value) {}

JsonData::JsonData(const std::string& value) {
    setJsonStringValue(value);
}

JsonData::JsonData(const char* value) {
    setJsonStringValue(value);
}

JsonData::JsonData(double value) {
    setJsonNumberValue(value);
}

JsonData::JsonData(int value) {
    setJsonIntValue(value);
}

JsonData::JsonData(bool value) {
    setJsonBoolValue(value);
}

JsonData::JsonData(const std::vector<JsonData>& elements) {
    makeJsonArrayValue(elements);
}

JsonData::JsonData(const std::map<std::string, JsonData>& members) {
    makeJsonObjectValue(members);
}

JsonData::~JsonData() = default;

bool JsonData::parse(const char* text, size_t length, std::string& error) {
    picojson::value parsed;
    error.clear();
    try {
        const char* end = picojson::parse(parsed, text, text + length, &error);
        // Only blanks may follow the value.
        for (; error.empty() && end != text + length; ++end) {
            if (*end != ' ' && *end != '\t' && *end != '\r' && *end != '\n') {
                error = "text after the value at offset " + std::to_string(end - text);
            }
        }
    } catch (const std::exception& e) {
        // A number too large for a double.
        error = std::string("number out of range: ") + e.what();
    }
    m_value = error.empty() ? parsed : picojson::value();
    return error.empty();
}

std::string JsonData::serialize() const {
    return m_value.serialize();
}

void JsonData::makeJsonArrayValue(const std::vector<JsonData>& elements) {
    picojson::array array;
    array.reserve(elements.size());
    for (const JsonData& element : elements) array.push_back(element.m_value);
    setJsonArrayValue(array);
}

void JsonData::makeJsonObjectValue(const std::map<std::string, JsonData>& members) {
    picojson::object object;
    for (const auto& [key, member] : members) object.emplace(key, member.m_value);
    setJsonObjectValue(object);
}

std::vector<JsonData> JsonData::getJsonToArray() const {
    const picojson::array& array = m_value.get<picojson::array>();
    return std::vector<JsonData>(array.begin(), array.end());
}

std::map<std::string, JsonData> JsonData::getJsonToObject() const {
    const picojson::object& object = m_value.get<picojson::object>();
    return std::map<std::string, JsonData>(object.begin(), object.end());
}

bool JsonData::getBool() const {
    return m_value.get<bool>();
}

double JsonData::getNumber() const {
    return m_value.get<double>();
}

const std::string& JsonData::getString() const {
    return m_value.get<std::string>();
}
