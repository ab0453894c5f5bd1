#include "JsonDataPicojson.h"

JsonDataPicojson::~JsonDataPicojson() = default;

void JsonDataPicojson::setJsonStringValue(const std::string& value) {
    m_value = picojson::value(value);
}

void JsonDataPicojson::setJsonNumberValue(double value) {
    m_value = picojson::value(value);
}

void JsonDataPicojson::setJsonIntValue(int value) {
    m_value = picojson::value(static_cast<double>(value));
}

void JsonDataPicojson::setJsonBoolValue(bool value) {
    m_value = picojson::value(value);
}

void JsonDataPicojson::setJsonArrayValue(const picojson::array& value) {
    m_value = picojson::value(value);
}

void JsonDataPicojson::setJsonObjectValue(const picojson::object& value) {
    m_value = picojson::value(value);
}

void JsonDataPicojson::pushBack(const JsonDataPicojson& element) {
    m_value.get<picojson::array>().push_back(element.m_value);
}

void JsonDataPicojson::insert(const std::string& key, const JsonDataPicojson& member) {
    m_value.get<picojson::object>()[key] = member.m_value;
}
