#include "move_times.h"

#include <algorithm>

namespace pbrain {

void MoveTimes::Add(const std::string& id, double ms) {
    auto [it, added] = slowestMs_.emplace(id, ms);
    if (!added) it->second = std::max(it->second, ms);
}

} // namespace pbrain
