#pragma once
// Trial stones: the stones an engine puts on Tabla while it analyses.
//
// PutStone and TakeStone are strictly last-in first-out; ColourToMove is flipped by
// each and is the same before a PutStone and after the matching TakeStone. The stack
// SearchLine holds at most 40 stones, which bounds the depth of every analysis.

#include "vorlix/game/board.h"

namespace vorlix {

extern TPont SearchLine[kMaxSearchDepth + 1]; // 1-based
extern std::int32_t SearchDepth;

// Puts a stone of ColourToMove on the empty `cell` and pushes it. Throws
// InternalError (unit util) when the cell is occupied or the stack is full.
void PutStone(int cell);

// Lifts the stone on top of SearchLine, which must be `cell`. Throws InternalError
// (unit util) otherwise.
void TakeStone(int cell);

} // namespace vorlix
