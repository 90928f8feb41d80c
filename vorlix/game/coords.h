#pragma once
// Text forms of points: "H8 ", "A15", "O15".

#include "vorlix/game/board.h"

#include <string>
#include <string_view>

namespace vorlix {

// Letter of X, then Y, padded on the right with spaces to exactly 3 characters.
std::string CellText(int cell);
std::string PontText(int x, int y);

// Reverse of PontText for well-formed text: X from the first letter (A = 1), Y from
// the one or two digits after it. Malformed text gives X = 0 (no move) instead of
// reading past the text.
TPont ParsePont(std::string_view text);

// Removes trailing blanks.
std::string TrimRight(std::string_view text);

} // namespace vorlix
