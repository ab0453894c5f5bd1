#include "ReadDataBase.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "CommonProc.h"
#include "K7DataCtg.h"
#include "Log.h"
#include "ReadDataParam.h"

ReadDataBase::ReadDataBase() = default;

ReadDataBase::~ReadDataBase() = default;

bool ReadDataBase::read(const std::string& path, AreaInfoBase* area) {
    if (!clearRead()) return false;
    m_path = path;
    if (!readDataFile(area)) {
        K7D_LOG_ERROR("", "readDataFile error", path);
        return false;
    }
    return true;
}

bool ReadDataBase::setParam(K7DataCtg* parameters) {
    if (!clearParam()) return false;
    if (parameters == nullptr) {
        K7D_LOG_ERROR("", "parameter group is null.");
        return false;
    }
    return setParamMain(parameters);
}

bool ReadDataBase::getData(K7DataCtg* result) {
    if (!clearData()) return false;
    if (result == nullptr) {
        K7D_LOG_ERROR("", "result group is null.");
        return false;
    }
    return getDataMain(result);
}

bool ReadDataBase::allClear() {
    return clearRead() && clearParam() && clearData();
}

bool ReadDataBase::getDataMain(K7DataCtg* result) {
    return setCoreData(result) && putReadData();
}

bool ReadDataBase::setParamMain(K7DataCtg* parameters) {
    std::vector<std::string> required;
    getRequiredClmName(required);
    std::map<std::string, std::string> requiredValues;
    for (K7DataBase* child : parameters->getContents("ctg")) {
        auto* item = dynamic_cast<K7DataGroup*>(child);
        if (item == nullptr) {
            K7D_LOG_ERROR("", "Column Name or Position not exist.");
            return false;
        }
        if (!setParamItem(*item, required, requiredValues)) return false;
    }
    return setRequiredParam(requiredValues);
}

bool ReadDataBase::setParamItem(K7DataGroup& item, const std::vector<std::string>& required,
                                std::map<std::string, std::string>& requiredValues) {
    K7DataGroup* values = ReadDataParam::firstGroup(item, "ctg");
    std::string name;
    int64_t position = 0;
    if (ReadDataParam::firstText(item, "cln", name)) {
        if (!checkRequiredParam(required, name)) return setParamValue(name, values);
        std::string value;
        if (values == nullptr || !ReadDataParam::firstText(*values, "clv", value)) {
            K7D_LOG_ERROR("", "Column Value not exist.", name);
            return false;
        }
        requiredValues[name] = value;
        return true;
    }
    if (ReadDataParam::firstNumber(item, "clp", position) && position >= 0) {
        getColumnNameFromIndex(name, static_cast<uint64_t>(position));
        return setParamValue(name, values);
    }
    K7D_LOG_ERROR("", "Column Name or Position not exist.");
    return false;
}

bool ReadDataBase::loadFile(const std::string& path, std::string& out, const char* function) {
    out.clear();
    std::error_code ignored;
    std::ifstream input;
    if (!std::filesystem::is_directory(path, ignored)) input.open(path, std::ios::binary);
    if (!input.is_open()) {
        Log::logOutput(4, "error", __FILE__, function, "", "file open error.", path);
        return false;
    }
    input.seekg(0, std::ios::end);
    const std::streamoff length = input.tellg();
    input.seekg(0, std::ios::beg);
    if (length >= 0) {
        out.resize(static_cast<size_t>(length));
        input.read(out.data(), length);
    }
    if (length < 0 || input.gcount() != length) {
        out.clear();
        Log::logOutput(4, "error", __FILE__, function, "", "file read error.", path);
        return false;
    }
    return true;
}

bool ReadDataBase::putReadData() {
    if (!analyzeData()) return false;
    return putCtgInfoDivision() && putCtgDataDivision();
}

bool ReadDataBase::putCtgInfoDivision() {
    auto* info = new K7DataCtg();
    putK7DataDtm(info);
    putK7DataCty(info);
    putK7DataClm(info);
    putK7DataTen(info);
    m_coreData->addContents(info);
    return true;
}

bool ReadDataBase::putCtgDataDivision() {
    auto* data = new K7DataCtg();
    m_coreData->addContents(data);
    return putCtgDataDivision(data);
}

bool ReadDataBase::checkRequiredParam(const std::vector<std::string>& names,
                                      const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool ReadDataBase::setParamValue(const std::string& name, K7DataGroup* values) {
    const std::vector<std::string> singles =
        values ? ReadDataParam::allTexts(*values, "clv") : std::vector<std::string>();
    const std::vector<std::string> ranges =
        values ? ReadDataParam::allTexts(*values, "exv") : std::vector<std::string>();
    if (singles.empty() && ranges.empty()) {
        K7D_LOG_ERROR("", "Column Value not exist.", name);
        return false;
    }
    for (const std::string& value : singles) setParamValueClv(name, value);
    const CommonProc proc;
    for (const std::string& range : ranges) {
        std::vector<std::string> parts;
        proc.split(parts, range, "-");
        setParamValueExv(name, parts);
    }
    return true;
}

bool ReadDataBase::putK7DataDtm(K7DataCtg*) {
    return true;
}
bool ReadDataBase::putK7DataCty(K7DataCtg*) {
    return true;
}
bool ReadDataBase::putK7DataClm(K7DataCtg*) {
    return true;
}
bool ReadDataBase::putK7DataTen(K7DataCtg*) {
    return true;
}
bool ReadDataBase::clearRead() {
    return true;
}
bool ReadDataBase::clearParam() {
    return true;
}
bool ReadDataBase::clearData() {
    return true;
}
bool ReadDataBase::readDataFile(AreaInfoBase*) {
    return true;
}
bool ReadDataBase::analyzeData() {
    return true;
}
bool ReadDataBase::getRequiredClmName(std::vector<std::string>&) {
    return true;
}
bool ReadDataBase::setRequiredParam(const std::map<std::string, std::string>&) {
    return true;
}
bool ReadDataBase::getColumnNameFromIndex(std::string&, uint64_t) {
    return true;
}
bool ReadDataBase::setParamValueClv(const std::string&, const std::string&) {
    return true;
}
bool ReadDataBase::setParamValueExv(const std::string&, const std::vector<std::string>&) {
    return true;
}
bool ReadDataBase::putCtgDataDivision(K7DataCtg*) {
    return true;
}

bool ReadDataBase::setCoreData(K7DataCtg* result) {
    m_coreData = result;
    return true;
}
