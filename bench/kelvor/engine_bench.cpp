// Speed of kelvor's evaluator, legality test and search on the positions of the
// fixed bench (kelvor-cli bench prints the same searches with their signature).

#include "kelvor/bench.h"
#include "kelvor/kelvor_doc.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

kelvor::CKelvorDoc& Position() {
    static kelvor::CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    static bool ready = false;
    if (!ready) {
        doc.OpeningBook = false;
        const kelvor::BenchPosition& p = kelvor::BenchPositions().front();
        doc.Variant = p.variant;
        doc.SetBoardSize(p.boardSize);
        std::stringstream moves(p.moves);
        for (std::string m; std::getline(moves, m, ',');) {
            auto c = kelvor::ParseCell(m, doc.BoardSize);
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

// Every bench position at one level.
void BM_BenchPositions(benchmark::State& state) {
    long long nodes = 0;
    for (auto _ : state)
        nodes += kelvor::RunBench(KELVOR_DATA_DIR, {static_cast<int>(state.range(0))}).nodes;
    state.counters["nodes"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BenchPositions)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

} // namespace
