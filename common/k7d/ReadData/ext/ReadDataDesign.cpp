#include "ReadDataDesign.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <type_traits>

#include "K7DataAdp.h"
#include "K7DataAnc.h"
#include "K7DataAns.h"
#include "K7DataAtg.h"
#include "K7DataCnr.h"
#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataDfp.h"
#include "K7DataFtn.h"
#include "K7DataIcn.h"
#include "K7DataLbc.h"
#include "K7DataLey.h"
#include "K7DataLgt.h"
#include "K7DataLnc.h"
#include "K7DataLng.h"
#include "K7DataLnp.h"
#include "K7DataLnw.h"
#include "K7DataMgn.h"
#include "K7DataOfs.h"
#include "K7DataPgg.h"
#include "K7DataPyc.h"
#include "K7DataRmc.h"
#include "K7DataRmw.h"
#include "K7DataScl.h"
#include "K7DataVtc.h"
#include "Log.h"
#include "TextSplit.h"

namespace {

// Columns (from 0) of the three kinds of rows.
enum PointColumn : unsigned {
    POINT_NAME = 2,
    POINT_LEVEL,
    POINT_OFFSET,
    POINT_FLAG,
    POINT_ICON,
    POINT_LANGUAGE,
    POINT_FONT,
    POINT_TEXT_COLOR,
    POINT_TEXT_SIZE,
    POINT_PLATE_COLOR,
    POINT_MARGIN,
    POINT_CORNER,
    POINT_FRAME_COLOR,
    POINT_FRAME_WIDTH,
    POINT_BORDER_COLOR,
    POINT_BORDER_WIDTH,
    POINT_VERTICAL,
    POINT_TEXT_POSITION
};
enum LineColumn : unsigned { LINE_COLOR = 4, LINE_WIDTH, LINE_ENDS, LINE_OFFSET, LINE_PATTERN };
enum AreaColumn : unsigned { AREA_COLOR = 4, AREA_ICON, AREA_OFFSET };
constexpr unsigned NAME = 2;
constexpr unsigned LEVEL = 3;
constexpr long long MIN_LEVEL = 1;
constexpr long long MAX_LEVEL = 23;
const char* const DEFAULT_LANGUAGE = "jpn";
// The "lbc" value of a "\r\n" line break.
constexpr uint8_t CRLF_LINE_BREAK = 1;

constexpr unsigned item(unsigned column) {
    return column + 1;
}

long long toInteger(const std::string& number) {
    return std::strtoll(number.c_str(), nullptr, 10);
}

float toFloat(const std::string& number) {
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isfinite(value))
        return static_cast<float>(std::fmax(-FLT_MAX, std::fmin(FLT_MAX, value)));
    return static_cast<float>(value);
}

}  // namespace

ReadDataDesign::ReadDataDesign() {
    clearData();
}

ReadDataDesign::~ReadDataDesign() = default;

bool ReadDataDesign::isNumber(const std::string& field) {
    const size_t start = (!field.empty() && field[0] == '-') ? 1 : 0;
    if (start == field.size()) return false;
    if (field[start] == '0' && start + 1 < field.size() && field[start + 1] != '.') return false;
    unsigned digits = 0;
    unsigned dots = 0;
    for (size_t i = start; i < field.size(); ++i) {
        if (field[i] == '.') {
            if (++dots > 1) return false;
        } else if (field[i] >= '0' && field[i] <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    return digits > 0;
}

K7DataCtg* ReadDataDesign::readTable(const std::string& path) {
    ReadDataDesign reader;
    if (!reader.read(path)) return nullptr;
    K7DataCtg parameters;
    auto* lineBreak = new K7DataLbc();
    lineBreak->editContents() = CRLF_LINE_BREAK;
    parameters.addContents(lineBreak);
    if (!reader.setParam(&parameters)) return nullptr;
    auto result = std::make_unique<K7DataCtg>();
    return reader.getData(result.get()) ? result.release() : nullptr;
}

bool ReadDataDesign::clearData() {
    m_lineAreaDesigns = std::make_unique<K7DataCtg>();
    m_pointDesignGroups = std::make_unique<K7DataCtg>();
    m_pointDesigns.clear();
    return true;
}

bool ReadDataDesign::putCsvData(const std::string& line, uint32_t row) {
    TextSplit split(m_csv.getDelimiter());
    split.setString(line);
    Columns columns;
    const uint32_t count = split.getSize();
    for (uint32_t i = 0; i < count; ++i) columns.push_back(split.getData(i));
    const int kind = columns.size() > 1 ? std::atoi(columns[1].c_str()) : 0;
    const std::string rowText = std::to_string(static_cast<uint64_t>(row) + 1);
    if (kind < DESIGN_TYPE_POINT || kind > DESIGN_TYPE_AREA) {
        K7D_LOG_ERROR(rowText + "行目レコード 指定された形状種別は未対応です :", kind);
        return false;
    }
    const uint32_t least = kind == DESIGN_TYPE_POINT  ? POINT_COLUMNS
                           : kind == DESIGN_TYPE_LINE ? LINE_COLUMNS
                                                      : AREA_COLUMNS;
    if (count < least) {
        K7D_LOG_ERROR(rowText + "行目のカラム数が不正です", count);
        return false;
    }
    m_report.start(row + 1);
    const bool converted = putRow(kind, columns);
    if (!converted) K7D_LOG_ERROR(m_report.getText());
    return converted;
}

bool ReadDataDesign::setCsvData() {
    if (m_coreData == nullptr) return false;
    m_coreData->addContents(m_lineAreaDesigns.release());
    m_coreData->addContents(m_pointDesignGroups.release());
    return clearData();
}

bool ReadDataDesign::putRow(int kind, const Columns& columns) {
    switch (kind) {
        case DESIGN_TYPE_POINT:
            return putPointRow(columns);
        case DESIGN_TYPE_LINE:
            return putLineRow(columns);
        default:
            return putAreaRow(columns);
    }
}

bool ReadDataDesign::putPointRow(const Columns& columns) {
    m_report.beginRequiredSection();
    bool converted = checkPointRequired(columns);
    m_report.beginColumnSection();
    if (columns[NAME].empty() || columns[LEVEL].empty()) return false;
    PointDesign* design = nullptr;
    const auto found = m_pointDesigns.find({columns[NAME], columns[LEVEL]});
    if (found == m_pointDesigns.end()) {
        design = makePointDesign(columns, converted);
    } else {
        design = &found->second;
    }
    converted &= putDecoration(columns, *design);
    return converted;
}

bool ReadDataDesign::putLineRow(const Columns& columns) {
    m_report.beginRequiredSection();
    bool converted = checkLineRequired(columns);
    m_report.beginColumnSection();
    auto* group = new K7DataLng();
    m_lineAreaDesigns->addContents(group);
    if (!columns[NAME].empty()) putText<K7DataDcn>(*group, columns[NAME]);
    converted &= putInteger<K7DataScl>(*group, columns, LEVEL, MIN_LEVEL, MAX_LEVEL);
    converted &= putColor<K7DataLnc>(*group, columns, LINE_COLOR);
    converted &= putFloat<K7DataLnw>(*group, columns, LINE_WIDTH);
    converted &= putEndSettings(*group, columns, LINE_ENDS);
    converted &= putOffset(*group, columns, LINE_OFFSET);
    converted &= putPattern(*group, columns, LINE_PATTERN);
    return converted;
}

bool ReadDataDesign::putAreaRow(const Columns& columns) {
    m_report.beginRequiredSection();
    bool converted = checkAreaRequired(columns);
    m_report.beginColumnSection();
    auto* group = new K7DataPgg();
    m_lineAreaDesigns->addContents(group);
    if (!columns[NAME].empty()) putText<K7DataDcn>(*group, columns[NAME]);
    converted &= putInteger<K7DataScl>(*group, columns, LEVEL, MIN_LEVEL, MAX_LEVEL);
    converted &= putColor<K7DataPyc>(*group, columns, AREA_COLOR);
    converted &= putInteger<K7DataIcn>(*group, columns, AREA_ICON, 1, 0);
    converted &= putOffset(*group, columns, AREA_OFFSET);
    return converted;
}

bool ReadDataDesign::checkNameAndLevel(const Columns& columns) {
    bool present = true;
    if (columns[NAME].empty()) {
        m_report.missing(item(NAME), " デザインカテゴリ名称がありません");
        present = false;
    }
    if (columns[LEVEL].empty()) {
        m_report.missing(item(LEVEL), " スケールレベルがありません");
        present = false;
    }
    return present;
}

bool ReadDataDesign::checkPointRequired(const Columns& columns) {
    bool present = checkNameAndLevel(columns);
    bool labelled = false;
    for (unsigned column = POINT_LANGUAGE; column <= POINT_TEXT_SIZE; ++column) {
        labelled |= !columns[column].empty();
    }
    if (!labelled) {
        if (!columns[POINT_ICON].empty()) return present;
        m_report.missingAll(
            {item(POINT_ICON), item(POINT_FONT), item(POINT_TEXT_COLOR), item(POINT_TEXT_SIZE)},
            "記号番号 又は 文字装飾がありません");
        return false;
    }
    const std::pair<unsigned, const char*> label[] = {{POINT_FONT, " フォント名がありません"},
                                                      {POINT_TEXT_COLOR, " 文字色がありません"},
                                                      {POINT_TEXT_SIZE, " 文字サイズがありません"}};
    for (const auto& required : label) {
        if (!columns[required.first].empty()) continue;
        m_report.missing(item(required.first), required.second);
        present = false;
    }
    return present;
}

bool ReadDataDesign::checkLineRequired(const Columns& columns) {
    bool present = checkNameAndLevel(columns);
    if (columns[LINE_COLOR].empty()) {
        m_report.missing(item(LINE_COLOR), " 線色がありません");
        present = false;
    }
    if (columns[LINE_WIDTH].empty()) {
        m_report.missing(item(LINE_WIDTH), " 線幅がありません");
        present = false;
    }
    return present;
}

bool ReadDataDesign::checkAreaRequired(const Columns& columns) {
    bool present = checkNameAndLevel(columns);
    if (columns[AREA_COLOR].empty() && columns[AREA_ICON].empty()) {
        m_report.missingAll({item(AREA_ICON), item(AREA_COLOR)}, "面色 又は 記号番号がありません");
        present = false;
    }
    return present;
}

ReadDataDesign::PointDesign* ReadDataDesign::makePointDesign(const Columns& columns,
                                                             bool& converted) {
    auto* group = new K7DataAtg();
    m_pointDesignGroups->addContents(group);
    putText<K7DataDcn>(*group, columns[NAME]);
    converted &= putInteger<K7DataScl>(*group, columns, LEVEL, MIN_LEVEL, MAX_LEVEL);
    converted &= putOffset(*group, columns, POINT_OFFSET);
    converted &= putInteger<K7DataDfp>(*group, columns, POINT_FLAG, 0, 5, true);
    converted &= putInteger<K7DataIcn>(*group, columns, POINT_ICON, 1, 0);
    auto* decorations = new K7DataCtg();
    group->addContents(decorations);
    PointDesign design{decorations, {}};
    return &m_pointDesigns.emplace(std::make_pair(columns[NAME], columns[LEVEL]), design)
                .first->second;
}

bool ReadDataDesign::putDecoration(const Columns& columns, PointDesign& design) {
    const std::string language =
        columns[POINT_LANGUAGE].empty() ? DEFAULT_LANGUAGE : columns[POINT_LANGUAGE];
    if (!design.languages.insert(language).second) {
        m_report.languageTwice(language);
        return false;
    }
    auto* decoration = new K7DataCtg();
    design.decorations->addContents(decoration);
    putText<K7DataLgt>(*decoration, language);
    return putDecorationStyle(columns, *decoration);
}

bool ReadDataDesign::putDecorationStyle(const Columns& columns, K7DataGroup& decoration) {
    bool converted = true;
    if (!columns[POINT_FONT].empty()) putText<K7DataFtn>(decoration, columns[POINT_FONT]);
    converted &= putColor<K7DataAnc>(decoration, columns, POINT_TEXT_COLOR);
    converted &= putInteger<K7DataAns>(decoration, columns, POINT_TEXT_SIZE, 1, 0);
    converted &= putColor<K7DataPyc>(decoration, columns, POINT_PLATE_COLOR);
    converted &= putMargin(decoration, columns, POINT_MARGIN);
    converted &= putFloat<K7DataCnr>(decoration, columns, POINT_CORNER);
    converted &= putColor<K7DataLnc>(decoration, columns, POINT_FRAME_COLOR);
    converted &= putFloat<K7DataLnw>(decoration, columns, POINT_FRAME_WIDTH);
    converted &= putColor<K7DataRmc>(decoration, columns, POINT_BORDER_COLOR);
    converted &= putInteger<K7DataRmw>(decoration, columns, POINT_BORDER_WIDTH, 1, 0);
    converted &= putInteger<K7DataVtc>(decoration, columns, POINT_VERTICAL, 0, 1);
    converted &= putInteger<K7DataAdp>(decoration, columns, POINT_TEXT_POSITION, 0, 4);
    return converted;
}

template <typename Record>
void ReadDataDesign::putText(K7DataGroup& group, const std::string& text) {
    auto* record = new Record();
    record->editContents() = text;
    group.addContents(record);
}

// `low` > `high` means that any value is taken (and narrowed to the record).
template <typename Record>
bool ReadDataDesign::putInteger(K7DataGroup& group, const Columns& columns, unsigned column,
                                long long low, long long high, bool withDefault) {
    using Value = std::remove_reference_t<decltype(std::declval<Record&>().editContents())>;
    const std::string& field = columns[column];
    long long value = 0;
    if (field.empty()) {
        if (!withDefault) return true;
    } else {
        if (!checkNumber(item(column), 1, field)) return false;
        value = toInteger(field);
        if (low <= high && (value < low || value > high)) {
            m_report.outOfRange(item(column), value);
            return false;
        }
    }
    auto* record = new Record();
    record->editContents() = static_cast<Value>(value);
    group.addContents(record);
    return true;
}

template <typename Record>
bool ReadDataDesign::putFloat(K7DataGroup& group, const Columns& columns, unsigned column) {
    const std::string& field = columns[column];
    if (field.empty()) return true;
    if (!checkNumber(item(column), 1, field)) return false;
    auto* record = new Record();
    record->editContents() = toFloat(field);
    group.addContents(record);
    return true;
}

template <typename Record>
bool ReadDataDesign::putColor(K7DataGroup& group, const Columns& columns, unsigned column) {
    if (columns[column].empty()) return true;
    std::vector<std::string> values;
    if (!numbers(columns, column, 4, values)) return false;
    uint8_t components[4] = {};
    bool inRange = true;
    for (unsigned k = 0; k < 4; ++k) {
        const long long value = toInteger(values[k]);
        if (value < 0 || value > 255) {
            m_report.colorOutOfRange(item(column), k + 1, value);
            inRange = false;
        }
        components[k] = static_cast<uint8_t>(value);
    }
    if (!inRange) return false;
    auto* record = new Record();
    record->editContents() = {components[0], components[1], components[2], components[3]};
    group.addContents(record);
    return true;
}

bool ReadDataDesign::putOffset(K7DataGroup& group, const Columns& columns, unsigned column) {
    std::vector<std::string> values{"0", "0"};
    if (!columns[column].empty() && !numbers(columns, column, 2, values)) return false;
    auto* record = new K7DataOfs();
    record->editContents().x = static_cast<double>(toFloat(values[0]));
    record->editContents().y = static_cast<double>(toFloat(values[1]));
    group.addContents(record);
    return true;
}

bool ReadDataDesign::putMargin(K7DataGroup& group, const Columns& columns, unsigned column) {
    std::vector<std::string> values;
    if (columns[column].empty()) return true;
    if (!numbers(columns, column, 2, values)) return false;
    auto* record = new K7DataMgn();
    record->editContents().x = static_cast<uint8_t>(toInteger(values[0]));
    record->editContents().y = static_cast<uint8_t>(toInteger(values[1]));
    group.addContents(record);
    return true;
}

bool ReadDataDesign::putEndSettings(K7DataGroup& group, const Columns& columns, unsigned column) {
    std::vector<std::string> values{"0", "0", "0"};
    if (!columns[column].empty() && !numbers(columns, column, 3, values)) return false;
    auto* record = new K7DataLey();
    bool inRange = true;
    for (unsigned k = 0; k < 3; ++k) {
        const long long value = toInteger(values[k]);
        if (value < 0 || value > 2) {
            m_report.endSettingOutOfRange(item(column), k + 1, value);
            inRange = false;
        }
        record->editContents().setting[k] = static_cast<uint8_t>(value);
    }
    if (!inRange) {
        delete record;
        return false;
    }
    group.addContents(record);
    return true;
}

bool ReadDataDesign::putPattern(K7DataGroup& group, const Columns& columns, unsigned column) {
    std::vector<std::string> values;
    if (columns[column].empty()) return true;
    if (!numbers(columns, column, 0, values)) return false;
    putText<K7DataLnp>(group, columns[column]);
    return true;
}

bool ReadDataDesign::numbers(const Columns& columns, unsigned column, size_t count,
                             std::vector<std::string>& values) {
    TextSplit split("|");
    split.setString(columns[column]);
    values.clear();
    const uint32_t size = split.getSize();
    for (uint32_t i = 0; i < size; ++i) values.push_back(split.getData(i));
    if (count != 0 && values.size() != count) {
        m_report.wrongCount(item(column), values.size());
        return false;
    }
    bool allNumbers = true;
    for (size_t k = 0; k < values.size(); ++k) {
        allNumbers &= checkNumber(item(column), static_cast<unsigned>(k + 1), values[k]);
    }
    return allNumbers;
}

bool ReadDataDesign::checkNumber(unsigned itemNumber, unsigned position, const std::string& value) {
    if (value.empty()) {
        m_report.emptyValue(itemNumber, position);
        return false;
    }
    if (!isNumber(value)) {
        m_report.notNumber(itemNumber, position, value);
        return false;
    }
    return true;
}
