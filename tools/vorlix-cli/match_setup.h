#pragma once
// What the match-playing commands share: options filled from the program's settings and
// players, the opening book of book openings, and the printed summary of a match.

#include "vorlix/eval/openingbook.h"
#include "vorlix/match/match.h"

#include <string>
#include <vector>

namespace cli {

// Fills the settings and the players of the program into `o`. When o.Opening is not
// Empty or `bookPath` is given, loads the book (`bookPath`, or kezd.dat of the data
// folder) into `book`, which must outlive the match, and points o.Book at it. False
// with the reason in `error` when the book cannot be read.
bool PrepareMatch(vorlix::MatchOptions& o, vorlix::OpeningBook& book, const std::string& bookPath,
                  std::string* error);

// The lines "Score of A vs B: ...", "Elo difference: ...", "Ptnml(0-2): ..." (when there
// are complete pairs), "Games without a result: N" (when there are) and each player's
// thinking time per move.
void PrintMatchSummary(const vorlix::MatchOptions& o, const std::vector<vorlix::MatchGame>& games);

// Mean thinking time per move of seat 0 (the first player) or 1, in milliseconds.
double MeanMsPerMove(const std::vector<vorlix::MatchGame>& games, int seat);

} // namespace cli
