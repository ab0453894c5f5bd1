#include "K7DataJsonWriter.h"

#include "GeoBasePoint.h"

picojson::value K7DataJsonWriter::write(K7DataBase& record) {
    K7DataJsonWriter writer;
    return K7DataVisit::visit(record, writer);
}

picojson::value K7DataJsonWriter::operator()(K7DataBase&) {
    return picojson::value();
}

picojson::value K7DataJsonWriter::operator()(K7DataGroup& record) {
    picojson::array children;
    children.reserve(record.getContents().size());
    for (K7DataBase* child : record.getContents()) {
        picojson::object member;
        member.emplace(child->getType(), write(*child));
        children.emplace_back(member);
    }
    return picojson::value(children);
}

picojson::value K7DataJsonWriter::operator()(K7DataText& record) {
    return picojson::value(record.getContents());
}

picojson::value K7DataJsonWriter::operator()(K7DataColor& record) {
    const _K7D_STR_COLOR& color = record.getContents();
    return numbers({double(color.r), double(color.g), double(color.b), double(color.a)});
}

// All eight date characters, so that a 0 byte among them reads back as it stands.
picojson::value K7DataJsonWriter::operator()(K7DataYmd& record) {
    const auto& date = record.editContents();
    return picojson::value(std::string(date.data(), 8));
}

picojson::value K7DataJsonWriter::operator()(K7DataSimple<K7D_STR_VRS>& record) {
    const uint8_t* part = record.getContents().part;
    return numbers({double(part[0]), double(part[1]), double(part[2])});
}

picojson::value K7DataJsonWriter::operator()(K7DataSimple<K7D_STR_DTY>& record) {
    const uint16_t* value = record.getContents().value;
    return numbers({double(value[0]), double(value[1])});
}

picojson::value K7DataJsonWriter::operator()(K7DataSimple<K7D_STR_CLM>& record) {
    const K7D_STR_CLM& column = record.getContents();
    return picojson::value(
        picojson::array{picojson::value(double(column.position)), picojson::value(column.name)});
}

picojson::value K7DataJsonWriter::operator()(K7DataSimple<K7D_STR_IML>& record) {
    const K7D_STR_IML& place = record.getContents();
    return numbers({double(place.x), double(place.y), double(place.width), double(place.height)});
}

picojson::value K7DataJsonWriter::operator()(K7DataSimple<K7D_STR_DFG>& record) {
    unsigned bits = 0;
    for (int k = 0; k < K7D_STR_DFG::COUNT; ++k) {
        if (record.getContents().flag[k]) bits |= 1u << k;
    }
    return picojson::value(double(bits));
}

picojson::value K7DataJsonWriter::operator()(K7DataSimple<K7D_STR_LEY>& record) {
    const uint8_t* setting = record.getContents().setting;
    return numbers({double(setting[0]), double(setting[1]), double(setting[2])});
}

picojson::value K7DataJsonWriter::numbers(const std::vector<double>& values) {
    picojson::array array;
    array.reserve(values.size());
    for (const double value : values) array.emplace_back(value);
    return picojson::value(array);
}

picojson::value K7DataJsonWriter::point(const GeoBasePoint& point) {
    return numbers({point.x(), point.y()});
}

picojson::value K7DataJsonWriter::points(const std::vector<GeoBasePoint>& line) {
    picojson::array array;
    array.reserve(line.size());
    for (const GeoBasePoint& each : line) array.push_back(point(each));
    return picojson::value(array);
}
