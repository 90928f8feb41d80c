#pragma once
// The kelvor board: 19 x 19 cells indexed [X][Y], 0-based; a game uses the first N
// lines in both directions (N = 13, 15, 17 or 19). Cell values: 0 empty, 1 black
// stone, 2 white stone, 4 empty candidate cell. A cell index is X + Y x N.
//
// Text of a cell: the column letter from "ABCDEFGHJKLMNOPQRST" (no I) and the row
// number, row 1 at Y = 0 ("H8" is (7, 7)).

#include <array>
#include <optional>
#include <string>

namespace kelvor {

constexpr int kMaxSize = 19;
constexpr int kEmpty = 0, kBlack = 1, kWhite = 2, kCandidate = 4;

using BoardGrid = std::array<std::array<int, kMaxSize>, kMaxSize>;

// The four line directions of the pattern walk.
constexpr int kDirX[4] = {1, 0, 1, 1};
constexpr int kDirY[4] = {0, 1, 1, -1};

inline bool IsFree(int cell) {
    return cell == kEmpty || cell == kCandidate;
}
inline bool OnBoard(int n, int x, int y) {
    return x >= 0 && y >= 0 && x < n && y < n;
}
inline int Other(int colour) {
    return 3 - colour;
}

constexpr const char kColumnLetters[] = "ABCDEFGHJKLMNOPQRST";

std::string CellText(int x, int y);
// Parses "H8" (either case); nullopt when malformed or outside an n x n board.
std::optional<std::pair<int, int>> ParseCell(const std::string& text, int n);

} // namespace kelvor
