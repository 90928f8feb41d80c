// Micro-benchmarks of the line classifiers: every cell and direction of a set of
// middle-game positions, so that the look-ups see realistic cache behaviour.

#include "vorlix/eval/linepattern.h"
#include "vorlix/game/board.h"
#include "vorlix/game/random.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace vorlix;

// A position with `stones` random stones, alternately black and white.
void RandomPosition(int stones, std::uint32_t seed) {
    ResetGameModel();
    SeedRuntimeRandom(seed);
    for (int placed = 0; placed < stones;) {
        int cell = 1 + RuntimeRandom(kCells);
        if (Tabla[cell] != kEmpty) continue;
        Tabla[cell] = placed % 2 == 0 ? kBlack : kWhite;
        ++placed;
    }
}

std::vector<const std::uint8_t*> AllLines() {
    std::vector<const std::uint8_t*> lines;
    for (int c = 1; c <= kCells; ++c)
        for (int d = 0; d < 4; ++d) lines.push_back(LineCells[c][d]);
    return lines;
}

void BM_ClassifyLine(benchmark::State& state) {
    RandomPosition(static_cast<int>(state.range(0)), 42);
    auto lines = AllLines();
    size_t i = 0;
    int colour = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ClassifyLine(lines[i], colour));
        if (++i == lines.size()) i = 0, colour = 3 - colour;
    }
}
BENCHMARK(BM_ClassifyLine)->Arg(0)->Arg(30)->Arg(80);

void BM_ClassifyThreat(benchmark::State& state) {
    RandomPosition(static_cast<int>(state.range(0)), 42);
    auto lines = AllLines();
    size_t i = 0;
    int colour = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ClassifyThreat(lines[i], colour));
        if (++i == lines.size()) i = 0, colour = 3 - colour;
    }
}
BENCHMARK(BM_ClassifyThreat)->Arg(0)->Arg(30)->Arg(80);

} // namespace
