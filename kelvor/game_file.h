#pragma once
// kelvor game files ("*.kgf"): raw little-endian 16-bit values, no header.
//
// Written: variant (0 renju, 1 gomoku), board size N, move count n, then n cell
// indexes row x N + column. Read: a first value of 0 or 1 is that layout; above 1 it
// is the older renju 15 x 15 layout (low byte the move count, high byte the first
// cell, then one byte per further cell).

#include <string>
#include <vector>

namespace kelvor {

struct GameFile {
    int variant = 1;
    int boardSize = 15;
    std::vector<int> cells; // cell indexes, in playing order
};

std::string WriteGameFile(const GameFile& game);

// Parses `bytes`. Returns false for an invalid file: a variant or size out of range, a
// count that does not fit the board or is larger than the data, a first older-layout
// move off the board, or a file shorter than its header. A cell off the board ends
// the moves there. `out` is only changed on success.
bool ReadGameFile(const std::string& bytes, GameFile& out);

} // namespace kelvor
