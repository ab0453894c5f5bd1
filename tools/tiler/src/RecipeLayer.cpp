#include "RecipeLayer.h"

std::string RecipeLayer::label() const {
    const size_t slash = input.rfind('/');
    std::string name = slash == std::string::npos ? input : input.substr(slash + 1);
    if (!sourceLayer.empty()) name += ":" + sourceLayer;
    if (!where.empty()) name += " [" + where + "]";
    return name;
}
