#pragma once
// Engine-against-engine matches of kelvor levels: the games and their results. The
// statistics of a result are the front end's business.

#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

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
    std::string folder;  // where the tables (and books) are
    std::string folderB; // B's tables and books when not empty: a match between two table sets
    // Games already over, by game number: counted in the result, not played again (a
    // stopped match going on). Numbers from `games` on are left out.
    std::map<int, int> played; // game -> GameOutcome
};

// How a game ended, from A's side.
enum GameOutcome { kDrawn = 0, kAWon = 1, kBWon = 2 };

struct MatchResult {
    int wins = 0, losses = 0, draws = 0; // from A's side
    // Pairs whose two games are both over, by A's score in the pair: pairs[k] scored
    // k/4 (two losses 0, two wins 4, a win and a loss or two draws 2).
    std::array<int, 5> pairs{};
    int completePairs = 0;
};

// A game played in a match: its number, how it ended and its moves from the first.
struct FinishedGame {
    int game = 0;
    GameOutcome outcome = kDrawn;
    std::vector<std::pair<int, int>> moves;
    // Of A's searches [0] and B's [1]: the longest in seconds, and how many the time
    // limit cut short.
    std::array<double, 2> slowest{};
    std::array<int, 2> stopped{};
};

// Called after each game played with the running result and the game, from the thread
// that finished it, under a lock.
using GameOver = std::function<void(const MatchResult&, const FinishedGame&)>;

// Plays game pairs: each pair starts from the same random three-stone opening (the
// first on the centre), once with A as black and once as white. Game g's opening and
// seeds depend only on the options' seed and g, so a match split into runs plays the
// games one run of it would.
MatchResult RunMatch(const MatchOptions& options, const GameOver& onGame = {});

} // namespace kelvor
