#pragma once
// Engine-against-engine matches of kelvor levels and their statistics.

#include <functional>
#include <string>

namespace kelvor {

struct MatchOptions {
    int levelA = 2, levelB = 1; // A plays black in the first game of each pair
    int variant = 1;
    int boardSize = 15;
    int games = 2;
    int jobs = 1;
    unsigned seed = 1;
    int maxSeconds = 60; // per move
    bool book = false;
    std::string folder; // where the tables (and books) are
};

struct MatchResult {
    int wins = 0, losses = 0, draws = 0; // from A's side
};

// Plays game pairs: each pair starts from the same random three-stone opening (the
// first on the centre), once with A as black and once as white. `onGame` is called
// after each game with the running result (from the thread that finished it, under
// a lock).
MatchResult RunMatch(const MatchOptions& options,
                     const std::function<void(const MatchResult&)>& onGame = {});

struct EloEstimate {
    double score = 0, elo = 0, error = 0, los = 0, drawRatio = 0;
};
// Score, Elo difference with its 95 % error, likelihood of superiority and draw ratio.
EloEstimate EstimateElo(int wins, int losses, int draws);

// "Score of A vs B: W - L - D  [0.xxx] N" and "Elo difference: E +/- M, LOS: x %,
// DrawRatio: y %", each with a line break.
std::string MatchSummary(const std::string& a, const std::string& b, const MatchResult& r);

} // namespace kelvor
