// match and think: computer players playing headless.

#include "commands.h"
#include "match_setup.h"
#include "players_setup.h"
#include "position.h"

#include "platform/messages.h"
#include "vorlix/eval/openingbook.h"
#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/random.h"
#include "vorlix/match/match.h"
#include "vorlix/match/match_stats.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <unistd.h>

namespace cli {

// "--name value" pairs; false for anything else or a repeated name.
bool ParseOptions(const Args& args, std::map<std::string, std::string>& out) {
    for (size_t i = 0; i < args.size(); i += 2) {
        if (args[i].rfind("--", 0) != 0 || i + 1 >= args.size() || out.count(args[i])) return false;
        out[args[i]] = args[i + 1];
    }
    return true;
}

bool TakeFlag(const Args& args, const std::string& flag, Args& rest) {
    bool found = false;
    for (const std::string& a : args) {
        if (a == flag && !found)
            found = true;
        else
            rest.push_back(a);
    }
    return found;
}

bool ParseInt(const std::string& text, long long min, long long max, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno || *end || v < min || v > max) return false;
    value = v;
    return true;
}

int Match(const Args& args) {
    const Command& me = *FindCommand("match");
    // "--colour-change" is the one option without a value.
    Args rest;
    const bool colourChange = TakeFlag(args, "--colour-change", rest);
    std::map<std::string, std::string> opt;
    if (!ParseOptions(rest, opt)) return UsageError(me);
    for (const auto& [name, value] : opt)
        if (name != "--first" && name != "--second" && name != "--games" && name != "--seed" &&
            name != "--jobs" && name != "--save" && name != "--openings" && name != "--book")
            return UsageError(me);
    if (opt.count("--openings") && (opt["--openings"] != "book" || colourChange))
        return UsageError(me);
    long long games = 0, jobs = 1, seed = 0;
    if (!opt.count("--first") || !opt.count("--second") || !opt.count("--games") ||
        !ParseInt(opt["--games"], 1, 1000000, games) ||
        (opt.count("--jobs") && !ParseInt(opt["--jobs"], 1, 256, jobs)) ||
        (opt.count("--seed") && !ParseInt(opt["--seed"], 0, 4294967295LL, seed)))
        return UsageError(me);

    vorlix::MatchOptions o;
    o.First = opt["--first"];
    o.Second = opt["--second"];
    o.Games = static_cast<int>(games);
    o.Jobs = static_cast<int>(jobs);
    o.Seed = opt.count("--seed") ? static_cast<std::uint32_t>(seed) : vorlix::SeedRandom();
    o.SaveFolder = opt.count("--save") ? opt["--save"] : "";
    o.Opening = colourChange              ? vorlix::MatchOpening::ColourChange
                : opt.count("--openings") ? vorlix::MatchOpening::Book
                                          : vorlix::MatchOpening::Empty;
    vorlix::OpeningBook book;
    std::string error;
    if (!PrepareMatch(o, book, opt.count("--book") ? opt["--book"] : "", &error)) {
        std::fprintf(stderr, "vorlix-cli match: %s\n", error.c_str());
        return 1;
    }
    if (!o.SaveFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(o.SaveFolder, ec);
        if (ec) {
            std::fprintf(stderr, "vorlix-cli match: cannot create %s: %s\n", o.SaveFolder.c_str(),
                         ec.message().c_str());
            return 1;
        }
    }
    if (!opt.count("--seed")) std::printf("Seed: %u\n", o.Seed);
    if (!CheckMatchPlayers(o)) {
        std::fprintf(stderr, "vorlix-cli match: the players %s and %s cannot both be created\n",
                     o.First.c_str(), o.Second.c_str());
        return 1;
    }

    // Progress is a line that rewrites itself: only for a terminal.
    const bool progress = ::isatty(2);
    int finished = 0, w = 0, l = 0, d = 0;
    auto games_ = vorlix::RunMatch(o, [&](const vorlix::MatchGame& g) {
        ++finished;
        w += g.Outcome == vorlix::MatchGame::FirstWon;
        l += g.Outcome == vorlix::MatchGame::SecondWon;
        d += g.Outcome == vorlix::MatchGame::Draw;
        if (g.FaultSeat) {
            const std::string& who = g.FaultSeat == 1 ? o.First : o.Second;
            std::printf("Game %d: %s loses by error: %s\n", g.Number, who.c_str(),
                        g.Message.c_str());
        } else if (g.Outcome == vorlix::MatchGame::Failed) {
            std::printf("Game %d: no result: %s\n", g.Number, g.Message.c_str());
        }
        std::fflush(stdout);
        if (progress) {
            std::fprintf(stderr, "\rgame %d/%d  %d - %d - %d", finished, o.Games, w, l, d);
            if (finished == o.Games) std::fprintf(stderr, "\n");
        }
    });
    PrintMatchSummary(o, games_);
    return 0;
}

int Think(const Args& args) {
    const Command& me = *FindCommand("think");
    std::map<std::string, std::string> opt;
    if (!ParseOptions(args, opt) || !opt.count("--player") || !opt.count("--moves"))
        return UsageError(me);
    for (const auto& [name, value] : opt)
        if (name != "--player" && name != "--moves" && name != "--seed") return UsageError(me);
    long long seed = 1;
    if (opt.count("--seed") && !ParseInt(opt["--seed"], 0, 4294967295LL, seed))
        return UsageError(me);

    vorlix::SeedRandom(static_cast<std::uint32_t>(seed));
    ::setenv("VORLIX_PLAYERS_CLOCK", std::to_string(seed).c_str(), 1);
    std::string error;
    if (!SetUpPosition(opt["--moves"], &error)) {
        std::fprintf(stderr, "vorlix-cli think: %s\n", error.c_str());
        return error == "the board is full" ? 1 : 2;
    }

    vorlix::PlayerFactory factory;
    SetUpPlayerFactory(factory);
    auto player = factory.CreatePlayerByName(opt["--player"], "");
    if (!player || player->IsHuman) {
        std::fprintf(stderr, "vorlix-cli think: no player %s\n", opt["--player"].c_str());
        return 1;
    }
    // A fresh player sees a position it did not build up move by move.
    player->BoardChanged = vorlix::MoveCount >= 2;
    try {
        player->Move();
    } catch (const std::exception& e) {
        // An engine check, or a library player that crashed, ended, threw or hung.
        std::fprintf(stderr, "vorlix-cli think: %s\n", e.what());
        return 1;
    }
    const vorlix::TPont m = vorlix::ChosenMove;
    if (!vorlix::OnBoard(m.X, m.Y) || vorlix::Tabla[vorlix::CellIndex(m)] != vorlix::kEmpty) {
        std::fprintf(stderr, "vorlix-cli think: the player answered %d,%d, not an empty point\n",
                     m.X, m.Y);
        return 1;
    }
    std::printf("move %s\n", vorlix::TrimRight(vorlix::PontText(m.X, m.Y)).c_str());
    return 0;
}

} // namespace cli
