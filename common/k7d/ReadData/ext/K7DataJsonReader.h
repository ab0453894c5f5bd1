#ifndef TOLKMAPS_K7D_K7DATAJSONREADER_H
#define TOLKMAPS_K7D_K7DATAJSONREADER_H

#include <picojson.h>

#include <cstdint>

#include "JsonNumber.h"
#include "K7DataVisit.h"

class GeoDataLine;

// Sets the value of one record from its JSON form (see K7DataJson), one
// overload per value class; used through K7DataVisit. Fixed shapes take the
// elements they need from the front of their array and ignore the rest.
class K7DataJsonReader {
public:
    explicit K7DataJsonReader(const picojson::value& value) : m_value(value) {}

    static void read(K7DataBase& record, const picojson::value& value);
    // A new record of the class that the tag table gives for `key`, with the
    // key's first three characters as its tag and its value read from
    // `value`; the caller owns it.
    static K7DataBase* makeRecord(const std::string& key, const picojson::value& value);
    // Takes the key's first three characters as the tag, sets the type code,
    // reads the value and recomputes the size.
    static void setRecord(K7DataBase& record, const std::string& key, const picojson::value& value);

    void operator()(K7DataBase& record);
    void operator()(K7DataGroup& record);
    void operator()(K7DataText& record);
    void operator()(K7DataColor& record);
    void operator()(K7DataYmd& record);
    void operator()(K7DataSimple<K7D_STR_VRS>& record);
    void operator()(K7DataSimple<K7D_STR_DTY>& record);
    void operator()(K7DataSimple<K7D_STR_CLM>& record);
    void operator()(K7DataSimple<K7D_STR_IML>& record);
    void operator()(K7DataSimple<K7D_STR_DFG>& record);
    void operator()(K7DataSimple<K7D_STR_LEY>& record);

    template <typename T>
    void operator()(K7DataPosition<T>& record) {
        record.editContents().x = field<T>(0);
        record.editContents().y = field<T>(1);
    }
    template <typename T>
    void operator()(K7DataNumber<T>& record) {
        record.editContents() = JsonNumber::toField<T>(m_value.get<double>());
    }
    template <typename T>
    void operator()(K7DataImPixel<T>& record) {
        const picojson::value& header = JsonNumber::element(m_value, 0);
        const picojson::array& samples = JsonNumber::element(m_value, 1).get<picojson::array>();
        K7D_STR_IMPIXEL<T>& image = record.editContents();
        image.samplesPerPixel = JsonNumber::field<uint8_t>(header, 0);
        image.width = JsonNumber::field<uint16_t>(header, 1);
        image.height = JsonNumber::field<uint16_t>(header, 2);
        image.samples.clear();
        image.samples.reserve(samples.size());
        for (const picojson::value& sample : samples) {
            image.samples.push_back(JsonNumber::toField<T>(sample.get<double>()));
        }
    }
    template <typename T>
    void operator()(K7DataPoint<T>& record) {
        record.editContents().setCoord(field<double>(0), field<double>(1));
    }
    template <typename T>
    void operator()(K7DataLine<T>& record) {
        appendPoints(record.editContents(), m_value);
    }
    template <typename T>
    void operator()(K7DataPoly<T>& record);
    template <typename T>
    void operator()(K7DataPupLine<T>& record) {
        appendPoints(record.editContents(), JsonNumber::element(m_value, 0));
        record.editText() = JsonNumber::element(m_value, 1).get<std::string>();
    }

private:
    template <typename T>
    T field(size_t index) const {
        return JsonNumber::field<T>(m_value, index);
    }
    // Appends each [x, y] of an array of points to `line`.
    static void appendPoints(GeoDataLine& line, const picojson::value& points);

    const picojson::value& m_value;
};

template <typename T>
void K7DataJsonReader::operator()(K7DataPoly<T>& record) {
    const picojson::array& rings = m_value.get<picojson::array>();
    GeoDataPoly& poly = record.editContents();
    for (size_t ring = 0; ring < rings.size(); ++ring) {
        if (ring > 0) poly.addPoly();
        for (const picojson::value& point : rings[ring].get<picojson::array>()) {
            poly.addCoord(JsonNumber::field<double>(point, 0), JsonNumber::field<double>(point, 1));
        }
    }
}

#endif
