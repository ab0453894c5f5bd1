#ifndef TOLKMAPS_K7D_TEXTSPLIT_H
#define TOLKMAPS_K7D_TEXTSPLIT_H

#include <cstdint>
#include <string>
#include <vector>

// Splits one text into fields at a delimiter string (default ","). A field
// that starts with a double quote runs to the next double quote, so the
// delimiter may stand inside it; a quote that is never closed runs to the end
// of the text. The text is either owned (setString) or borrowed
// (setString_1); a borrowed text must outlive its use here, and after
// changing it from outside the caller sets it again.
class TextSplit {
public:
    TextSplit();
    explicit TextSplit(const std::string& delimiter);

    // Copies `text` into the owned text and uses it.
    void setString(const std::string& text);
    // Uses `text` without copying it.
    void setString_1(std::string* text);
    const std::string& getString() const;

    // An empty delimiter is refused (the old one stays); answers whether it was taken.
    bool setDelimiter(const std::string& delimiter);
    const std::string& getDelimiter() const { return m_delimiter; }

    // Answers the field count (at least 1), splitting the text when it
    // changed through this object since the last split.
    uint32_t getSize();
    // Field `index` with one pair of enclosing double quotes removed; empty
    // when `index` is not below getSize().
    std::string getData(uint32_t index);
    // Field `index` as it stands in the text, quotes included.
    std::string getRawData(uint32_t index);

    // Sequential reading: first() splits the text anew and goes to field 0, next() to the following
    // field and answers false past the last; getData() reads the current one.
    void first();
    bool next();
    std::string getData();
    bool checkLast();

    // Appends the delimiter (unless the text is empty) and `field`.
    void setData(const std::string& field);

private:
    std::string& text();
    const std::string& text() const;
    void ensureSplit();
    void split();
    // Start of the field after the one starting at `start`; npos for the last field.
    size_t nextFieldStart(size_t start) const;
    static std::string rmDq(const std::string& field);

    std::string m_ownText;
    std::string* m_borrowedText = nullptr;
    std::string m_delimiter;
    std::vector<size_t> m_starts;
    bool m_splitValid = false;
    uint32_t m_current = 0;
};

#endif
