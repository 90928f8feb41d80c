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

// The tournament opening's reach for the move of number `moveNo`: the largest distance
// from the centre (in either direction) at which it may be played, or -1 when it is
// free. It binds the human's clicks and the computer's search alike.
//   move 1: the centre (free in gomoku without the tournament opening);
//   move 2: within 2 lines in renju, 3 in gomoku with the tournament opening;
//   move 3: within 3 lines in renju;
//   move 4: within 3 lines in gomoku with the tournament opening.
inline int OpeningReach(int variant, bool tournament, int moveNo) {
    const bool gomoku = variant == 1;
    switch (moveNo) {
    case 1:
        return gomoku && !tournament ? -1 : 0;
    case 2:
        return gomoku ? (tournament ? 3 : -1) : 2;
    case 3:
        return gomoku ? -1 : 3;
    case 4:
        return gomoku && tournament ? 3 : -1;
    default:
        return -1;
    }
}
// The reach the computer holds itself to: the same, except that its second stone in
// renju goes next to the centre, where every line of the renju books starts (a white
// stone two lines away would leave the book, and the swap decision, without a line).
inline int ComputerOpeningReach(int variant, bool tournament, int moveNo) {
    return variant == 0 && moveNo == 2 ? 1 : OpeningReach(variant, tournament, moveNo);
}
// Whether (x, y) lies within `reach` lines of the centre c in both directions.
inline bool WithinReach(int reach, int c, int x, int y) {
    return reach < 0 || (x - c <= reach && c - x <= reach && y - c <= reach && c - y <= reach);
}

constexpr const char kColumnLetters[] = "ABCDEFGHJKLMNOPQRST";

std::string CellText(int x, int y);
// Parses "H8" (either case); nullopt when malformed or outside an n x n board.
std::optional<std::pair<int, int>> ParseCell(const std::string& text, int n);

} // namespace kelvor
