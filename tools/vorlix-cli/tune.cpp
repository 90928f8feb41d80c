// tune: SPSA over the numbers of the pattern table design, by self-play.
//
// The tuned subset: the M1 values of making and of blocking the classes open four, four,
// open three, three and open two; the E1 values of four, open three, three and open
// two; and the double-three pair entries of the M1 own and the E1 matrices. The shapes
// that decide games are among them; the five and the double four are left alone
// because every sensible table puts them above everything else anyway.
//
// SPSA (simultaneous perturbation stochastic approximation) works on the logarithms of
// the numbers, so every number moves by a share of itself. Iteration k perturbs all of
// them together by +c_k or -c_k (signs drawn from the seeded generator), plays G games
// between a player reading the "plus" tables and one reading the "minus" tables, and
// moves each logarithm by a_k (2s - 1) / (2 c_k) times its sign, s being the plus
// side's score. c_k = c / k^0.101 and a_k = a / k^0.602, the usual decay. Each
// iteration's signs, score and numbers go to DIR/tune.log; the end result goes to
// DIR/tuned/ (the six files) and DIR/tuned-design.txt.
//
// `tune --confirm FOLDER` plays the player with FOLDER's tables against the player
// with the data folder's and says whether the tuned tables are ahead; only then do the
// numbers belong in pattern_table_design.cpp (see README).

#include "commands.h"
#include "match_setup.h"
#include "players_setup.h"

#include "vorlix/eval/pattern_table_design.h"
#include "vorlix/match/match.h"
#include "vorlix/match/match_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace cli {

namespace {

using Numbers = vorlix::PatternTableNumbers;

struct TuneParameter {
    const char* Name;
    std::function<int&(Numbers&)> Field;
    int Max; // pair entries stay small enough for the 16-bit direction tables
};

int& PairEntry(Numbers& n, int a, int b, int Numbers::PairValues::*field) {
    for (auto& p : n.Pairs)
        if (p.A == a && p.B == b) return p.*field;
    n.Pairs.push_back({a, b, 0, 0, 0});
    return n.Pairs.back().*field;
}

const std::vector<TuneParameter>& Parameters() {
    using C = Numbers::ClassValues;
    auto cls = [](const char* name, int lineClass, int C::*field) {
        return TuneParameter{name,
                             [lineClass, field](Numbers& n) -> int& {
                                 return n.Classes[static_cast<size_t>(lineClass)].*field;
                             },
                             30000};
    };
    static const std::vector<TuneParameter> params = {
        cls("M1.own.openfour", 2, &C::M1Own),
        cls("M1.own.four", 3, &C::M1Own),
        cls("M1.own.openthree", 4, &C::M1Own),
        cls("M1.own.three", 5, &C::M1Own),
        cls("M1.own.opentwo", 6, &C::M1Own),
        cls("M1.opp.openfour", 2, &C::M1Opp),
        cls("M1.opp.four", 3, &C::M1Opp),
        cls("M1.opp.openthree", 4, &C::M1Opp),
        cls("M1.opp.three", 5, &C::M1Opp),
        cls("M1.opp.opentwo", 6, &C::M1Opp),
        cls("E1.four", 3, &C::E1),
        cls("E1.openthree", 4, &C::E1),
        cls("E1.three", 5, &C::E1),
        cls("E1.opentwo", 6, &C::E1),
        {"M1.own.pair.openthree.openthree",
         [](Numbers& n) -> int& { return PairEntry(n, 4, 4, &Numbers::PairValues::M1Own); }, 5000},
        {"E1.pair.openthree.openthree",
         [](Numbers& n) -> int& { return PairEntry(n, 4, 4, &Numbers::PairValues::E1); }, 5000},
    };
    return params;
}

// The design with the parameters set to exp(theta), rounded and kept in 1..Max.
Numbers WithParameters(const std::vector<double>& theta) {
    Numbers n = vorlix::DesignedPatternTables();
    const auto& params = Parameters();
    for (size_t i = 0; i < params.size(); ++i)
        params[i].Field(n) = static_cast<int>(
            std::clamp(std::lround(std::exp(theta[i])), 1L, static_cast<long>(params[i].Max)));
    return n;
}

std::string Join(const std::filesystem::path& dir, const std::string& name) {
    return (dir / name).string() + "/";
}

bool WriteTables(const std::string& folder, const Numbers& n) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string error;
    if (ec || !vorlix::WritePatternTables(folder, n, &error)) {
        std::fprintf(stderr, "vorlix-cli tune: cannot write the tables into %s\n", folder.c_str());
        return false;
    }
    return true;
}

// A match of `player` with the tables of folder A (seat 1) against folder B; empty
// folders mean the data folder's tables.
struct TableMatch {
    std::string Player;
    std::string FolderA, FolderB;
    int Games = 2, Jobs = 1;
    std::uint32_t Seed = 1;
};

bool PlayTableMatch(const TableMatch& m, const char* nameA, const char* nameB,
                    vorlix::MatchOptions& o, std::vector<vorlix::MatchGame>& games) {
    o.First = nameA;
    o.Second = nameB;
    o.Games = m.Games;
    o.Jobs = m.Jobs;
    o.Seed = m.Seed;
    o.Opening = vorlix::MatchOpening::Book;
    static vorlix::OpeningBook book; // outlives every match of the run
    std::string error;
    if (!PrepareMatch(o, book, "", &error)) {
        std::fprintf(stderr, "vorlix-cli tune: %s\n", error.c_str());
        return false;
    }
    const std::string data = o.Config.DataFolder;
    const std::string a = m.FolderA.empty() ? data : m.FolderA;
    const std::string b = m.FolderB.empty() ? data : m.FolderB;
    const std::string player = m.Player, first = nameA, second = nameB;
    o.SetUpFactory = [player, a, b, first, second](vorlix::PlayerFactory& f) {
        SetUpPlayerFactory(f);
        AddPlayerWithDataFolder(f, first, player, a);
        AddPlayerWithDataFolder(f, second, player, b);
    };
    if (!vorlix::CheckMatchPlayers(o)) {
        std::fprintf(stderr, "vorlix-cli tune: cannot make %s with the tables of %s and of %s\n",
                     m.Player.c_str(), a.c_str(), b.c_str());
        return false;
    }
    games = vorlix::RunMatch(o, nullptr);
    return true;
}

int Confirm(const std::string& folder, const TableMatch& base) {
    TableMatch m = base;
    m.FolderA = folder;
    vorlix::MatchOptions o;
    std::vector<vorlix::MatchGame> games;
    if (!PlayTableMatch(m, "Tuned", "Designed", o, games)) return 1;
    PrintMatchSummary(o, games);
    const vorlix::MatchSummary s = vorlix::Summarise(games);
    const vorlix::EloEstimate e = vorlix::EstimateEloPairs(s.Pairs);
    const bool ahead = s.CompletePairs > 0 && std::isfinite(e.Elo) && !std::isnan(e.Error) &&
                       e.Elo - e.Error > 0.0;
    // Fewer games than that do not decide whether the committed tables are replaced.
    const int needed = 200;
    const int played = s.Wins + s.Losses + s.Draws;
    std::printf("Tuned tables ahead with the error bar above zero: %s\n",
                !ahead            ? "no"
                : played < needed ? "not settled, fewer than 200 games"
                                  : "yes");
    return 0;
}

} // namespace

int Tune(const Args& args) {
    const Command& me = *FindCommand("tune");
    std::map<std::string, std::string> opt;
    if (!ParseOptions(args, opt)) return UsageError(me);
    for (const auto& [name, value] : opt)
        if (name != "--iterations" && name != "--games" && name != "--seed" && name != "--jobs" &&
            name != "--out" && name != "--player" && name != "--confirm")
            return UsageError(me);
    long long iterations = 10, games = 20, seed = 1, jobs = 1;
    if ((opt.count("--iterations") && !ParseInt(opt["--iterations"], 1, 100000, iterations)) ||
        (opt.count("--games") && !ParseInt(opt["--games"], 2, 1000000, games)) ||
        (opt.count("--seed") && !ParseInt(opt["--seed"], 0, 4294967295LL, seed)) ||
        (opt.count("--jobs") && !ParseInt(opt["--jobs"], 1, 256, jobs)))
        return UsageError(me);
    TableMatch m;
    m.Player = opt.count("--player") ? opt["--player"] : "Zelta";
    m.Games = static_cast<int>(games + games % 2); // whole game pairs
    m.Jobs = static_cast<int>(jobs);
    m.Seed = static_cast<std::uint32_t>(seed);
    if (opt.count("--confirm")) {
        if (!opt.count("--games")) m.Games = 200;
        return Confirm(opt["--confirm"], m);
    }

    const std::filesystem::path dir = opt.count("--out") ? opt["--out"] : "tune";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::ofstream log(dir / "tune.log", std::ios::trunc);
    if (ec || !log) {
        std::fprintf(stderr, "vorlix-cli tune: cannot write %s\n", (dir / "tune.log").c_str());
        return 1;
    }
    const double c = 0.2, a = 0.2, maxStep = 0.3;
    const auto& params = Parameters();
    std::vector<double> theta;
    Numbers designed = vorlix::DesignedPatternTables();
    for (const auto& p : params) theta.push_back(std::log(std::max(1, p.Field(designed))));

    log << "# vorlix-cli tune: SPSA on the logarithms of the pattern table numbers\n";
    log << "# player " << m.Player << ", iterations " << iterations << ", games " << m.Games
        << ", seed " << m.Seed << ", c " << c << ", a " << a << "\n";
    log << "# columns: iteration c_k a_k signs W L D score";
    for (const auto& p : params) log << ' ' << p.Name;
    log << "\n# start - - - - - - -";
    for (double t : theta) log << ' ' << std::lround(std::exp(t));
    log << "\n";

    std::mt19937 signs(m.Seed);
    for (long long k = 1; k <= iterations; ++k) {
        const double ck = c / std::pow(static_cast<double>(k), 0.101);
        const double ak = a / std::pow(static_cast<double>(k), 0.602);
        std::vector<double> delta(params.size()), plus(theta), minus(theta);
        std::string signText;
        for (size_t i = 0; i < params.size(); ++i) {
            delta[i] = (signs() & 1) ? 1.0 : -1.0;
            plus[i] += ck * delta[i];
            minus[i] -= ck * delta[i];
            signText += delta[i] > 0 ? '+' : '-';
        }
        TableMatch round = m;
        round.FolderA = Join(dir, "work-plus");
        round.FolderB = Join(dir, "work-minus");
        round.Seed = m.Seed + static_cast<std::uint32_t>(k) * 104729u;
        if (!WriteTables(round.FolderA, WithParameters(plus)) ||
            !WriteTables(round.FolderB, WithParameters(minus)))
            return 1;
        vorlix::MatchOptions o;
        std::vector<vorlix::MatchGame> results;
        if (!PlayTableMatch(round, "TunePlus", "TuneMinus", o, results)) return 1;
        const vorlix::MatchSummary s = vorlix::Summarise(results);
        const int n = s.Wins + s.Losses + s.Draws;
        const double score = n ? (s.Wins + 0.5 * s.Draws) / n : 0.5;
        const double step = std::clamp(ak * (2.0 * score - 1.0) / (2.0 * ck), -maxStep, maxStep);
        for (size_t i = 0; i < params.size(); ++i) theta[i] += step * delta[i];

        char head[160];
        std::snprintf(head, sizeof head, "%lld %.4f %.4f %s %d %d %d %.3f", k, ck, ak,
                      signText.c_str(), s.Wins, s.Losses, s.Draws, score);
        log << head;
        Numbers now = WithParameters(theta);
        for (const auto& p : params) log << ' ' << p.Field(now);
        log << "\n";
        log.flush();
        std::printf("iteration %lld: plus %d - %d - %d against minus, score %.3f\n", k, s.Wins,
                    s.Losses, s.Draws, score);
        std::fflush(stdout);
    }

    Numbers tuned = WithParameters(theta);
    if (!WriteTables(Join(dir, "tuned"), tuned)) return 1;
    std::ofstream design(dir / "tuned-design.txt", std::ios::trunc);
    design << "# parameter designed tuned\n";
    for (const auto& p : params)
        design << p.Name << ' ' << p.Field(designed) << ' ' << p.Field(tuned) << "\n";
    design.close();
    if (!log || !design) {
        std::fprintf(stderr, "vorlix-cli tune: cannot write into %s\n", dir.c_str());
        return 1;
    }
    std::printf("Wrote %s, %s and the tables in %s\n", (dir / "tune.log").c_str(),
                (dir / "tuned-design.txt").c_str(), Join(dir, "tuned").c_str());
    return 0;
}

} // namespace cli
