// Fuzz target: the opening book reader. Any bytes either load as a book or are refused
// with a message naming the file; a loaded book only ever places five distinct stones
// on the board, and each placed opening is identified again as a book record.

#include "vorlix/eval/openingbook.h"
#include "vorlix/game/board.h"
#include "vorlix/game/random.h"

#include "fuzz_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

using fuzzing::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    vorlix::OpeningBook book;
    if (!book.LoadBookBytes(bytes, "kezd.dat")) {
        Check(book.Count() == 0, "a refused book is empty");
        Check(book.Error.rfind("kezd.dat: ", 0) == 0, "the message names the file");
        return 0;
    }
    Check(book.Count() == static_cast<int>(size / 8), "one record per 8 bytes");
    vorlix::SeedRandom(static_cast<std::uint32_t>(size));
    const int n = std::min(book.Count(), 64);
    for (int k = 1; k <= n; ++k) {
        vorlix::ResetGameModel();
        const auto cells = book.DecodeRecord(k);
        for (int i = 0; i < 5; ++i) {
            Check(cells[i] >= 1 && cells[i] <= vorlix::kCells, "stone on the board");
            vorlix::RecordMove(vorlix::CellX(cells[i]), vorlix::CellY(cells[i]),
                               i % 2 ? vorlix::kWhite : vorlix::kBlack);
        }
        int stones = 0;
        for (int c = 1; c <= vorlix::kCells; ++c) stones += vorlix::Tabla[c] != vorlix::kEmpty;
        Check(stones == 5, "five distinct stones");
        const int found = book.FindBookRecord();
        Check(found >= 1 && found <= k, "the opening is found");
        Check(vorlix::MoveCount == 5, "five moves afterwards");
    }
    vorlix::ResetGameModel();
    book.PlaceBookOpening();
    Check(vorlix::MoveCount == 5, "the random opening places five stones");
    vorlix::ResetGameModel();
    return 0;
}
