#pragma once
// Matches between two computer players, played headless through the game controller.
//
// Game k (1-based) seats the first player first (black) when k is odd and second when
// it is even (with the colour-change opening the first seat may take white); games 2i-1 and 2i form
// a pair that starts from the same random seed, so each player gets the same start once with each
// colour. Every game runs in a process of its own (the game model is process-wide), at most Jobs at
// a time, seeded from the match seed and its pair number alone: the same seed gives the same games
// whatever Jobs is.

#include "vorlix/game/board.h"
#include "vorlix/players/player_factory.h"
#include "vorlix/game/settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorlix {

class OpeningBook;

// How the games of a match begin.
enum class MatchOpening {
    Empty,        // an empty board, black's first move at H8
    ColourChange, // the colour-change opening: the players offer and choose (the first
                  // player of a game may take white)
    Book,         // both games of a pair start from one book opening, no colour choice
};

struct MatchOptions {
    std::string First, Second; // player identifiers (an internal one, or LIBRARY:NAME)
    int Games = 2;
    std::uint32_t Seed = 1;
    int Jobs = 1;
    std::string SaveFolder; // each game's text file goes here when not empty
    MatchOpening Opening = MatchOpening::Empty;
    const OpeningBook* Book = nullptr; // for ColourChange and Book (null: an empty book)
    // When not empty, every game starts from these stones (black first), whatever
    // Opening says.
    std::vector<TPont> StartStones;
    Settings Config; // DrawAt and the players folder
    // Gives the factory of each game its internal players and folder.
    std::function<void(PlayerFactory&)> SetUpFactory;
};

struct MatchGame {
    enum Result { FirstWon, SecondWon, Draw, Failed };
    int Number = 0;
    std::uint8_t FirstColour = 1; // colour the first player played in this game
    Result Outcome = Failed;
    int FaultSeat = 0; // 1 or 2: that player lost by an invalid move or an engine error
    int Moves = 0;
    std::array<double, 2> ThinkTotal{}; // seconds, per seat
    std::array<double, 2> ThinkMax{};
    std::array<int, 2> ThinkMoves{};
    std::string Message; // the error of a lost or failed game, "\r" turned into " / "
};

// Seed of game `number` (pairs share it).
std::uint32_t GameSeed(std::uint32_t matchSeed, int number);

// Plays game `number` in this process (it resets the game model).
MatchGame PlayMatchGame(const MatchOptions& options, int number);

// Plays the whole match; `done` is called in the calling process as each game ends
// (not necessarily in number order). The result is in number order.
std::vector<MatchGame> RunMatch(const MatchOptions& options,
                                const std::function<void(const MatchGame&)>& done);

// Whether both players of the match can be created (their failures are reported).
bool CheckMatchPlayers(const MatchOptions& options);

// Text form of a game result, one line, for the pipe between processes.
std::string EncodeMatchGame(const MatchGame& game);
bool DecodeMatchGame(const std::string& line, MatchGame& game);

struct MatchSummary {
    int Wins = 0, Losses = 0, Draws = 0, Failed = 0; // from the first player's side
    std::array<int, 5> Pairs{};                      // complete pairs by score k/4
    int CompletePairs = 0;
};
MatchSummary Summarise(const std::vector<MatchGame>& games);

} // namespace vorlix
