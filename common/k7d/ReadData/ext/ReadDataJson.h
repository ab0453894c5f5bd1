#ifndef TOLKMAPS_K7D_READDATAJSON_H
#define TOLKMAPS_K7D_READDATAJSON_H

#include <string>

#include "JsonData.h"
#include "ReadDataBase.h"

// Reads a JSON text file whose top value is an array in the JSON form of a
// group (see K7DataJson): getData sets the result's tag to "ctg" and appends
// one child per element. It takes no parameters. A file that is not one
// well-formed JSON value, a top value that is not an array, and an element
// of the wrong shape are refused with a logged reason; the result then gets
// no new children.
class ReadDataJson : public ReadDataBase {
public:
    ~ReadDataJson() override;

protected:
    bool setParamMain(K7DataCtg* parameters) override;
    bool putReadData() override;
    bool clearRead() override;
    bool clearData() override;
    bool readDataFile(AreaInfoBase* area) override;
    // Parses the whole text into m_json.
    bool analyzeData() override;

    std::string m_text;
    JsonData m_json;
};

#endif
