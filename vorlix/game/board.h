#pragma once
// The game model: the one board of the process, the game record, the line table
// and the test for five in a row.
//
// There is one game per process, so this is process-wide state read and written
// directly by the controller, the windows, the plug-in callbacks and the engines,
// all on one thread.

#include <cstdint>
#include <string>

namespace vorlix {

constexpr int kBoardSize = 15;
constexpr int kCells = kBoardSize * kBoardSize; // 225
constexpr int kCentre = 113;                    // H8
constexpr int kMaxSearchDepth = 40;

// Cell contents and colours share their numbers.
constexpr std::uint8_t kEmpty = 0;
constexpr std::uint8_t kBlack = 1;
constexpr std::uint8_t kWhite = 2;

// A point or move: column X 1..15 (A..O), row Y 1..15; X = 0 means no move.
// Stored X first, so as one 16-bit value X is the low byte.
struct TPont {
    std::uint8_t X = 0;
    std::uint8_t Y = 0;
    friend bool operator==(const TPont&, const TPont&) = default;
};
static_assert(sizeof(TPont) == 2);

// Cell index (X - 1) * 15 + Y, 1..225: one column is contiguous.
constexpr int CellIndex(int x, int y) {
    return (x - 1) * kBoardSize + y;
}
constexpr int CellIndex(TPont p) {
    return CellIndex(p.X, p.Y);
}
constexpr int CellX(int cell) {
    return (cell - 1) / kBoardSize + 1;
}
constexpr int CellY(int cell) {
    return (cell - 1) % kBoardSize + 1;
}
constexpr TPont CellPont(int cell) {
    return TPont{static_cast<std::uint8_t>(CellX(cell)), static_cast<std::uint8_t>(CellY(cell))};
}
constexpr bool OnBoard(int x, int y) {
    return x >= 1 && x <= kBoardSize && y >= 1 && y <= kBoardSize;
}

// Opponent of colour 1 or 2 (0 is not a colour).
std::uint8_t Opponent(std::uint8_t colour);

// Tabla[1..225] are the cells; Tabla[0] is the off-board pseudo-cell that only the
// evaluation writes (it holds the opponent of the colour being examined).
extern std::uint8_t Tabla[kCells + 1];
extern std::uint8_t ColourToMove;
extern TPont GameRecord[kCells + 2]; // 1-based, 226 entries
extern std::int32_t MoveCount;
extern std::int32_t ShownMoves;
extern TPont ChosenMove;
extern std::uint8_t MoverColour;
extern std::uint8_t MoverOpponent;
extern bool ColourChanged;
extern float MoveScore[kCells + 1];                     // 1-based
extern std::int32_t MoveAlternatives[kCells + 1];       // 1-based
extern float ValueGrid[kBoardSize + 1][kBoardSize + 1]; // [X][Y], 1-based; -1 = no value

// Names of the first and second player of the running game, as the game text file
// prints them. The controller sets them when it creates the players.
extern std::string FirstPlayerName;
extern std::string SecondPlayerName;

// LineCells[cell][d][k + 7] is the cell at offset k = -7..+7 from `cell` in
// direction d (0 = (+1,0), 1 = (0,+1), 2 = (+1,+1), 3 = (+1,-1)), 0 off the board.
extern std::uint8_t LineCells[kCells + 1][4][15];
constexpr int kDirX[4] = {1, 0, 1, 1};
constexpr int kDirY[4] = {0, 1, 1, -1};

// Fills LineCells. Runs once at start-up (before main) and may be run again.
void BuildLineCells();

// Appends (x, y) to the record, puts `colour` on the cell and shows every move.
// Trusts the caller: the cell is not checked and ColourToMove is not touched.
void RecordMove(int x, int y, std::uint8_t colour);

// Empties all 225 cells.
void ClearBoard();

// True when `colour` has five or more in a row anywhere on the board.
bool FiveInRow(std::uint8_t colour);

// Returns the whole model to its start-up state (empty board, no moves, black to
// move, no trial stones). For tests and tools that play many games in one process.
void ResetGameModel();

} // namespace vorlix
