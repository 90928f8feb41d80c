// Micro-benchmarks of the evaluators on a middle-game position (30 stones from a
// Rupo-Turbo game): one candidate valuation, one move valuation, one threat scan.

#include "platform/program_folder.h"
#include "vorlix/eval/e1_evaluator.h"
#include "vorlix/eval/m1_evaluator.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/eval/threat_evaluator.h"
#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

using namespace vorlix;

const char* kMiddleGame = "H8,H7,I7,J6,I8,J8,I9,I6,I11,I10,J10,K11,F6,G7,G8,H6,F8,E8,K6,J7,J5,H5,"
                          "K8,K9,H3,I4,F7,F5,F10,F9";

void SetUpPosition() {
    ResetGameModel();
    std::stringstream in(kMiddleGame);
    std::string item;
    std::uint8_t colour = kBlack;
    while (std::getline(in, item, ',')) {
        TPont p = ParsePont(item);
        RecordMove(p.X, p.Y, colour);
        colour = Opponent(colour);
    }
    ColourToMove = colour;
    // The benchmarks live in build/bench; the tables in the program folder build/bin/data.
    SetEngineDataFolder(platform::ProgramFolder() + "../bin/data/");
}

void BM_EvaluateCandidates(benchmark::State& state) {
    SetUpPosition();
    TM1Evaluator m(nullptr);
    m.LoadTables();
    CandidateList cells;
    float values[kCells];
    for (auto _ : state) {
        m.EvaluateCandidates(&cells, values);
        benchmark::DoNotOptimize(values[0]);
    }
    state.counters["candidates"] = cells.count;
}
BENCHMARK(BM_EvaluateCandidates);

void BM_MoveValue(benchmark::State& state) {
    SetUpPosition();
    TE1Evaluator e(nullptr);
    e.LoadTables();
    std::int32_t empty[kCells];
    int count = 0;
    for (int n = 1; n <= kCells; ++n)
        if (Tabla[n] == kEmpty) empty[count++] = n;
    e.PositionValue(empty, count);
    CandidateList cells;
    GenerateCandidates(kCandidatesNear, &cells);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(e.MoveValue(cells.cells[i]));
        i = (i + 1) % cells.count;
    }
}
BENCHMARK(BM_MoveValue);

void BM_PositionValue(benchmark::State& state) {
    SetUpPosition();
    TE1Evaluator e(nullptr);
    e.LoadTables();
    std::int32_t empty[kCells];
    int count = 0;
    for (int n = 1; n <= kCells; ++n)
        if (Tabla[n] == kEmpty) empty[count++] = n;
    for (auto _ : state) benchmark::DoNotOptimize(e.PositionValue(empty, count));
}
BENCHMARK(BM_PositionValue);

void BM_EvaluateThreats(benchmark::State& state) {
    SetUpPosition();
    TThreatEvaluator t(nullptr);
    t.Ovatos = 1;
    for (auto _ : state) {
        t.EvaluateThreats();
        benchmark::DoNotOptimize(t.Count);
    }
}
BENCHMARK(BM_EvaluateThreats);

} // namespace
