#ifndef TOLKMAPS_K7D_READDATABASE_H
#define TOLKMAPS_K7D_READDATABASE_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class AreaInfoBase;
class K7DataCtg;
class K7DataGroup;

// The protocol of every reader of files into record trees, in calling order:
//   read(path, area)      reads the file (the area is handed to readDataFile),
//   setParam(parameters)  takes the reader's parameters,
//   getData(result)       appends what was read to `result`.
// Each answers true on success and logs why it failed otherwise. The caller
// owns the parameter and result groups; what getData appends belongs to the
// result. Each step first clears what the same step left before. A reader is
// used by one thread at a time.
//
// Parameter and condition groups hold "ctg" items; each names a column by
// "cln" (text) or "clp" (number) and holds one "ctg" value group of "clv"
// texts and "exv" ranges ("low-high").
class ReadDataBase {
public:
    ReadDataBase();
    virtual ~ReadDataBase();
    ReadDataBase(const ReadDataBase&) = delete;
    ReadDataBase& operator=(const ReadDataBase&) = delete;

    virtual bool read(const std::string& path, AreaInfoBase* area = nullptr);
    virtual bool setParam(K7DataCtg* parameters);
    virtual bool getData(K7DataCtg* result);
    // Clears what read, setParam and getData left, stopping at the first failure.
    virtual bool allClear();

    const std::string& getPath() const { return m_path; }

protected:
    virtual bool getDataMain(K7DataCtg* result);
    // Reads a condition group: required columns (getRequiredClmName) take
    // their first "clv"; other columns go to setParamValue.
    virtual bool setParamMain(K7DataCtg* parameters);
    virtual bool putReadData();
    // Appends an information group and a data group to the result.
    virtual bool putCtgInfoDivision();
    virtual bool putCtgDataDivision();
    virtual bool checkRequiredParam(const std::vector<std::string>& names, const std::string& name);
    // Hands every "clv" text and every "exv" range, split at "-", of one
    // value group (null when the item had none) to the hooks below.
    virtual bool setParamValue(const std::string& name, K7DataGroup* values);
    virtual bool putK7DataDtm(K7DataCtg* info);
    virtual bool putK7DataCty(K7DataCtg* info);
    virtual bool putK7DataClm(K7DataCtg* info);
    virtual bool putK7DataTen(K7DataCtg* info);
    virtual bool clearRead();
    virtual bool clearParam();
    virtual bool clearData();
    virtual bool readDataFile(AreaInfoBase* area);
    virtual bool analyzeData();
    virtual bool getRequiredClmName(std::vector<std::string>& names);
    virtual bool setRequiredParam(const std::map<std::string, std::string>& values);
    virtual bool getColumnNameFromIndex(std::string& name, uint64_t index);
    virtual bool setParamValueClv(const std::string& name, const std::string& value);
    virtual bool setParamValueExv(const std::string& name, const std::vector<std::string>& parts);
    virtual bool putCtgDataDivision(K7DataCtg* data);
    virtual bool setCoreData(K7DataCtg* result);

    // Reads the whole file at `path` into `out`. Logs "file open error." or
    // "file read error." at level "error" under the name `function` and
    // answers false (with `out` empty) when that fails; a directory does not open.
    static bool loadFile(const std::string& path, std::string& out, const char* function);

    // Reads one "ctg" item of a condition group into the required values or
    // through setParamValue.
    bool setParamItem(K7DataGroup& item, const std::vector<std::string>& required,
                      std::map<std::string, std::string>& requiredValues);

    std::string m_path;
    // The result group of the current getData; not owned.
    K7DataCtg* m_coreData = nullptr;
};

#endif
