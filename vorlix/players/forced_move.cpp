#include "vorlix/players/forced_move.h"

namespace vorlix {

namespace {

// Stones of `colour` in a row from (x, y) onwards in direction (dx, dy), the cell
// itself not counted.
int Run(int x, int y, int dx, int dy, std::uint8_t colour) {
    int n = 0;
    for (x += dx, y += dy; OnBoard(x, y) && Tabla[CellIndex(x, y)] == colour; x += dx, y += dy) ++n;
    return n;
}

} // namespace

bool CompletesFive(int cell, std::uint8_t colour) {
    if (cell < 1 || cell > kCells || Tabla[cell] != kEmpty) return false;
    const int x = CellX(cell), y = CellY(cell);
    for (int d = 0; d < 4; ++d) {
        const int dx = kDirX[d], dy = kDirY[d];
        // Overlines win too: the game ends on five or more.
        if (1 + Run(x, y, dx, dy, colour) + Run(x, y, -dx, -dy, colour) >= 5) return true;
    }
    return false;
}

FiveCells FindFiveCells(std::uint8_t colour) {
    FiveCells found;
    // Cell indexes run X-major, so ascending indexes are the scan order.
    for (int n = 1; n <= kCells; ++n)
        if (CompletesFive(n, colour)) found.cells[found.count++] = n;
    return found;
}

ForcedMove FindForcedMove() {
    const std::uint8_t own = ColourToMove;
    if (own != kBlack && own != kWhite) return {};
    const FiveCells mine = FindFiveCells(own);
    if (mine.count > 0) return {ForcedKind::OwnFive, CellPont(mine.cells[0])};
    const FiveCells theirs = FindFiveCells(Opponent(own));
    if (theirs.count == 1) return {ForcedKind::Block, CellPont(theirs.cells[0])};
    return {};
}

} // namespace vorlix
