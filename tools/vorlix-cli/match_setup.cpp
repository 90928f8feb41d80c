#include "match_setup.h"

#include "players_setup.h"

#include "tools/match_report/match_report.h"

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
    match_report::Tally t;
    t.Wins = s.Wins;
    t.Losses = s.Losses;
    t.Draws = s.Draws;
    t.Pairs = s.Pairs;
    t.CompletePairs = s.CompletePairs;
    std::fputs(match_report::SummaryLines(o.First, o.Second, t).c_str(), stdout);
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
