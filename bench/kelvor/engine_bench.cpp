// Speed of kelvor's evaluator, legality test and search on a middle-game position.

#include "kelvor/kelvor_doc.h"

#include <benchmark/benchmark.h>

namespace {

const char* kMoves[] = {"H8", "H9", "J9", "J8", "G7", "K10", "G9", "G8", "F8", "E7", "J10", "K11"};

kelvor::CKelvorDoc& Position() {
    static kelvor::CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    static bool ready = false;
    if (!ready) {
        doc.OpeningBook = false;
        doc.Variant = 0;
        doc.NewGame();
        for (const char* m : kMoves) {
            auto c = kelvor::ParseCell(m, 15);
            doc.MakeMove(c->first, c->second);
        }
        ready = true;
    }
    return doc;
}

void BM_EvaluateCell(benchmark::State& state) {
    auto& doc = Position();
    auto& e = doc.Engine();
    e.Board = doc.Board;
    e.ToMove = doc.ToMove;
    for (auto _ : state) benchmark::DoNotOptimize(e.EvaluateCell(8, 6));
}
BENCHMARK(BM_EvaluateCell);

void BM_IsLegal(benchmark::State& state) {
    auto& doc = Position();
    for (auto _ : state) benchmark::DoNotOptimize(doc.IsLegal(5, 5));
}
BENCHMARK(BM_IsLegal);

void BM_Think(benchmark::State& state) {
    auto& doc = Position();
    doc.PlayerLevel = {static_cast<int>(state.range(0)), static_cast<int>(state.range(0))};
    long long nodes = 0;
    for (auto _ : state) nodes += doc.Think().nodes;
    state.counters["nodes"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Think)->Arg(2)->Arg(4)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

} // namespace
