// The sample library's EagerPlayer: placing a stone (the incremental ray update) and a
// whole move (taking in the opponent's stone, one pass over the cells, its own stone).

#include "players/eager_player.h"
#include "players/common/library_host.h"

#include "vorlix/game/board.h"
#include "vorlix/players/host_exports.h"

#include <benchmark/benchmark.h>

namespace {

// A fixed, spread-out sequence of cells (0-based), the same on every run.
int CellOfStep(int i) {
    return (i * 97 + 31) % 225;
}

void BM_EagerPlace(benchmark::State& state) {
    const int stones = static_cast<int>(state.range(0));
    for (auto _ : state) {
        demo::EagerPlayer p;
        for (int i = 0; i < stones; ++i) {
            int c = CellOfStep(i);
            if (p.Cell(c / 15, c % 15) == 0) p.Place(c / 15, c % 15);
        }
        benchmark::DoNotOptimize(p.Rays[0][8][7][7]);
    }
    state.SetItemsProcessed(state.iterations() * stones);
}
BENCHMARK(BM_EagerPlace)->Arg(20)->Arg(100);

// One game of Eager against itself through the host functions, to the first five.
void BM_EagerSelfPlay(benchmark::State& state) {
    VorlixHost& h = plugin::TheHost();
    h.GetTableField = &::GetTableField;
    h.nMove = &::nMove;
    h.Game = &::Game;
    h.NextColour = &::NextColour;
    std::int64_t moves = 0;
    for (auto _ : state) {
        vorlix::ResetGameModel();
        demo::EagerPlayer black, white;
        for (int i = 0; i < 200; ++i) {
            VorlixPoint m = (i % 2 == 0 ? black : white).Move();
            std::uint8_t colour = i % 2 == 0 ? vorlix::kBlack : vorlix::kWhite;
            vorlix::RecordMove(VORLIX_POINT_X(m), VORLIX_POINT_Y(m), colour);
            vorlix::ColourToMove = vorlix::Opponent(colour);
            ++moves;
            if (vorlix::FiveInRow(colour)) break;
        }
    }
    state.SetItemsProcessed(moves);
}
BENCHMARK(BM_EagerSelfPlay);

} // namespace
