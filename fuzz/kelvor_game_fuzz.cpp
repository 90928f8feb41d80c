// Fuzz target: kelvor's game files, in both layouts. A file is either refused or read
// into a game whose every cell lies on its board; a read game writes back to bytes that
// read as the same game; and the document replays any file without a stone on a stone.

#include "kelvor/game_file.h"
#include "kelvor/kelvor_doc.h"

#include "fuzz_check.h"
#include "fuzz_temp_file.h"

#include <cstdint>
#include <memory>
#include <string>

using fuzzing::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kelvor::GameFile g;
    if (kelvor::ReadGameFile(bytes, g)) {
        Check(g.variant == 0 || g.variant == 1, "variant");
        Check(g.boardSize >= 13 && g.boardSize <= 19, "board size");
        for (int c : g.cells) Check(c >= 0 && c < g.boardSize * g.boardSize, "cell on the board");
        kelvor::GameFile again;
        Check(kelvor::ReadGameFile(kelvor::WriteGameFile(g), again), "a written game reads");
        Check(again.variant == g.variant && again.boardSize == g.boardSize &&
                  again.cells == g.cells,
              "round trip");
    }

    // The document: a fresh one per input, with the committed tables.
    static std::unique_ptr<kelvor::CKelvorDoc> doc;
    if (!doc) doc = std::make_unique<kelvor::CKelvorDoc>(KELVOR_DATA, 1u);
    doc->PlayerLevel = {0, 0};
    const std::string path = fuzzing::WriteTempFile(data, size, "game.kgf");
    doc->OpenGame(path);
    int stones = 0;
    for (int x = 0; x < doc->BoardSize; ++x)
        for (int y = 0; y < doc->BoardSize; ++y)
            stones += doc->Board[x][y] == 1 || doc->Board[x][y] == 2;
    Check(stones == static_cast<int>(doc->Record.size()), "one stone per recorded move");
    return 0;
}
