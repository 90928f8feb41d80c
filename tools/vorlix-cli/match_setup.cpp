#include "match_setup.h"

#include "players_setup.h"

#include "vorlix/game/match_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cli {

namespace {

std::string TimeText(double seconds) {
    char buf[64];
    if (seconds < 0.001)
        std::snprintf(buf, sizeof buf, "%.1f us", seconds * 1e6);
    else if (seconds < 1.0)
        std::snprintf(buf, sizeof buf, "%.2f ms", seconds * 1000.0);
    else
        std::snprintf(buf, sizeof buf, "%.3f s", seconds);
    return buf;
}

} // namespace

std::string NumberText(double v, int decimals) {
    if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
    if (std::isnan(v)) return "nan";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v + 0.0); // no "-0.0"
    if (std::string(buf).find_first_not_of("-0.") == std::string::npos)
        std::snprintf(buf, sizeof buf, "%.*f", decimals, 0.0);
    return buf;
}

bool PrepareMatch(vorlix::MatchOptions& o, vorlix::OpeningBook& book, const std::string& bookPath,
                  std::string* error) {
    o.Config = ProgramSettings();
    o.SetUpFactory = SetUpPlayerFactory;
    if (o.Opening == vorlix::MatchOpening::Empty && bookPath.empty()) return true;
    const std::string path =
        bookPath.empty() ? o.Config.DataFolder + vorlix::kBookFileName : bookPath;
    if (!book.LoadBook(path)) {
        if (error) *error = book.Error;
        return false;
    }
    o.Book = &book;
    return true;
}

double MeanMsPerMove(const std::vector<vorlix::MatchGame>& games, int seat) {
    double total = 0.0;
    int moves = 0;
    for (const auto& g : games) {
        total += g.ThinkTotal[static_cast<size_t>(seat)];
        moves += g.ThinkMoves[static_cast<size_t>(seat)];
    }
    return moves ? 1000.0 * total / moves : 0.0;
}

void PrintMatchSummary(const vorlix::MatchOptions& o, const std::vector<vorlix::MatchGame>& games) {
    const vorlix::MatchSummary s = vorlix::Summarise(games);
    const int n = s.Wins + s.Losses + s.Draws;
    const vorlix::EloEstimate e = vorlix::EstimateElo(s.Wins, s.Losses, s.Draws);
    std::printf("Score of %s vs %s: %d - %d - %d  [%.3f] %d\n", o.First.c_str(), o.Second.c_str(),
                s.Wins, s.Losses, s.Draws, e.Score, n);
    std::printf("Elo difference: %s +/- %s, LOS: %.1f %%, DrawRatio: %.1f %%\n",
                NumberText(e.Elo, 1).c_str(), NumberText(e.Error, 1).c_str(),
                100.0 * vorlix::LikelihoodOfSuperiority(s.Wins, s.Losses),
                n ? 100.0 * s.Draws / n : 0.0);
    if (s.CompletePairs > 0) {
        const vorlix::EloEstimate p = vorlix::EstimateEloPairs(s.Pairs);
        std::printf("Ptnml(0-2): [%d, %d, %d, %d, %d], pair Elo: %s +/- %s\n", s.Pairs[0],
                    s.Pairs[1], s.Pairs[2], s.Pairs[3], s.Pairs[4], NumberText(p.Elo, 1).c_str(),
                    NumberText(p.Error, 1).c_str());
    }
    if (s.Failed) std::printf("Games without a result: %d\n", s.Failed);
    for (int seat = 0; seat < 2; ++seat) {
        double total = 0.0, max = 0.0;
        int moves = 0;
        for (const auto& g : games) {
            total += g.ThinkTotal[seat];
            max = std::max(max, g.ThinkMax[seat]);
            moves += g.ThinkMoves[seat];
        }
        std::printf("%s: mean %s, max %s per move (%d moves)\n",
                    (seat == 0 ? o.First : o.Second).c_str(),
                    TimeText(moves ? total / moves : 0.0).c_str(), TimeText(max).c_str(), moves);
    }
}

} // namespace cli
