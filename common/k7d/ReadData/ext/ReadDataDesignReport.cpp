#include "ReadDataDesignReport.h"

void ReadDataDesignReport::start(uint32_t rowNumber) {
    m_text = "\n#-----------------------------------------------------------------#\n";
    m_text += std::to_string(rowNumber) + "行目レコード\n";
    m_text += "\n";
    m_problems = 0;
}

void ReadDataDesignReport::beginRequiredSection() {
    m_text += "【 必須情報チェック 】\n";
}

void ReadDataDesignReport::beginColumnSection() {
    m_text += "【 各カラムチェック 】\n";
}

void ReadDataDesignReport::missing(unsigned number, const char* what) {
    addLine(item(number) + what);
}

void ReadDataDesignReport::missingAll(const std::vector<unsigned>& items, const char* what) {
    std::string joined;
    for (unsigned number : items) joined += (joined.empty() ? "" : ",") + std::to_string(number);
    addLine("項番" + joined);
    m_text += std::string(what) + "\n";
}

void ReadDataDesignReport::outOfRange(unsigned number, long long value) {
    addLine(item(number) + " 指定値が仕様範囲外です : " + std::to_string(value));
}

void ReadDataDesignReport::emptyValue(unsigned number, unsigned position) {
    addLine(item(number) + " " + std::to_string(position) + "番目のデータが空になっています");
}

void ReadDataDesignReport::notNumber(unsigned number, unsigned position, const std::string& value) {
    addLine(item(number) + " " + std::to_string(position) +
            "番目のデータに文字が含まれています : " + value);
}

void ReadDataDesignReport::wrongCount(unsigned number, size_t count) {
    addLine(item(number) + " 指定データ数に誤りがあります : " + std::to_string(count));
}

void ReadDataDesignReport::colorOutOfRange(unsigned number, unsigned position, long long value) {
    addLine(item(number) + " 色" + std::to_string(position) +
            "番目の指定値が仕様範囲外です : " + std::to_string(value));
}

void ReadDataDesignReport::endSettingOutOfRange(unsigned number, unsigned position,
                                                long long value) {
    addLine(item(number) + " 端点形状" + std::to_string(position) +
            "番目の指定値が仕様範囲外です : " + std::to_string(value));
}

void ReadDataDesignReport::languageTwice(const std::string& language) {
    addLine(language + " 既に登録された言語種別コードです");
}

void ReadDataDesignReport::addLine(const std::string& line) {
    m_text += line + "\n";
    ++m_problems;
}

std::string ReadDataDesignReport::item(unsigned number) {
    return "項番" + std::to_string(number);
}
