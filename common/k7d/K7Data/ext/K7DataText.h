#ifndef TOLKMAPS_K7D_K7DATATEXT_H
#define TOLKMAPS_K7D_K7DATATEXT_H

#include <string>

#include "K7DataBase.h"

// A record whose content is the bytes of a text (UTF-8, no terminator).
class K7DataText : public K7DataBase {
public:
    K7DataText();
    explicit K7DataText(const char* record);

    const std::string& getContents() const { return m_text; }
    std::string& editContents() { return m_text; }

    void setSize() override;
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override;

private:
    std::string m_text;
};

#endif
