#include "kelvor/match.h"

#include "kelvor/kelvor_doc.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace kelvor {

namespace {

// The opening of pair `pair`: the centre, then a white stone next to it and a black
// stone within two lines, drawn from the match seed.
std::vector<std::pair<int, int>> Opening(const MatchOptions& o, int pair, int centre) {
    std::mt19937 rng(o.seed * 7919u + static_cast<unsigned>(pair));
    std::vector<std::pair<int, int>> moves{{centre, centre}};
    auto draw = [&](int reach) {
        while (true) {
            int x = centre + static_cast<int>(rng() % (2 * reach + 1)) - reach;
            int y = centre + static_cast<int>(rng() % (2 * reach + 1)) - reach;
            bool used = false;
            for (auto& m : moves) used |= m.first == x && m.second == y;
            if (!used) return std::make_pair(x, y);
        }
    };
    moves.push_back(draw(1));
    moves.push_back(draw(2));
    return moves;
}

// 0 draw, 1 A won, 2 B won.
int PlayGame(const MatchOptions& o, int game) {
    CKelvorDoc doc(o.folder, o.seed * 1000003u + static_cast<unsigned>(game));
    doc.Variant = o.variant;
    doc.OpeningBook = o.book;
    doc.MaxSeconds = o.maxSeconds;
    doc.SetBoardSize(o.boardSize);
    const bool aBlack = game % 2 == 0;
    doc.PlayerLevel =
        aBlack ? std::array<int, 2>{o.levelA, o.levelB} : std::array<int, 2>{o.levelB, o.levelA};
    for (auto [x, y] : Opening(o, game / 2, doc.Centre)) doc.MakeMove(x, y);
    while (doc.GameState != kGameOver)
        if (!doc.ComputerMove()) break;
    if (doc.Winner == 0) return 0;
    return (doc.Winner == kBlack) == aBlack ? 1 : 2;
}

} // namespace

MatchResult RunMatch(const MatchOptions& o, const std::function<void(const MatchResult&)>& onGame) {
    MatchResult result;
    std::mutex lock;
    std::atomic<int> next{0};
    auto worker = [&] {
        for (int g; (g = next++) < o.games;) {
            int outcome = PlayGame(o, g);
            std::lock_guard<std::mutex> hold(lock);
            (outcome == 1 ? result.wins : outcome == 2 ? result.losses : result.draws)++;
            if (onGame) onGame(result);
        }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < std::max(1, o.jobs); ++j) threads.emplace_back(worker);
    for (auto& t : threads) t.join();
    return result;
}

EloEstimate EstimateElo(int w, int l, int d) {
    EloEstimate e;
    double n = w + l + d;
    if (n == 0) return e;
    auto elo = [](double s) { return -400.0 * std::log10(1.0 / s - 1.0); };
    e.score = (w + d / 2.0) / n;
    double var = (w * std::pow(1 - e.score, 2) + d * std::pow(0.5 - e.score, 2) +
                  l * std::pow(0 - e.score, 2)) /
                 n;
    double margin = 1.959964 * std::sqrt(var / n);
    e.elo = elo(e.score);
    e.error = (elo(e.score + margin) - elo(e.score - margin)) / 2;
    e.los = w + l > 0 ? 0.5 + 0.5 * std::erf((w - l) / std::sqrt(2.0 * (w + l))) : 0.5;
    e.drawRatio = d / n;
    return e;
}

std::string MatchSummary(const std::string& a, const std::string& b, const MatchResult& r) {
    EloEstimate e = EstimateElo(r.wins, r.losses, r.draws);
    char line[256];
    std::string out;
    std::snprintf(line, sizeof line, "Score of %s vs %s: %d - %d - %d  [%.3f] %d\n", a.c_str(),
                  b.c_str(), r.wins, r.losses, r.draws, e.score, r.wins + r.losses + r.draws);
    out += line;
    std::snprintf(line, sizeof line,
                  "Elo difference: %.1f +/- %.1f, LOS: %.1f %%, DrawRatio: %.1f %%\n", e.elo,
                  e.error, e.los * 100, e.drawRatio * 100);
    out += line;
    return out;
}

} // namespace kelvor
