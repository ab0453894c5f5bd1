#ifndef TOLKMAPS_K7D_TEXTDATABASE_H
#define TOLKMAPS_K7D_TEXTDATABASE_H

#include <map>
#include <string>

#include "TextBase.h"

// Replaces the characters found in a substitution map; others are kept.
class TextDataBase : public TextBase {
public:
    explicit TextDataBase(std::map<std::string, std::string> substitutions = {});

protected:
    std::string replace(const std::string& character) const override;

private:
    std::map<std::string, std::string> m_substitutions;
};

#endif
