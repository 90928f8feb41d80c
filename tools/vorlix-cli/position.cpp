#include "position.h"

#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/trialstones.h"

#include <algorithm>
#include <iterator>

#include <random>
#include <sstream>
#include <vector>

namespace cli {

bool SetUpPosition(const std::string& moves, std::string* error) {
    using namespace vorlix;
    ResetGameModel();
    if (!moves.empty() && moves.back() == ',') {
        *error = "the move list ends with a comma";
        return false;
    }
    std::stringstream in(moves == "-" ? "" : moves);
    std::string item;
    while (std::getline(in, item, ',')) {
        const TPont p = ParsePont(item);
        // ParsePont is lenient; the text must be exactly a point's own name.
        if (!OnBoard(p.X, p.Y) || TrimRight(PontText(p.X, p.Y)) != TrimRight(item) ||
            PontText(p.X, p.Y).find_first_not_of(' ') == std::string::npos) {
            *error = "'" + item + "' is not a point A1..O15";
            return false;
        }
        if (Tabla[CellIndex(p)] != kEmpty) {
            *error = item + " is played twice";
            return false;
        }
        if (MoveCount >= kCells - 1) {
            *error = "the board is full";
            return false;
        }
        RecordMove(p.X, p.Y, MoveCount % 2 == 0 ? kBlack : kWhite);
    }
    ColourToMove = static_cast<std::uint8_t>(MoveCount % 2 + 1);
    MoverColour = ColourToMove;
    MoverOpponent = Opponent(ColourToMove);
    return true;
}

namespace {

// Whether a stone of `colour` at `cell` would leave a window of five cells holding at
// least `most` + 1 of its stones and otherwise only empty cells (with `most` 3: a four).
bool Exceeds(const std::uint8_t* board, int cell, int colour, int most) {
    const int x = (cell - 1) / 15 + 1, y = (cell - 1) % 15 + 1;
    static const int kDx[4] = {1, 0, 1, 1}, kDy[4] = {0, 1, 1, -1};
    for (int d = 0; d < 4; ++d)
        for (int s = -4; s <= 0; ++s) {
            int own = 0, empty = 0, inside = 0;
            for (int i = s; i < s + 5; ++i) {
                const int cx = x + i * kDx[d], cy = y + i * kDy[d];
                if (cx < 1 || cx > 15 || cy < 1 || cy > 15) break;
                ++inside;
                const int c = (cx - 1) * 15 + cy;
                if (c == cell || board[c] == colour)
                    ++own;
                else if (board[c] == 0)
                    ++empty;
            }
            if (inside == 5 && own > most && own + empty == 5) return true;
        }
    return false;
}

} // namespace

std::string RandomPosition(int stones, unsigned seed, int lo, int hi, int most) {
    std::mt19937 rng(seed);
    std::uint8_t board[vorlix::kCells + 1] = {};
    std::vector<int> order;
    const unsigned side = static_cast<unsigned>(hi - lo + 1);
    for (int tries = 0; static_cast<int>(order.size()) < stones && tries < 200000; ++tries) {
        const int x = lo + static_cast<int>(rng() % side), y = lo + static_cast<int>(rng() % side);
        const int cell = vorlix::CellIndex(x, y);
        const int colour = static_cast<int>(order.size() % 2) + 1;
        if (board[cell] != 0 || Exceeds(board, cell, colour, most)) continue;
        board[cell] = static_cast<std::uint8_t>(colour);
        order.push_back(cell);
    }
    std::string out;
    for (int cell : order)
        out += (out.empty() ? "" : ",") + vorlix::TrimRight(vorlix::CellText(cell));
    return out.empty() ? "-" : out;
}

std::string MovesText() {
    using namespace vorlix;
    std::string out;
    for (int k = 1; k <= MoveCount; ++k)
        out += (k > 1 ? "," : "") + TrimRight(PontText(GameRecord[k].X, GameRecord[k].Y));
    return out.empty() ? "-" : out;
}

} // namespace cli

namespace cli {

GameSnapshot::GameSnapshot() {
    std::copy(std::begin(vorlix::Tabla), std::end(vorlix::Tabla), tabla_);
    colourToMove_ = vorlix::ColourToMove;
    moveCount_ = vorlix::MoveCount;
    searchDepth_ = vorlix::SearchDepth;
}

std::string GameSnapshot::Changes() const {
    using namespace vorlix;
    // Tabla[0], the off-board pseudo-cell, is the classifiers' scratch.
    for (int c = 1; c <= kCells; ++c)
        if (Tabla[c] != tabla_[c]) return "the board changed at " + TrimRight(CellText(c));
    if (ColourToMove != colourToMove_) return "the side to move changed";
    if (MoveCount != moveCount_) return "the game record changed";
    if (SearchDepth != searchDepth_) return "trial stones were left on the board";
    return {};
}

std::string CheckChosenMove() {
    using namespace vorlix;
    const TPont m = ChosenMove;
    if (!OnBoard(m.X, m.Y))
        return "the move " + std::to_string(m.X) + "," + std::to_string(m.Y) + " is off the board";
    if (Tabla[CellIndex(m)] != kEmpty)
        return "the move " + TrimRight(PontText(m.X, m.Y)) + " is taken";
    return {};
}

} // namespace cli
