// bench: every level on a fixed suite of positions, with times, work and a signature.
//
// The suite has openings, middle games, sharp positions a few moves before a win, and
// late positions with more than 140 stones. The middle and sharp positions come from
// games between the evaluation players; the late ones are seeded fills without a
// four, so that the engines meet crowded boards with work still to do. The signature
// adds the engines' work counters and the chosen cells: it depends only on the code, the
// data files and the seed, never on the machine, so a change of behaviour shows at once.

#include "commands.h"
#include "players_setup.h"
#include "position.h"

#include "vorlix/eval/engine_work.h"
#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/random.h"
#include "vorlix/search/internal_levels.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace cli {

namespace {

struct BenchPosition {
    const char* kind;
    std::string moves;
};

// Two games between Zelta and DraskHS, played to a five; prefixes of them make the
// middle-game and sharp positions.
const char* const kGames[] = {
    "H8,H7,J10,I9,J8,K8,I7,K9,J9,J7,K10,J6,I6,L11,J11,J12,I10,H10,K12,H9,G9,I8,K6,G10,F11,E11,"
    "L10,M10,L9,I12,H11,I13,G12,F13,M8,N7,E10,H13,G13,I11,L7,J5,D9,C8,K13,I14,I15,J4,J3,H14",
    "H8,H7,I9,J10,I8,J8,J11,I7,J7,K9,L10,H9,I11,H11,I10,I12,G10,K12,H6,H12,J12,K11,K13,L14,H10,"
    "G9,F10,E10,F9,F8,J6,I6,J5,E7,E8,I5,D7,C6,J4,J3,B5,C5,D6,D8,C9,I4,I3,H5,K2,F7,G7,G6",
    "H8,I7,F6,I9,I8,G8,G6,J9,H9,H6,G5,G4,J7,K6,E7,H4,H5,J5,I4,J3,E5,F5,E8,F7,E6,E9,E4",
    "H8,I7,G8,F8,I9,J10,E7,K9,I11,J8,L10,H6,G5,F6,J11,I10,H11,K11,H9,H10,K10,I5,G7,G6,E6,F7,F9,"
    "E9,I6,I12,H7,J5,E10",
    "H8,H7,F8,G8,I6,I5,F6,G7,F7,F5,G6,H6,H5,E8,F10,F9,G10,J4,K3,E10,D11,E11,E9,J7,J3,I4,D8,G11,"
    "K4,E7,K5,K2,K7,K6,L5,I2,H3,I3,I1,D10,M5,J5,L4,J2,L6,L2,H2,M2",
    "H8,H7,G8,F8,G6,G7,H6,F7,E7,F6,F9,E9,E8,J7,I7,J8,D7,G10,J6,K5,G9,F10,D10,H10,I10,G11,D8,I9,"
    "K7,F12",
};

std::string Prefix(const char* game, int moves) {
    std::string g = game;
    size_t at = 0;
    for (int k = 0; k < moves && at != std::string::npos; ++k) {
        at = g.find(',', at + (k > 0 ? 1 : 0));
    }
    return at == std::string::npos ? g : g.substr(0, at);
}

int Length(const char* game) {
    return static_cast<int>(std::count(game, game + std::char_traits<char>::length(game), ',')) + 1;
}

std::vector<BenchPosition> Suite() {
    std::vector<BenchPosition> s;
    s.push_back({"opening", "H8"});
    s.push_back({"opening", "H8,H7,J10"});
    s.push_back({"opening", "H8,I7,G8,F8,I9"});
    s.push_back({"middle", Prefix(kGames[0], 16)});
    s.push_back({"middle", Prefix(kGames[1], 21)});
    s.push_back({"middle", Prefix(kGames[4], 24)});
    s.push_back({"middle", Prefix(kGames[5], 14)});
    s.push_back({"middle", Prefix(kGames[0], 40)});
    for (int g : {1, 2, 3, 5}) {
        s.push_back({"sharp", Prefix(kGames[g], Length(kGames[g]) - 7)});
        s.push_back({"sharp", Prefix(kGames[g], Length(kGames[g]) - 9)});
    }
    s.push_back({"late", RandomPosition(142, 11, 1, 15, 2)});
    s.push_back({"late", RandomPosition(151, 12, 1, 15, 2)});
    s.push_back({"late", RandomPosition(166, 13, 1, 15, 2)});
    s.push_back({"late", RandomPosition(180, 14, 1, 15, 2)});
    return s;
}

bool ParseLevels(const std::string& text, int& lo, int& hi) {
    long long a = 0, b = 0;
    const size_t dash = text.find('-');
    if (dash == std::string::npos) {
        if (!ParseInt(text, 0, 9, a)) return false;
        lo = hi = static_cast<int>(a);
        return true;
    }
    if (!ParseInt(text.substr(0, dash), 0, 9, a) || !ParseInt(text.substr(dash + 1), 0, 9, b) ||
        a > b)
        return false;
    lo = static_cast<int>(a);
    hi = static_cast<int>(b);
    return true;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int Bench(const Args& args) {
    const Command& me = *FindCommand("bench");
    std::map<std::string, std::string> opt;
    if (!ParseOptions(args, opt)) return UsageError(me);
    int lo = 0, hi = 9;
    long long seed = 1;
    bool verbose = false;
    for (const auto& [name, value] : opt) {
        if (name == "--levels") {
            if (!ParseLevels(value, lo, hi)) return UsageError(me);
        } else if (name == "--verbose") {
            if (value != "1" && value != "0") return UsageError(me);
            verbose = value == "1";
        } else if (name == "--seed") {
            if (!ParseInt(value, 0, 4294967295LL, seed)) return UsageError(me);
        } else {
            return UsageError(me);
        }
    }
    const std::vector<BenchPosition> suite = Suite();
    std::printf("%zu positions (3 openings, 5 middle games, 8 sharp, 4 late), seed %lld\n",
                suite.size(), seed);
    std::printf("%-8s %-13s %6s %11s %11s %13s\n", "level", "identifier", "moves", "median ms",
                "max ms", "work/move");

    vorlix::PlayerFactory factory;
    SetUpPlayerFactory(factory);
    std::uint64_t signature = 0;
    int failures = 0;
    for (int level = lo; level <= hi; ++level) {
        const char* id = vorlix::kInternalItems[static_cast<size_t>(level)].Identifier;
        std::unique_ptr<vorlix::TJatekos> player = factory.CreatePlayerByName(id, "");
        if (!player) {
            std::printf("Level %d  %-13s not built into this program\n", level, id);
            continue;
        }
        std::vector<double> times, works;
        for (size_t i = 0; i < suite.size(); ++i) {
            std::string error;
            if (!SetUpPosition(suite[i].moves, &error)) {
                std::fprintf(stderr, "vorlix-cli bench: position %zu: %s\n", i + 1, error.c_str());
                return 1;
            }
            vorlix::SeedRandom(static_cast<std::uint32_t>(seed + static_cast<long long>(i)));
            player->BoardChanged = true;
            const GameSnapshot before;
            const std::uint64_t work = vorlix::Work().Total();
            const auto start = std::chrono::steady_clock::now();
            try {
                player->Move();
                error = CheckChosenMove();
                if (error.empty()) error = before.Changes();
            } catch (const vorlix::InternalError& e) {
                error = e.what();
            }
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            const std::uint64_t spent = vorlix::Work().Total() - work;
            if (!error.empty()) {
                std::printf("Level %d position %zu (%s, %d stones): %s\n", level, i + 1,
                            suite[i].kind, vorlix::MoveCount, error.c_str());
                ++failures;
                continue;
            }
            if (verbose)
                std::printf("  position %2zu %-7s %3d stones: %s in %.2f ms, work %llu\n", i + 1,
                            suite[i].kind, vorlix::MoveCount,
                            vorlix::TrimRight(vorlix::PontText(vorlix::ChosenMove.X, vorlix::ChosenMove.Y)).c_str(),
                            ms, static_cast<unsigned long long>(spent));
            if (verbose && level == lo) std::printf("    moves: %s\n", suite[i].moves.c_str());
            times.push_back(ms);
            works.push_back(static_cast<double>(spent));
            signature += spent + static_cast<std::uint64_t>(vorlix::CellIndex(vorlix::ChosenMove)) *
                                     (i + 1) * static_cast<std::uint64_t>(level + 1);
        }
        std::printf(
            "Level %d  %-13s %6zu %11.2f %11.2f %13.0f\n", level, id, times.size(), Median(times),
            times.empty() ? 0.0 : *std::max_element(times.begin(), times.end()), Median(works));
    }
    std::printf("Bench signature: %llu\n", static_cast<unsigned long long>(signature));
    if (failures) std::printf("%d failed moves\n", failures);
    return failures ? 1 : 0;
}

} // namespace cli
