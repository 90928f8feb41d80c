#include "level_ladder.h"

#include "vorlix/search/internal_levels.h"

#include <algorithm>

namespace pbrain {

const std::vector<std::string>& LevelLadder() {
    static const std::vector<std::string> ladder = [] {
        std::vector<std::string> ids;
        for (const auto& item : vorlix::kInternalItems) ids.push_back(item.Identifier);
        return ids;
    }();
    return ladder;
}

std::string ChooseIdentifier(const std::string& chosen, long long budgetMs,
                             const std::map<std::string, double>& slowestMs,
                             const std::map<std::string, bool>& available) {
    const auto& ladder = LevelLadder();
    auto top = std::find(ladder.begin(), ladder.end(), chosen);
    if (budgetMs < 0 || top == ladder.end()) return chosen;
    auto isAvailable = [&](const std::string& id) {
        auto a = available.find(id);
        return a != available.end() && a->second;
    };
    std::string lowest = chosen;
    // Twice the slowest move leaves room for a position that needs more than any so far.
    for (auto it = std::make_reverse_iterator(top + 1); it != ladder.rend(); ++it) {
        if (*it != chosen && !isAvailable(*it)) continue;
        lowest = *it;
        auto s = slowestMs.find(*it);
        if (s == slowestMs.end() ? budgetMs > 0 : 2.0 * s->second <= static_cast<double>(budgetMs))
            return *it;
    }
    return lowest;
}

} // namespace pbrain
