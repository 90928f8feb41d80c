#pragma once
// The closing lines of a match between two players, as every match-playing tool prints
// them: the score, the Elo difference with its 95% error bar, the likelihood of
// superiority and the draw ratio, and, when the games were played in pairs (the same
// start twice, colours swapped), the pair counts with the Elo difference they give.
//
// A score of 1 or 0 has no finite Elo and no error bar: it prints as "inf +/- nan"
// ("-inf" for 0), and a score whose 95% interval leaves 0..1 prints its Elo with
// "+/- nan".

#include <array>
#include <string>

namespace match_report {

// Results from the first player's side.
struct Tally {
    int Wins = 0, Losses = 0, Draws = 0;
    std::array<int, 5> Pairs{}; // complete game pairs by the first player's score k/4
    int CompletePairs = 0;
};

// "Score of A vs B: W - L - D  [0.xxx] N", "Elo difference: E +/- M, LOS: x %,
// DrawRatio: y %" and, when there are complete pairs, "Ptnml(0-2): [a, b, c, d, e],
// pair Elo: E +/- M", each line ending in a line break.
std::string SummaryLines(const std::string& first, const std::string& second, const Tally& t);

// v with `decimals` decimals, "inf", "-inf" or "nan" (never "-nan"); never "-0.0".
std::string NumberText(double v, int decimals);

} // namespace match_report
