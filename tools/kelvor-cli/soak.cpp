// soak: games between kelvor's levels from random positions, checking every move.
//
// A game alternates the variant and walks through the board sizes 13 to 19; it starts
// from a seeded random position near the centre (black's stones legal under the renju
// rules) and is played to its end by the document's computer moves. Each move must be a
// free cell of the board, legal for black in renju, and thinking must leave the
// document's position as it was; an exception from the engine is a failure. A failure
// prints the game so far, which `think` replays.

#include "kelvor/kelvor_doc.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <random>
#include <string>
#include <vector>

namespace kelvor_cli {

namespace {

std::string MovesText(const kelvor::CKelvorDoc& doc) {
    std::string out;
    for (int cell : doc.Record)
        out +=
            (out.empty() ? "" : ",") + kelvor::CellText(cell % doc.BoardSize, cell / doc.BoardSize);
    return out;
}

// Up to `stones` random stones within two lines of the centre, colours alternating,
// each a legal move that ends nothing.
void RandomStart(kelvor::CKelvorDoc& doc, int stones, std::mt19937& rng) {
    const int c = doc.Centre;
    for (int tries = 0; static_cast<int>(doc.Record.size()) < stones && tries < 200; ++tries) {
        const int x = c - 2 + static_cast<int>(rng() % 5), y = c - 2 + static_cast<int>(rng() % 5);
        if (!kelvor::IsFree(doc.Board[x][y])) continue;
        if (doc.Variant == 0 && doc.ToMove == kelvor::kBlack && !doc.IsLegal(x, y)) continue;
        doc.MakeMove(x, y);
        if (doc.GameState == kelvor::kGameOver) break;
    }
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

// soak --games N [--seed S] [--levels LO-HI] [--time SECONDS] [--max-moves M] [--data DIR]
int Soak(int games, unsigned seed, int lo, int hi, int seconds, int maxMoves,
         const std::string& folder) {
    long moves = 0, failures = 0, decided = 0, stopped = 0;
    double slowest = 0;
    std::vector<double> times; // of every search
    for (int g = 0; g < games; ++g) {
        std::mt19937 rng(seed * 1000003u + static_cast<unsigned>(g));
        kelvor::CKelvorDoc doc(folder, seed + static_cast<unsigned>(g));
        if (!doc.TablesLoaded()) {
            std::fprintf(stderr, "kelvor-cli: cannot read renju.tbl and renju.scs\n");
            return 1;
        }
        doc.Variant = g % 2;
        doc.OpeningBook = false;
        doc.MaxSeconds = seconds;
        doc.SetBoardSize(13 + 2 * ((g / 2) % 4));
        const int span = hi - lo + 1;
        doc.PlayerLevel = {lo + static_cast<int>(rng() % span),
                           lo + static_cast<int>(rng() % span)};
        RandomStart(doc, static_cast<int>(rng() % 9), rng);
        const size_t first = times.size();
        for (int played = 0; played < maxMoves && doc.GameState != kelvor::kGameOver; ++played) {
            const kelvor::BoardGrid before = doc.Board;
            const std::vector<int> record = doc.Record;
            const int toMove = doc.ToMove;
            std::string error;
            kelvor::ThinkResult r;
            const auto start = std::chrono::steady_clock::now();
            try {
                r = doc.Think();
            } catch (const std::exception& e) {
                error = std::string("engine error: ") + e.what();
            }
            const double took =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            slowest = std::max(slowest, took);
            times.push_back(took);
            stopped += r.stopped;
            ++moves;
            if (error.empty() &&
                (doc.Board != before || doc.Record != record || doc.ToMove != toMove))
                error = "thinking changed the position";
            if (error.empty() && r.x < 0) break; // no move left: the board is full
            if (error.empty() && !kelvor::OnBoard(doc.BoardSize, r.x, r.y))
                error = "the move is off the board";
            else if (error.empty() && !kelvor::IsFree(doc.Board[r.x][r.y]))
                error = "the move " + kelvor::CellText(r.x, r.y) + " is taken";
            else if (error.empty() && doc.Variant == 0 && toMove == kelvor::kBlack &&
                     !doc.IsLegal(r.x, r.y))
                error = "black's move " + kelvor::CellText(r.x, r.y) + " is forbidden";
            if (!error.empty()) {
                ++failures;
                std::printf("game %d (%s %dx%d, levels %d/%d) move %zu: %s\n  moves: %s\n", g + 1,
                            doc.Variant == 0 ? "renju" : "gomoku", doc.BoardSize, doc.BoardSize,
                            doc.PlayerLevel[0], doc.PlayerLevel[1], doc.Record.size() + 1,
                            error.c_str(), MovesText(doc).c_str());
                break;
            }
            doc.MakeMove(r.x, r.y);
        }
        decided += doc.Winner != 0;
        // Progress on the error stream: a soak of the deep levels runs for hours.
        std::fprintf(
            stderr, "game %d (%s %dx%d, levels %d/%d): %zu stones, median move %.2f s\n", g + 1,
            doc.Variant == 0 ? "renju" : "gomoku", doc.BoardSize, doc.BoardSize, doc.PlayerLevel[0],
            doc.PlayerLevel[1], doc.Record.size(),
            Median(std::vector<double>(times.begin() + static_cast<long>(first), times.end())));
    }
    const double median = Median(times);
    std::printf("games %d, moves %ld, won %ld, median move %.2f s, slowest move %.2f s, stopped by "
                "the time limit %ld, failures %ld\n",
                games, moves, decided, median, slowest, stopped, failures);
    return failures ? 1 : 0;
}

} // namespace kelvor_cli
