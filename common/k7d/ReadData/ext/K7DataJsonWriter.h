#ifndef TOLKMAPS_K7D_K7DATAJSONWRITER_H
#define TOLKMAPS_K7D_K7DATAJSONWRITER_H

#include <picojson.h>

#include <cstdint>
#include <vector>

#include "K7DataVisit.h"

class GeoBasePoint;

// Builds the JSON form of one record (see K7DataJson), one overload per
// value class; used through K7DataVisit.
class K7DataJsonWriter {
public:
    static picojson::value write(K7DataBase& record);

    picojson::value operator()(K7DataBase& record);
    picojson::value operator()(K7DataGroup& record);
    picojson::value operator()(K7DataText& record);
    picojson::value operator()(K7DataColor& record);
    picojson::value operator()(K7DataYmd& record);
    picojson::value operator()(K7DataSimple<K7D_STR_VRS>& record);
    picojson::value operator()(K7DataSimple<K7D_STR_DTY>& record);
    picojson::value operator()(K7DataSimple<K7D_STR_CLM>& record);
    picojson::value operator()(K7DataSimple<K7D_STR_IML>& record);
    picojson::value operator()(K7DataSimple<K7D_STR_DFG>& record);
    picojson::value operator()(K7DataSimple<K7D_STR_LEY>& record);

    template <typename T>
    picojson::value operator()(K7DataPosition<T>& record) {
        return numbers({static_cast<double>(record.getContents().x),
                        static_cast<double>(record.getContents().y)});
    }
    template <typename T>
    picojson::value operator()(K7DataNumber<T>& record) {
        return picojson::value(static_cast<double>(record.getContents()));
    }
    template <typename T>
    picojson::value operator()(K7DataImPixel<T>& record) {
        const K7D_STR_IMPIXEL<T>& image = record.getContents();
        return picojson::value(picojson::array{
            numbers({double(image.samplesPerPixel), double(image.width), double(image.height)}),
            numbers(std::vector<double>(image.samples.begin(), image.samples.end()))});
    }
    template <typename T>
    picojson::value operator()(K7DataPoint<T>& record) {
        return point(record.getContents());
    }
    template <typename T>
    picojson::value operator()(K7DataLine<T>& record) {
        return points(record.getContents().getLine());
    }
    template <typename T>
    picojson::value operator()(K7DataPoly<T>& record) {
        picojson::array rings;
        for (const auto& ring : record.getContents().getPoly()) rings.push_back(points(ring));
        return picojson::value(rings);
    }
    template <typename T>
    picojson::value operator()(K7DataPupLine<T>& record) {
        return picojson::value(picojson::array{points(record.getContents().getLine()),
                                               picojson::value(record.getText())});
    }

private:
    static picojson::value numbers(const std::vector<double>& values);
    static picojson::value point(const GeoBasePoint& point);
    static picojson::value points(const std::vector<GeoBasePoint>& line);
};

#endif
