#include "vorlix/game/board.h"

#include "vorlix/game/internal_error.h"
#include "vorlix/game/trialstones.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace vorlix {

InternalError::InternalError(std::string unit, std::string message, std::string detail)
    : std::runtime_error(message + " (" + unit + (detail.empty() ? "" : ": " + detail) + ")"),
      unit_(std::move(unit)), message_(std::move(message)), detail_(std::move(detail)) {}

std::uint8_t Tabla[kCells + 1];
std::uint8_t ColourToMove = kBlack;
TPont GameRecord[kCells + 2];
std::int32_t MoveCount = 0;
std::int32_t ShownMoves = 0;
TPont ChosenMove;
std::uint8_t MoverColour = 0;
std::uint8_t MoverOpponent = 0;
bool ColourChanged = false;
float MoveScore[kCells + 1];
std::int32_t MoveAlternatives[kCells + 1];
float ValueGrid[kBoardSize + 1][kBoardSize + 1];
std::string FirstPlayerName;
std::string SecondPlayerName;
std::uint8_t LineCells[kCells + 1][4][15];

namespace {
// LineCells is needed by every engine from the first move on.
const bool gModelReady = (ResetGameModel(), BuildLineCells(), true);
} // namespace

std::uint8_t Opponent(std::uint8_t colour) {
    static constexpr std::uint8_t kOpponent[3] = {0, kWhite, kBlack};
    if (colour != kBlack && colour != kWhite)
        throw InternalError("util", "Assertion failure",
                            "Opponent of colour " + std::to_string(colour));
    return kOpponent[colour];
}

void BuildLineCells() {
    std::memset(LineCells, 0, sizeof LineCells);
    for (int x = 1; x <= kBoardSize; ++x)
        for (int y = 1; y <= kBoardSize; ++y)
            for (int d = 0; d < 4; ++d)
                for (int k = -7; k <= 7; ++k) {
                    int px = x + kDirX[d] * k, py = y + kDirY[d] * k;
                    if (OnBoard(px, py))
                        LineCells[CellIndex(x, y)][d][k + 7] =
                            static_cast<std::uint8_t>(CellIndex(px, py));
                }
}

void RecordMove(int x, int y, std::uint8_t colour) {
    ++MoveCount;
    GameRecord[MoveCount] = TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
    Tabla[CellIndex(x, y)] = colour;
    ShownMoves = MoveCount;
}

void ClearBoard() {
    std::memset(Tabla + 1, 0, kCells);
}

bool FiveInRow(std::uint8_t colour) {
    auto at = [](int x, int y) { return Tabla[CellIndex(x, y)]; };
    auto window = [&](int x, int y, int dx, int dy) {
        for (int k = 0; k < 5; ++k)
            if (at(x + dx * k, y + dy * k) != colour) return false;
        return true;
    };
    for (int x = 1; x <= 11; ++x)
        for (int y = 1; y <= 15; ++y)
            if (window(x, y, 1, 0)) return true;
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 11; ++y)
            if (window(x, y, 0, 1)) return true;
    for (int x = 1; x <= 11; ++x)
        for (int y = 1; y <= 11; ++y)
            if (window(x, y, 1, 1)) return true;
    for (int x = 5; x <= 15; ++x)
        for (int y = 1; y <= 11; ++y)
            if (window(x, y, -1, 1)) return true;
    return false;
}

void ResetGameModel() {
    std::memset(Tabla, 0, sizeof Tabla);
    ColourToMove = kBlack;
    std::fill(std::begin(GameRecord), std::end(GameRecord), TPont{});
    MoveCount = ShownMoves = 0;
    ChosenMove = {};
    MoverColour = MoverOpponent = 0;
    ColourChanged = false;
    std::memset(MoveScore, 0, sizeof MoveScore);
    std::memset(MoveAlternatives, 0, sizeof MoveAlternatives);
    for (auto& col : ValueGrid)
        for (float& v : col) v = -1.0f;
    std::fill(std::begin(SearchLine), std::end(SearchLine), TPont{});
    SearchDepth = 0;
}

} // namespace vorlix
