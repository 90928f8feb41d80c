#include "vorlix/search/internal_levels.h"

#include <cstdio>

namespace vorlix {

std::string InternalStrengthText(float strength) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%6.1f", static_cast<double>(strength));
    return buf;
}

std::string LibraryStrengthText(const std::string& name) {
    if (name == "Random") return "-2500";
    if (name == "Neighbour") return "-2300";
    if (name == "Eager") return "100";
    return "Unknow";
}

} // namespace vorlix
