#include "DesignSetBuilder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "CsvData.h"
#include "IconAtlas.h"
#include "K7DataCtg.h"
#include "K7DataDfn.h"
#include "K7DataPyc.h"
#include "Log.h"
#include "ReadDataDesign.h"
#include "TextProc.h"
#include "TextSplit.h"

const char* const DesignSetBuilder::SET_LIST = "sets.csv";
const char* const DesignSetBuilder::ICON_LIST = "icons.csv";

namespace {

// The data lines of a small list file, "\r" line ends removed, comments and
// empty lines skipped, each split at ",".
bool readList(const std::string& path, std::vector<std::vector<std::string>>& rows) {
    CsvData csv;
    if (!TextProc::readCsv(path, &csv)) return false;
    rows.clear();
    const uint32_t count = csv.getRowSize();
    for (uint32_t row = 0; row < count; ++row) {
        std::string line = csv.getLine(row);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.compare(0, 2, "//") == 0) continue;
        TextSplit split(",");
        split.setString(line);
        std::vector<std::string> fields;
        const uint32_t size = split.getSize();
        for (uint32_t i = 0; i < size; ++i) fields.push_back(split.getData(i));
        rows.push_back(fields);
    }
    return true;
}

bool parseColor(const std::string& text, _K7D_STR_COLOR& color) {
    TextSplit split("|");
    split.setString(text);
    if (split.getSize() != 4) return false;
    uint8_t components[4];
    for (uint32_t i = 0; i < 4; ++i) {
        const std::string value = split.getData(i);
        if (!ReadDataDesign::isNumber(value) || value[0] == '-') return false;
        const long number = std::strtol(value.c_str(), nullptr, 10);
        if (number > 255) return false;
        components[i] = static_cast<uint8_t>(number);
    }
    color = {components[0], components[1], components[2], components[3]};
    return true;
}

bool parseIconNumber(const std::string& text, uint16_t& number) {
    if (!ReadDataDesign::isNumber(text) || text[0] == '-' || text.find('.') != std::string::npos) return false;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > 0xFFFF) return false;
    number = static_cast<uint16_t>(value);
    return true;
}

bool fileExists(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0;
}

K7DataCtg* makeHeader(const DesignSetBuilder::SetEntry& set) {
    auto* header = new K7DataCtg();
    auto* name = new K7DataDfn();
    name->editContents() = set.name;
    header->addContents(name);
    auto* background = new K7DataPyc();
    background->editContents() = set.background;
    header->addContents(background);
    return header;
}

K7DataCtg* makeIconGroup(const std::vector<IconImage>& icons) {
    auto* group = new K7DataCtg();
    IconAtlas atlas;
    if (!icons.empty() && atlas.pack(icons)) group->addContents(atlas.makeRecord());
    return group;
}

}  // namespace

K7DataCtg* DesignSetBuilder::build(const std::string& designDirectory, const std::string& iconDirectory) {
    std::vector<SetEntry> sets;
    if (!readSetList(designDirectory + "/" + SET_LIST, sets)) return nullptr;
    std::vector<IconImage> icons;
    if (!readIcons(iconDirectory, icons)) return nullptr;
    auto global = std::make_unique<K7DataCtg>();
    for (const SetEntry& set : sets) {
        K7DataCtg* group = buildSet(set, designDirectory + "/" + set.name, icons);
        if (group == nullptr) return nullptr;
        global->addContents(group);
    }
    K7D_LOG_INFO("design sets built:", sets.size(), "icons:", icons.size());
    return global.release();
}

K7DataCtg* DesignSetBuilder::buildSet(const SetEntry& set, const std::string& tablePath,
                                      const std::vector<IconImage>& icons) {
    std::unique_ptr<K7DataCtg> designs(ReadDataDesign::readTable(tablePath));
    if (!designs) {
        K7D_LOG_ERROR("design table refused:", tablePath);
        return nullptr;
    }
    auto* group = new K7DataCtg();
    group->addContents(makeHeader(set));
    group->addContents(makeIconGroup(icons));
    group->addContents(designs.release());
    return group;
}

bool DesignSetBuilder::readSetList(const std::string& path, std::vector<SetEntry>& sets) {
    std::vector<std::vector<std::string>> rows;
    if (!readList(path, rows)) {
        K7D_LOG_ERROR("set list not readable:", path);
        return false;
    }
    sets.clear();
    for (const auto& row : rows) {
        SetEntry set;
        if (row.size() != 2 || row[0].empty() || !parseColor(row[1], set.background)) {
            K7D_LOG_ERROR("bad set list line:", path, row.empty() ? "" : row[0]);
            return false;
        }
        set.name = row[0];
        sets.push_back(set);
    }
    return true;
}

bool DesignSetBuilder::readIcons(const std::string& iconDirectory, std::vector<IconImage>& icons) {
    icons.clear();
    const std::string path = iconDirectory + "/" + ICON_LIST;
    if (!fileExists(path)) {
        K7D_LOG_WARNING("no icon list, design sets get no icons (run scripts/icons):", path);
        return true;
    }
    std::vector<std::vector<std::string>> rows;
    if (!readList(path, rows)) return false;
    for (const auto& row : rows) {
        uint16_t number = 0;
        IconImage icon;
        if (row.size() != 2 || !parseIconNumber(row[0], number) ||
            !icon.readPng(number, iconDirectory + "/" + row[1])) {
            K7D_LOG_ERROR("bad icon list line:", path, row.empty() ? "" : row[0]);
            return false;
        }
        icons.push_back(icon);
    }
    return true;
}
