#ifndef TOLKMAPS_K7D_K7DATAGROUP_H
#define TOLKMAPS_K7D_K7DATAGROUP_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "K7DataBase.h"
#include "Log.h"

// A record whose content is its child records back to back. It holds the
// children twice: in content order, and by tag (each tag's children in
// content order). The group owns its children and destroys them when it is
// cleared or destroyed.
class K7DataGroup : public K7DataBase {
public:
    // Tag to type code, 120 entries; built before first use, read-only after.
    static const std::map<std::string, int32_t>& m_mapK7DataType;

    K7DataGroup();
    explicit K7DataGroup(const char* record);
    ~K7DataGroup() override;

    void setSize() override;
    void makeBinary(char* out) override;
    void setMajorType() override;

    // All children in content order.
    const std::vector<K7DataBase*>& getContents() const { return m_contents; }
    // The children with `tag`, in content order; empty (and the tag
    // remembered) when the group holds none.
    const std::vector<K7DataBase*>& getContents(const std::string& tag);
    // The index-th child (from 0) with T's fixed tag, or null, with a log
    // line at level "error", when there is no such child of class T.
    template <typename T>
    T* getContents(unsigned index);

    // Appends a child to both views; the group takes ownership.
    void addContents(K7DataBase* child);
    // Empties both views without destroying the children; their owner is
    // whoever holds the pointers.
    void clearContents();
    // Destroys all children and empties both views.
    void dataClear();

    // The tag of an encoded record: its first three bytes.
    static std::string getKey(const char* record);
    // A new record of the class that the tag table gives for the record's
    // tag, decoded from the (well-formed) record; the caller owns it.
    static K7DataBase* makeK7Data(const char* record);

protected:
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override;

private:
    std::vector<K7DataBase*> m_contents;
    std::map<std::string, std::vector<K7DataBase*>> m_contentsByTag;
};

template <typename T>
T* K7DataGroup::getContents(unsigned index) {
    const std::vector<K7DataBase*>& children = getContents(std::string(T::tag()));
    if (index < children.size()) {
        if (T* child = dynamic_cast<T*>(children[index])) return child;
    }
    K7D_LOG_ERROR("Can't refer the " + std::string(T::tag()) + " data of position:", index);
    return nullptr;
}

#endif
