// The price of running player libraries in the player host: one request and its answer
// (the game state copied over, nothing called in the library), and one whole move of
// the sample library's "Neighbour" player, which rebuilds its board first.

#include "vorlix/game/board.h"
#include "vorlix/players/dll_jatekos.h"
#include "vorlix/players/player_host.h"

#include <benchmark/benchmark.h>

namespace {

std::string SampleLibrary() {
    return std::string(VORLIX_BIN_DIR_FOR_BENCH) + "/Players/players.so";
}

void SetUpPosition() {
    vorlix::ResetGameModel();
    vorlix::RecordMove(8, 8, vorlix::kBlack);
    vorlix::RecordMove(9, 7, vorlix::kWhite);
    vorlix::RecordMove(9, 9, vorlix::kBlack);
    vorlix::ColourToMove = vorlix::kWhite;
}

void BM_PlayerHostRoundTrip(benchmark::State& state) {
    SetUpPosition();
    vorlix::PlayerHost host(SampleLibrary());
    for (auto _ : state) host.Ping();
}
BENCHMARK(BM_PlayerHostRoundTrip)->Unit(benchmark::kMicrosecond);

void BM_SampleLibraryMove(benchmark::State& state) {
    SetUpPosition();
    vorlix::TDllJatekos player(SampleLibrary(), "Neighbour");
    if (!player.Loaded()) {
        state.SkipWithError("the sample library did not load");
        return;
    }
    for (auto _ : state) {
        player.BoardChanged = true;
        player.Move();
        benchmark::DoNotOptimize(vorlix::ChosenMove);
    }
}
BENCHMARK(BM_SampleLibraryMove)->Unit(benchmark::kMicrosecond);

} // namespace
