#include "K7DataJson.h"

#include "K7DataBase.h"
#include "K7DataJsonReader.h"
#include "K7DataJsonWriter.h"

JsonData K7DataJson::makeJson(K7DataBase& record) {
    return JsonData(K7DataJsonWriter::write(record));
}

void K7DataJson::setFromJson(K7DataBase& record, const JsonData& value) {
    K7DataJsonReader::read(record, value.getPicojsonValue());
    record.setSize();
}

void K7DataJson::setJson(K7DataBase& record, const Pair& pair) {
    K7DataJsonReader::setRecord(record, pair.first, pair.second.getPicojsonValue());
}

K7DataBase* K7DataJson::makeK7Data(const Pair& pair) {
    return K7DataJsonReader::makeRecord(pair.first, pair.second.getPicojsonValue());
}
