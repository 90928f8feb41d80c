#pragma once
// The moves a position forces, whatever a player's evaluation says.
//
// A five decides the game, so no value of an evaluator may outrank it:
//   - the side to move completes its own five when it can;
//   - otherwise, when the opponent has exactly one cell that completes its five, the
//     side to move stops it there.
// With two or more opponent five-cells and no own five the game is lost against best
// play; nothing is forced then and the player's evaluation chooses.
//
// A five is five or more stones of one colour in a row, as FiveInRow counts it at the
// end of a move. The test reads Tabla (trial stones included) and ColourToMove only.

#include "vorlix/game/board.h"

#include <cstdint>

namespace vorlix {

// True when a stone of `colour` on the empty cell completes five or more in a row.
bool CompletesFive(int cell, std::uint8_t colour);

// The empty cells where a stone of `colour` completes a five, in scan order (X from
// 1 to 15 outside, Y inside); a cell with several such lines through it counts once.
struct FiveCells {
    int count = 0;
    std::int32_t cells[kCells] = {};
};
FiveCells FindFiveCells(std::uint8_t colour);

enum class ForcedKind { None, OwnFive, Block };

struct ForcedMove {
    ForcedKind kind = ForcedKind::None;
    TPont move; // X 0 when nothing is forced
};

// The forced move of ColourToMove: its own first five-cell in scan order, else the
// opponent's five-cell when there is exactly one, else none.
ForcedMove FindForcedMove();

} // namespace vorlix
