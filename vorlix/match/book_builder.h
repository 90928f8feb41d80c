#pragma once
// Building the opening book from the program's own games.
//
// EnumerateOpenings lists five-stone openings a player could be offered: stones 1
// (black) and 2 (white) in the 3-by-3 square G7..I9, stones 3 to 5 (black, white,
// black) in the 5-by-5 square F6..J10, the five connectable by one more stone (the
// connection rule of the human's steps). Positions that are the same up to one of the
// eight symmetries, or up to the order of same-coloured stones, are listed once.
//
// BuildBook plays every opening several times between two players, each side taking
// black equally often, and scores it as black's result share.

#include "vorlix/eval/openingbook.h"
#include "vorlix/match/match.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorlix {

using FiveStones = std::array<TPont, 5>;

// A sample of `count` openings (all of them when count is 0 or larger), drawn with
// `seed` and spread evenly over the placements of the first two stones.
std::vector<FiveStones> EnumerateOpenings(int count, std::uint32_t seed);

// The record of five stones; the first two must lie in the 7..10 square.
TBookRecord MakeBookRecord(const FiveStones& stones, int score, int games);

struct BookBuildOptions {
    std::string First, Second; // the players (each plays black in half of the games)
    int Openings = 300;
    int GamesPerOpening = 4; // rounded up to an even number
    std::uint32_t Seed = 1;
    int Jobs = 1;
    Settings Config;
    std::function<void(PlayerFactory&)> SetUpFactory;
};

struct BookBuildResult {
    std::vector<TBookRecord> Records;
    int Games = 0;
    int FailedGames = 0; // without a result; left out of the scores
};

// `progress` is called after each opening with the number done.
BookBuildResult BuildBook(const BookBuildOptions& options,
                          const std::function<void(int done, int total)>& progress);

// The bytes of a book file.
std::vector<std::uint8_t> BookBytes(const std::vector<TBookRecord>& records);

} // namespace vorlix
