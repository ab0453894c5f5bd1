#include "K7DataGroup.h"

#include <memory>

#include "K7DataFactory.h"
#include "K7DataTagTable.h"
#include "K7DataType.h"

const std::map<std::string, int32_t>& K7DataGroup::m_mapK7DataType = K7DataTagTable::byName();

K7DataGroup::K7DataGroup() { setMajorType(); }

K7DataGroup::K7DataGroup(const char* record) : K7DataGroup() { setBinary(record); }

K7DataGroup::~K7DataGroup() { dataClear(); }

void K7DataGroup::setSize() {
    uint32_t size = 0;
    for (K7DataBase* child : m_contents) size += child->getSizeAll();
    m_size = size;
}

void K7DataGroup::makeBinary(char* out) {
    for (K7DataBase* child : m_contents) out += child->writeRecord(out);
}

void K7DataGroup::setMajorType() { m_majorType = K7DATA_TYPE_GROUP; }

const std::vector<K7DataBase*>& K7DataGroup::getContents(const std::string& tag) {
    return m_contentsByTag[tag];
}

void K7DataGroup::addContents(K7DataBase* child) {
    m_contentsByTag[child->getType()].push_back(child);
    m_contents.push_back(child);
}

void K7DataGroup::clearContents() {
    m_contents.clear();
    m_contentsByTag.clear();
}

void K7DataGroup::dataClear() {
    for (K7DataBase* child : m_contents) delete child;
    clearContents();
}

std::string K7DataGroup::getKey(const char* record) { return std::string(record, 3); }

K7DataBase* K7DataGroup::makeK7Data(const char* record) {
    K7DataBase* child = K7DataFactory::create(record);
    child->setBinary(record);
    return child;
}

bool K7DataGroup::decodeContent(const char* content, size_t offset, unsigned depth) {
    dataClear();
    if (depth >= MAX_NESTING) {
        return refuse("Refused group: nested too deep.", offset, "depth:", depth);
    }
    uint32_t position = 0;
    while (position < m_size) {
        const size_t left = m_size - position;
        if (left < SHORT_HEADER) {
            return refuse("Refused group: child header runs past the end of the group.",
                          offset + position, "bytes left:", left);
        }
        std::unique_ptr<K7DataBase> child(K7DataFactory::create(content + position));
        const size_t used = child->decodeRecord(content + position, left, offset + position, depth + 1);
        if (used == 0) return false;
        addContents(child.release());
        position += static_cast<uint32_t>(used);
    }
    return true;
}

void K7DataGroup::resetValue() { dataClear(); }
