#include "kelvor/line_windows.h"

#include "kelvor/pattern_walk.h"

#include <algorithm>

namespace kelvor {

LinePattern WalkLinePattern(const PatternTables& tables, const BoardGrid& board, int n, int x,
                            int y, int dir) {
    LinePattern lp;
    const LineWalk w = WalkLine(tables, board, n, x, y, dir, 0);
    lp.record = static_cast<int16_t>(w.record);
    lp.colour = static_cast<int8_t>(w.colour);
    if (w.colour == 0) return lp;
    // A line with one colour on each side holds a pattern of each colour.
    const int other = Other(w.colour);
    if ((w.nearestPlus == other) != (w.nearestMinus == other))
        lp.again = static_cast<int16_t>(WalkLine(tables, board, n, x, y, dir, other).record);
    return lp;
}

uint32_t WindowOf(const BoardGrid& board, int n, int x, int y, int dir) {
    uint32_t window = 0;
    for (int k = 0; k < kWindowReach; ++k) {
        const int minus = k - kWindowReach, plus = k + 1;
        window |= CellCode(board, n, x + minus * kDirX[dir], y + minus * kDirY[dir]) << (2 * k);
        window |= CellCode(board, n, x + plus * kDirX[dir], y + plus * kDirY[dir])
                  << (2 * (k + kWindowReach));
    }
    return window;
}

LineWindows::LineWindows(const PatternTables* tables, int reach) : tables_(tables) {
    if (!tables_ || reach > kWindowReach) return;
    patterns_.reset(new Entry[kWindowCount]);
    black_.reset(new int16_t[kWindowCount]);
    std::fill_n(black_.get(), kWindowCount, int16_t{-1});
}

int LineWindows::BlackRecord(uint32_t window, const BoardGrid& board, int n, int x, int y,
                             int dir) {
    int16_t& r = black_[window];
    if (r < 0) r = static_cast<int16_t>(WalkLine(*tables_, board, n, x, y, dir, kBlack).record);
    return r;
}

} // namespace kelvor
