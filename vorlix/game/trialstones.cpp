#include "vorlix/game/trialstones.h"

#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"

namespace vorlix {

TPont SearchLine[kMaxSearchDepth + 1];
std::int32_t SearchDepth = 0;

void PutStone(int cell) {
    if (cell < 1 || cell > kCells || Tabla[cell] != kEmpty)
        throw InternalError(
            "util", "Assertion failure",
            "PutStone on " + (cell >= 1 && cell <= kCells ? CellText(cell) : std::to_string(cell)) +
                ", which is not an empty cell");
    // Overrunning the stack would write past SearchLine: refuse instead.
    if (SearchDepth >= kMaxSearchDepth)
        throw InternalError("util", "Assertion failure", "PutStone beyond 40 trial stones");
    Tabla[cell] = ColourToMove;
    ColourToMove = Opponent(ColourToMove);
    ++SearchDepth;
    SearchLine[SearchDepth] = CellPont(cell);
}

void TakeStone(int cell) {
    if (SearchDepth < 1 || CellIndex(SearchLine[SearchDepth]) != cell)
        throw InternalError("util", "Assertion failure",
                            "TakeStone of cell " + std::to_string(cell) +
                                ", which is not on top of SearchLine");
    Tabla[cell] = kEmpty;
    ColourToMove = Opponent(ColourToMove);
    --SearchDepth;
}

} // namespace vorlix
