#pragma once
// The ladder of internal levels that pbrain-vorlix steps down when its time is short.
//
// The engines have no time control of their own: a level thinks as long as its search
// takes. The ladder gives the engine a way to keep within a time budget anyway: the
// chosen identifier is played while its slowest move so far fits the budget, and a
// lower level is taken when it does not.

#include <map>
#include <string>
#include <vector>

namespace pbrain {

// The identifiers of "Level 0" to "Level 9" of the Opponent menu, weakest first.
const std::vector<std::string>& LevelLadder();

// The identifier to play the next move with.
// `chosen` is the identifier asked for; `budgetMs` the time allowed for this move
// (negative: no limit known); `slowestMs` the slowest move measured so far per
// identifier; `available` tells whether an identifier can be made in this build.
// The result is `chosen` itself unless it is on the ladder and a budget is known; then
// it is the highest available level at or below `chosen` whose slowest move, doubled,
// fits the budget (a level not measured yet is assumed to fit a budget above 0), or
// the lowest available level when none does.
std::string ChooseIdentifier(const std::string& chosen, long long budgetMs,
                             const std::map<std::string, double>& slowestMs,
                             const std::map<std::string, bool>& available);

} // namespace pbrain
