#include "level_ladder.h"

#include <algorithm>

namespace pbrain {

const std::vector<std::string>& LevelLadder() {
    static const std::vector<std::string> ladder = {
        "Turbo",  "Rupo",      "Zelta",   "Ilvar",      "Ilvar5U",
        "QwilNV", "QwilN4AVK", "QwilX_K", "Vosk7XPM_K", "Vosk7XLSHO_K"};
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
