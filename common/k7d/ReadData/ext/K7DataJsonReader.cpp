#include "K7DataJsonReader.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "GeoDataLine.h"
#include "K7DataFactory.h"

void K7DataJsonReader::read(K7DataBase& record, const picojson::value& value) {
    K7DataJsonReader reader(value);
    K7DataVisit::visit(record, reader);
}

K7DataBase* K7DataJsonReader::makeRecord(const std::string& key, const picojson::value& value) {
    std::string tag = key.substr(0, 3);
    tag.resize(3, '\0');
    std::unique_ptr<K7DataBase> record(K7DataFactory::create(tag.data()));
    setRecord(*record, key, value);
    return record.release();
}

void K7DataJsonReader::setRecord(K7DataBase& record, const std::string& key,
                                 const picojson::value& value) {
    record.setType(key.substr(0, 3));
    record.setMajorType();
    read(record, value);
    record.setSize();
}

void K7DataJsonReader::operator()(K7DataBase&) {}

// Each element is an object whose first member (in key order) becomes a
// child; further members are reported and skipped.
void K7DataJsonReader::operator()(K7DataGroup& record) {
    for (const picojson::value& element : m_value.get<picojson::array>()) {
        const picojson::object& members = element.get<picojson::object>();
        auto member = members.begin();
        if (member == members.end()) continue;
        record.addContents(makeRecord(member->first, member->second));
        if (++member != members.end()) {
            // Written directly, whatever the log switches say.
            std::printf("ERROR : json object count over. < key = %s >\n", member->first.c_str());
            std::fflush(stdout);
        }
    }
    record.setSize();
}

void K7DataJsonReader::operator()(K7DataText& record) {
    record.editContents() = m_value.get<std::string>();
    record.setSize();
}

void K7DataJsonReader::operator()(K7DataColor& record) {
    _K7D_STR_COLOR& color = record.editContents();
    color.r = field<uint8_t>(0);
    color.g = field<uint8_t>(1);
    color.b = field<uint8_t>(2);
    color.a = field<uint8_t>(3);
}

void K7DataJsonReader::operator()(K7DataYmd& record) {
    const std::string& text = m_value.get<std::string>();
    record.init();
    if (text.size() < 8) throw std::out_of_range("date shorter than eight characters: " + text);
    std::copy(text.begin(), text.begin() + 8, record.editContents().begin());
}

void K7DataJsonReader::operator()(K7DataSimple<K7D_STR_VRS>& record) {
    for (size_t i = 0; i < 3; ++i) record.editContents().part[i] = field<uint8_t>(i);
}

void K7DataJsonReader::operator()(K7DataSimple<K7D_STR_DTY>& record) {
    for (size_t i = 0; i < 2; ++i) record.editContents().value[i] = field<uint16_t>(i);
}

void K7DataJsonReader::operator()(K7DataSimple<K7D_STR_CLM>& record) {
    record.editContents().position = field<uint8_t>(0);
    record.editContents().name = JsonNumber::element(m_value, 1).get<std::string>();
}

void K7DataJsonReader::operator()(K7DataSimple<K7D_STR_IML>& record) {
    K7D_STR_IML& place = record.editContents();
    place.x = field<uint16_t>(0);
    place.y = field<uint16_t>(1);
    place.width = field<uint16_t>(2);
    place.height = field<uint16_t>(3);
}

void K7DataJsonReader::operator()(K7DataSimple<K7D_STR_DFG>& record) {
    const uint8_t bits = JsonNumber::toField<uint8_t>(m_value.get<double>());
    for (int k = 0; k < K7D_STR_DFG::COUNT; ++k) record.editContents().flag[k] = (bits >> k) & 1;
}

void K7DataJsonReader::operator()(K7DataSimple<K7D_STR_LEY>& record) {
    for (size_t i = 0; i < 3; ++i) record.editContents().setting[i] = field<uint8_t>(i);
}

void K7DataJsonReader::appendPoints(GeoDataLine& line, const picojson::value& points) {
    for (const picojson::value& point : points.get<picojson::array>()) {
        line.addCoord(JsonNumber::field<double>(point, 0), JsonNumber::field<double>(point, 1));
    }
}
