// soak: many games from random positions between every computer player, checking
// each move.
//
// A game starts from a seeded random position near the centre (no side can win at
// once) and is played move by move by calling the players directly, so that the game
// model can be compared before and after each move computation: the board, the side to
// move, the record and the trial stones must be as before, the move must be an empty
// point, and no internal check may fire. In builds with the debug checks on, every
// incremental structure (threat tables, the E1 cache) is also recomputed and compared
// inside the engines at each step. A failure prints the position as a move list that
// `think` replays.

#include "commands.h"
#include "players_setup.h"
#include "position.h"

#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/random.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace cli {

namespace {

// Every internal player built into the program, then the sample library's players.
std::vector<std::string> AllPlayers(const vorlix::PlayerFactory& factory) {
    std::vector<std::string> out;
    for (const vorlix::InternalPlayer& p : factory.Internal)
        if (p.Make && p.Id != vorlix::kHumanId) out.push_back(p.Id);
    for (const char* p : {"players:Neighbour", "players:Random", "players:Eager"}) out.push_back(p);
    return out;
}

struct PlayerTally {
    long moves = 0;
    double maxSeconds = 0;
};

} // namespace

int Soak(const Args& args) {
    const Command& me = *FindCommand("soak");
    std::map<std::string, std::string> opt;
    if (!ParseOptions(args, opt) || !opt.count("--games")) return UsageError(me);
    long long games = 0, seed = 1, maxMoves = 225;
    for (const auto& [name, value] : opt) {
        if (name == "--games") {
            if (!ParseInt(value, 1, 1000000, games)) return UsageError(me);
        } else if (name == "--seed") {
            if (!ParseInt(value, 0, 4294967295LL, seed)) return UsageError(me);
        } else if (name == "--max-moves") {
            if (!ParseInt(value, 1, 225, maxMoves)) return UsageError(me);
        } else if (name != "--players") {
            return UsageError(me);
        }
    }
    vorlix::PlayerFactory factory;
    SetUpPlayerFactory(factory);
    std::vector<std::string> ids;
    if (opt.count("--players")) {
        std::stringstream in(opt["--players"]);
        for (std::string id; std::getline(in, id, ',');)
            if (!id.empty()) ids.push_back(id);
    } else {
        ids = AllPlayers(factory);
    }
    if (ids.empty()) return UsageError(me);

    std::map<std::string, PlayerTally> tally;
    long totalMoves = 0, failures = 0, fives = 0;
    const int n = static_cast<int>(ids.size());
    for (long long g = 0; g < games; ++g) {
        // Every player meets every other over n * (n - 1) games, each colour in turn.
        const int a = static_cast<int>(g % n);
        const int b = static_cast<int>((a + 1 + (g / n) % std::max(1, n - 1)) % n);
        const std::string names[3] = {"", ids[static_cast<size_t>(a)], ids[static_cast<size_t>(b)]};
        const unsigned gameSeed = static_cast<unsigned>(seed * 1000003LL + g);
        vorlix::SeedRandom(gameSeed);
        const int stones = static_cast<int>(gameSeed % 13);
        std::string error;
        if (!SetUpPosition(RandomPosition(stones, gameSeed, 5, 11), &error)) {
            std::fprintf(stderr, "vorlix-cli soak: %s\n", error.c_str());
            return 1;
        }
        std::unique_ptr<vorlix::TJatekos> players[3];
        for (int c : {1, 2}) {
            players[c] = factory.CreatePlayerByName(names[c], "");
            if (!players[c] || players[c]->IsHuman) {
                std::printf("game %lld: no player %s\n", g + 1, names[c].c_str());
                return 1;
            }
            // The players did not see the starting stones being played.
            players[c]->BoardChanged = true;
        }
        for (int played = 0; played < maxMoves && vorlix::MoveCount < vorlix::kCells; ++played) {
            const std::uint8_t colour = vorlix::ColourToMove;
            vorlix::TJatekos& p = *players[colour];
            const std::string position = MovesText();
            const GameSnapshot before;
            const auto start = std::chrono::steady_clock::now();
            try {
                p.Move();
                error = CheckChosenMove();
                if (error.empty()) error = before.Changes();
            } catch (const vorlix::InternalError& e) {
                error = e.what();
            }
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            PlayerTally& t = tally[names[colour]];
            ++t.moves;
            t.maxSeconds = std::max(t.maxSeconds, seconds);
            ++totalMoves;
            if (!error.empty()) {
                ++failures;
                std::printf("game %lld move %d, %s (%s): %s\n  position: %s\n", g + 1,
                            vorlix::MoveCount + 1, names[colour].c_str(),
                            colour == vorlix::kBlack ? "black" : "white", error.c_str(),
                            position.c_str());
                break;
            }
            vorlix::RecordMove(vorlix::ChosenMove.X, vorlix::ChosenMove.Y, colour);
            p.BoardChanged = false;
            if (vorlix::FiveInRow(colour)) {
                ++fives;
                break;
            }
            vorlix::ColourToMove = vorlix::Opponent(colour);
            vorlix::MoverColour = vorlix::ColourToMove;
            vorlix::MoverOpponent = colour;
        }
        if (isatty(2)) std::fprintf(stderr, "\rgame %lld/%lld", g + 1, games);
    }
    if (isatty(2)) std::fprintf(stderr, "\n");
    for (const std::string& id : ids) {
        const PlayerTally& t = tally[id];
        std::printf("%-18s %7ld moves, max %.3f s\n", id.c_str(), t.moves, t.maxSeconds);
    }
    std::printf("games %lld, moves %ld, fives %ld, failures %ld\n", games, totalMoves, fives,
                failures);
    return failures ? 1 : 0;
}

} // namespace cli
