#include "CsvData.h"

#include <iterator>

CsvData::CsvData() : m_rows("\n"), m_columns(",") {
    textChanged();
}

CsvData::CsvData(const CsvData& other)
    : m_ownText(other.m_ownText),
      m_borrowedText(other.m_borrowedText),
      m_rows(other.m_rows),
      m_columns(other.m_columns) {
    textChanged();
}

CsvData& CsvData::operator=(const CsvData& other) {
    if (this != &other) {
        m_ownText = other.m_ownText;
        m_borrowedText = other.m_borrowedText;
        m_rows = other.m_rows;
        m_columns = other.m_columns;
        textChanged();
    }
    return *this;
}

bool CsvData::setLineBreak(const std::string& lineBreak) {
    const bool taken = m_rows.setDelimiter(lineBreak);
    textChanged();
    return taken;
}

bool CsvData::setDelimiter(const std::string& delimiter) {
    const bool taken = m_columns.setDelimiter(delimiter);
    textChanged();
    return taken;
}

void CsvData::setCsv(const std::string& text) {
    m_ownText = text;
    m_borrowedText = nullptr;
    textChanged();
}

void CsvData::setCsv_1(std::string* text) {
    m_borrowedText = text;
    textChanged();
}

void CsvData::setCsvFile(std::istream& input) {
    text().assign(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
    textChanged();
}

const std::string& CsvData::getCsv() const {
    return text();
}

void CsvData::setData(const std::string& field) {
    std::string& whole = text();
    const std::string& lineBreak = getLineBreak();
    const bool endsWithBreak =
        whole.size() >= lineBreak.size() &&
        whole.compare(whole.size() - lineBreak.size(), lineBreak.size(), lineBreak) == 0;
    if (!whole.empty() && !endsWithBreak) whole += getDelimiter();
    whole += field;
    textChanged();
}

void CsvData::addLineBreak() {
    text() += getLineBreak();
    textChanged();
}

void CsvData::clear() {
    text().clear();
    textChanged();
}

uint32_t CsvData::getRowSize() {
    return m_rows.getSize();
}

std::string CsvData::getLine(uint32_t row) {
    return m_rows.getRawData(row);
}

uint32_t CsvData::getColSize(uint32_t row) {
    selectRow(row);
    return m_columns.getSize();
}

uint32_t CsvData::getColSize() {
    return m_columns.getSize();
}

std::string CsvData::getData(uint32_t col) {
    return m_columns.getData(col);
}

std::string CsvData::getData(uint32_t row, uint32_t col) {
    selectRow(row);
    return m_columns.getData(col);
}

void CsvData::first() {
    m_rows.first();
    selectRow(0);
    m_columns.first();
}

bool CsvData::nextRow() {
    if (m_currentRow + 1 >= m_rows.getSize()) {
        m_currentRow = m_rows.getSize();
        m_columns.setString(std::string());
        return false;
    }
    selectRow(m_currentRow + 1);
    m_columns.first();
    return true;
}

bool CsvData::nextCol() {
    return m_columns.next();
}

std::string CsvData::getData() {
    return m_columns.getData();
}

std::string CsvData::getLine() {
    return getLine(m_currentRow);
}

std::string& CsvData::text() {
    return m_borrowedText ? *m_borrowedText : m_ownText;
}

const std::string& CsvData::text() const {
    return m_borrowedText ? *m_borrowedText : m_ownText;
}

// The row splitter always borrows the text in use, so a copied CsvData must
// point it at its own text again; every change of text comes through here.
void CsvData::textChanged() {
    m_rows.setString_1(&text());
    m_currentRow = 0;
    m_columns.setString(std::string());
}

void CsvData::selectRow(uint32_t row) {
    m_currentRow = row;
    m_columns.setString(m_rows.getRawData(row));
}
