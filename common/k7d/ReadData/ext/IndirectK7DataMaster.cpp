#include "IndirectK7DataMaster.h"

#include <cstdlib>

#include "K7DataCtg.h"
#include "K7DataNumber.h"
#include "K7DataText.h"
#include "K7DataType.h"
#include "K7DataYmd.h"
#include "Log.h"
#include "ReadDataParam.h"

namespace {

template <typename T>
bool numberEquals(K7DataBase* record, const std::string& value) {
    auto* number = dynamic_cast<K7DataNumber<T>*>(record);
    return number != nullptr &&
           number->getContents() == static_cast<T>(std::strtoll(value.c_str(), nullptr, 10));
}

template <typename T>
bool textEquals(K7DataBase* record, const std::string& value) {
    auto* text = dynamic_cast<T*>(record);
    return text != nullptr && text->getContents() == value;
}

}  // namespace

IndirectK7DataMaster::~IndirectK7DataMaster() = default;

bool IndirectK7DataMaster::setDataPointer(K7DataCtg* table, K7DataCtg* conditions) {
    clear();
    if (table == nullptr || conditions == nullptr) {
        K7D_LOG_ERROR("", "table or conditions are null.");
        return false;
    }
    m_table = table;
    return setDataPointerMain(conditions);
}

bool IndirectK7DataMaster::setDataPointerMain(K7DataCtg* conditions) {
    makeConditionTypeGroup(m_columns, conditions);
    for (K7DataBase* child : m_table->getContents("ctg")) {
        auto* row = dynamic_cast<K7DataCtg*>(child);
        if (row == nullptr) continue;
        m_rows.push_back(row);
        RowRecords& records = m_rowRecords.emplace_back();
        for (const std::string& column : m_columns) {
            K7DataBase* record = findRecord(*row, column);
            if (record == nullptr) break;
            records[column].push_back(record);
        }
    }
    return true;
}

K7DataBase* IndirectK7DataMaster::findRecord(K7DataGroup& group, const std::string& tag) {
    const std::vector<K7DataBase*>& own = group.getContents(tag);
    if (!own.empty()) return own.front();
    for (K7DataBase* child : group.getContents("ctg")) {
        auto* inner = dynamic_cast<K7DataGroup*>(child);
        if (inner == nullptr) continue;
        if (K7DataBase* found = findRecord(*inner, tag)) return found;
    }
    return nullptr;
}

bool IndirectK7DataMaster::indirectData(std::vector<K7DataCtg*>& out, K7DataCtg* conditions) {
    if (conditions == nullptr) return false;
    std::vector<size_t> candidates;
    for (size_t row = 0; row < m_rows.size(); ++row) candidates.push_back(row);
    for (K7DataBase* child : conditions->getContents("ctg")) {
        if (auto* item = dynamic_cast<K7DataGroup*>(child)) filterRows(candidates, *item);
    }
    for (const size_t row : candidates) out.push_back(m_rows[row]);
    return true;
}

void IndirectK7DataMaster::filterRows(std::vector<size_t>& candidates, K7DataGroup& item) {
    std::string column;
    if (!ReadDataParam::firstText(item, "cln", column)) return;
    K7DataGroup* values = ReadDataParam::firstGroup(item, "ctg");
    const std::vector<std::string> accepted =
        values ? ReadDataParam::acceptedValues(*values) : std::vector<std::string>();
    std::vector<size_t> kept;
    for (const size_t row : candidates) {
        if (getHitRec(row, column, accepted)) kept.push_back(row);
    }
    candidates.swap(kept);
}

bool IndirectK7DataMaster::getHitRec(size_t row, const std::string& column,
                                     const std::vector<std::string>& values) {
    const auto found = m_rowRecords[row].find(column);
    if (found == m_rowRecords[row].end()) return false;
    for (const std::string& value : values) {
        for (K7DataBase* record : found->second) {
            if (compareCondition(record, value)) return true;
        }
    }
    return false;
}

bool IndirectK7DataMaster::checkConditionType(K7DataCtg* conditions) {
    if (conditions == nullptr) return false;
    std::vector<std::string> names;
    makeConditionTypeGroup(names, conditions);
    return names == m_columns;
}

bool IndirectK7DataMaster::compareCondition(K7DataBase* record, const std::string& value) {
    switch (record->getMajorType()) {
        case K7DATA_TYPE_TEXT:
            return textEquals<K7DataText>(record, value);
        case K7DATA_TYPE_NUMBER_UINT8:
            return numberEquals<uint8_t>(record, value);
        case K7DATA_TYPE_NUMBER_UINT16:
            return numberEquals<uint16_t>(record, value);
        case K7DATA_TYPE_NUMBER_UINT32:
            return numberEquals<uint32_t>(record, value);
        case K7DATA_TYPE_NUMBER_UINT64:
            return numberEquals<uint64_t>(record, value);
        case K7DATA_TYPE_YMD:
            return textEquals<K7DataYmd>(record, value);
        default:
            K7D_LOG_WARNING("", "Unsupported Contents Type. : [ ", record->getMajorType(), " ]");
            return false;
    }
}

void IndirectK7DataMaster::clear() {
    m_table = nullptr;
    m_rows.clear();
    m_columns.clear();
    m_rowRecords.clear();
}

void IndirectK7DataMaster::makeConditionTypeGroup(std::vector<std::string>& names,
                                                  K7DataCtg* conditions) {
    names.clear();
    for (K7DataBase* child : conditions->getContents("ctg")) {
        auto* item = dynamic_cast<K7DataGroup*>(child);
        std::string name;
        if (item != nullptr && ReadDataParam::firstText(*item, "cln", name)) names.push_back(name);
    }
}
