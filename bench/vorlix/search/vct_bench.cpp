// Micro-benchmarks of the threat-sequence search: the threat-table update that every
// node pays (a stone put and lifted), the full table build of each run, and whole runs
// on a known win and on seeded quiet middle games with the budgets the players use.

#include "vorlix/eval/linepattern.h"
#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/random.h"
#include "vorlix/search/threattable.h"
#include "vorlix/search/vct.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using namespace vorlix;

void Put(std::initializer_list<const char*> cells, std::uint8_t colour) {
    for (const char* c : cells) Tabla[CellIndex(ParsePont(c))] = colour;
}

// `stones` random stones, alternately black and white, black to move when even.
void RandomPosition(int stones, std::uint32_t seed) {
    ResetGameModel();
    SeedRuntimeRandom(seed);
    for (int placed = 0; placed < stones;) {
        int cell = 1 + RuntimeRandom(kCells);
        if (Tabla[cell] != kEmpty) continue;
        Tabla[cell] = placed % 2 == 0 ? kBlack : kWhite;
        ++placed;
    }
    ColourToMove = stones % 2 == 0 ? kBlack : kWhite;
}

std::vector<int> EmptyCells() {
    std::vector<int> cells;
    for (int c = 1; c <= kCells; ++c)
        if (Tabla[c] == kEmpty) cells.push_back(c);
    return cells;
}

void BM_ThreatTablesUpdate(benchmark::State& state) {
    RandomPosition(static_cast<int>(state.range(0)), 42);
    static TThreatTable black(kBlack), white(kWhite);
    black.Compute();
    white.Compute();
    auto empty = EmptyCells();
    size_t i = 0;
    for (auto _ : state) {
        int cell = empty[i];
        if (++i == empty.size()) i = 0;
        Tabla[cell] = kBlack;
        black.Push(cell);
        white.Push(cell);
        Tabla[cell] = kEmpty;
        black.Pop();
        white.Pop();
        benchmark::DoNotOptimize(black.FourCells());
    }
    state.SetItemsProcessed(state.iterations() * 2); // stones put and lifted
}
BENCHMARK(BM_ThreatTablesUpdate)->Arg(20)->Arg(60)->Arg(120);

void BM_ThreatTablesCompute(benchmark::State& state) {
    RandomPosition(60, 42);
    TThreatTable black(kBlack), white(kWhite);
    for (auto _ : state) {
        black.Compute();
        white.Compute();
        benchmark::DoNotOptimize(white.ThreeCells());
    }
}
BENCHMARK(BM_ThreatTablesCompute);

// A win at depth 5: the four-three H8 is answered by a block that makes a four.
void BM_VctDeepWin(benchmark::State& state) {
    ResetGameModel();
    Put({"E8", "F8", "G8", "H9", "H10"}, kBlack);
    Put({"D8", "J7", "K6", "L5"}, kWhite);
    ColourToMove = kBlack;
    TVct vct(nullptr);
    std::int64_t nodes = 0;
    for (auto _ : state) {
        vct.Run();
        nodes += vct.NodeCount;
        if (vct.Result == 0) state.SkipWithError("no win found");
    }
    state.counters["nodes"] = static_cast<double>(vct.NodeCount);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VctDeepWin);

// A quiet middle game of `stones` stones: each stone lands within two cells of the
// stones already down and makes no four, open three or five for its colour, so the
// search finds twos and closed threes to build on but no decided position.
struct Position {
    std::uint8_t cells[kCells + 1];
    std::uint8_t toMove;
};
Position QuietPosition(int stones, std::uint32_t seed) {
    ResetGameModel();
    SeedRuntimeRandom(seed);
    Tabla[kCentre] = kBlack;
    TThreatTable threats[3] = {TThreatTable(kBlack), TThreatTable(kBlack), TThreatTable(kWhite)};
    std::uint8_t colour = kWhite;
    for (int placed = 1; placed < stones; ++placed) {
        threats[colour].Compute();
        std::vector<int> quiet;
        for (int c = 1; c <= kCells; ++c) {
            if (Tabla[c] != kEmpty || threats[colour].Summary(c) != kThreatNone) continue;
            bool near = false;
            for (int dx = -2; dx <= 2 && !near; ++dx)
                for (int dy = -2; dy <= 2 && !near; ++dy) {
                    int x = CellX(c) + dx, y = CellY(c) + dy;
                    near = OnBoard(x, y) && Tabla[CellIndex(x, y)] != kEmpty;
                }
            if (near) quiet.push_back(c);
        }
        if (quiet.empty()) break;
        Tabla[quiet[static_cast<size_t>(RuntimeRandom(static_cast<int>(quiet.size())))]] = colour;
        colour = Opponent(colour);
    }
    Position p;
    std::copy(Tabla, Tabla + kCells + 1, p.cells);
    p.toMove = colour;
    return p;
}

// Runs over 32 quiet middle games of 20 to 80 stones with the given node budget
// (range 0) and three limit (range 1), depth 9 (range 2); the budgets are those of the
// players' threat searches, from the check of a candidate move to the main win search.
void BM_VctMiddleGames(benchmark::State& state) {
    std::vector<Position> games;
    for (std::uint32_t seed = 1; seed <= 32; ++seed)
        games.push_back(QuietPosition(20 + static_cast<int>(seed * 37 % 61), seed));
    TVct vct(nullptr);
    vct.NodeLimit = static_cast<std::int32_t>(state.range(0));
    vct.ThreeLimit = static_cast<std::uint8_t>(state.range(1));
    vct.MaxDepth = static_cast<std::uint8_t>(state.range(2));
    std::int64_t nodes = 0, runs = 0, wins = 0;
    for (auto _ : state) {
        for (const Position& p : games) {
            std::copy(p.cells, p.cells + kCells + 1, Tabla);
            ColourToMove = p.toMove;
            vct.Run();
            nodes += vct.NodeCount;
            wins += vct.Result != 0;
            ++runs;
        }
    }
    state.counters["runs/s"] =
        benchmark::Counter(static_cast<double>(runs), benchmark::Counter::kIsRate);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["nodes/run"] = static_cast<double>(nodes) / static_cast<double>(runs);
    state.counters["wins%"] = 100.0 * static_cast<double>(wins) / static_cast<double>(runs);
}
BENCHMARK(BM_VctMiddleGames)
    ->Args({2500, 4, 7})
    ->Args({4000, 4, 9})
    ->Args({20000, 5, 12})
    ->Args({100000, 6, 15})
    ->Unit(benchmark::kMillisecond);

} // namespace
