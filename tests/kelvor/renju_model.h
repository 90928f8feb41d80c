#pragma once
// A brute-force model of the renju rules for black, written from the rules alone and
// sharing nothing with the pattern automaton: it reads the board cell by cell along
// each line, so the tests can compare the engine's legality test with it.
//
// A black move at a free cell is:
//   legal when it makes exactly five in some line;
//   forbidden when it makes six or more in a line (an overline), two or more fours,
//   or two or more threes;
//   legal otherwise.
// A four on a line is a free cell that one more black stone turns into exactly five
// through the move; two such cells five apart bound one straight four, so they count
// once. A three on a line is a free cell where one more black stone makes a straight
// four through the move (four in a row whose two ends each make exactly five), that
// cell is itself a legal black move with the first stone in place, and it makes no
// five (a stone that makes five is a five, not the straight four of a three).

#include "kelvor/board.h"

namespace renju_model {

// `board` holds 0 (or 4) for free cells, 1 black, 2 white; n x n cells are used.
bool IsForbidden(kelvor::BoardGrid& board, int n, int x, int y);

} // namespace renju_model
