#include "TextDataBase.h"

#include <utility>

TextDataBase::TextDataBase(std::map<std::string, std::string> substitutions)
    : m_substitutions(std::move(substitutions)) {}

std::string TextDataBase::replace(const std::string& character) const {
    const auto found = m_substitutions.find(character);
    return found != m_substitutions.end() ? found->second : character;
}
