#include "kelvor/line_patterns.h"

#include "kelvor/pattern_walk.h"

#include <algorithm>
#include <cstdlib>

namespace kelvor {

namespace {

// The reach is the largest offset any state reads: a stone farther away along the
// line cannot change a walk.
int ReachOf(const PatternTables* tables) {
    int reach = 0;
    if (tables)
        for (int s = 0; s < kStateCount; ++s)
            reach = std::max(reach, std::abs(tables->State(s)[0]));
    return reach;
}

} // namespace

LinePatterns::LinePatterns(const PatternTables* tables)
    : tables_(tables), reach_(ReachOf(tables)), windows_(tables, reach_),
      lines_(kMaxSize * kMaxSize * 4) {
    undo_.reserve(4096);
}

LinePattern LinePatterns::Walk(const BoardGrid& board, uint32_t window, int x, int y, int dir) {
    return windows_.Usable() ? windows_.Pattern(window, board, n_, x, y, dir)
                             : WalkLinePattern(*tables_, board, n_, x, y, dir);
}

int LinePatterns::BlackRecord(const BoardGrid& board, int n, int x, int y, int dir) {
    if (!windows_.Usable()) return WalkLine(*tables_, board, n, x, y, dir, kBlack).record;
    return windows_.BlackRecord(WindowOf(board, n, x, y, dir), board, n, x, y, dir);
}

void LinePatterns::Rebuild(const BoardGrid& board, int n) {
    n_ = n;
    undo_.clear();
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (IsFree(board[x][y]))
                for (int dir = 0; dir < 4; ++dir)
                    lines_[Index(x, y, dir)] = Walk(
                        board, windows_.Usable() ? WindowOf(board, n, x, y, dir) : 0, x, y, dir);
}

int LinePatterns::Put(const BoardGrid& board, int x, int y) {
    const int mark = static_cast<int>(undo_.size());
    constexpr int kSpan = 2 * kWindowReach;
    constexpr uint64_t kHalf = (uint64_t{1} << (2 * kWindowReach)) - 1;
    for (int dir = 0; dir < 4; ++dir) {
        // The cells from -2 x kWindowReach to +2 x kWindowReach along the line, two bits
        // each: the windows of every cell the stone can affect are slices of it.
        uint64_t line = 0;
        if (windows_.Usable())
            for (int o = -kSpan; o <= kSpan; ++o)
                line |= uint64_t{CellCode(board, n_, x + o * kDirX[dir], y + o * kDirY[dir])}
                        << (2 * (o + kSpan));
        for (int o = -reach_; o <= reach_; ++o) {
            const int cx = x + o * kDirX[dir], cy = y + o * kDirY[dir];
            if (o == 0 || !OnBoard(n_, cx, cy) || !IsFree(board[cx][cy])) continue;
            const int i = Index(cx, cy, dir);
            // Windows serve only a reach within kWindowReach, so the slice lies in `line`.
            uint32_t window = 0;
            if (windows_.Usable()) {
                const int centre = o + kSpan;
                window = static_cast<uint32_t>(
                    ((line >> (2 * (centre - kWindowReach))) & kHalf) |
                    (((line >> (2 * (centre + 1))) & kHalf) << (2 * kWindowReach)));
            }
            const LinePattern now = Walk(board, window, cx, cy, dir);
            if (now == lines_[i]) continue;
            undo_.push_back(Saved{i, lines_[i]});
            lines_[i] = now;
        }
    }
    return mark;
}

void LinePatterns::Undo(int mark) {
    while (static_cast<int>(undo_.size()) > mark) {
        lines_[undo_.back().index] = undo_.back().was;
        undo_.pop_back();
    }
}

std::string LinePatterns::Mismatch(const BoardGrid& board) const {
    for (int x = 0; x < n_; ++x)
        for (int y = 0; y < n_; ++y)
            if (IsFree(board[x][y]))
                for (int dir = 0; dir < 4; ++dir)
                    if (!(lines_[Index(x, y, dir)] ==
                          WalkLinePattern(*tables_, board, n_, x, y, dir)))
                        return CellText(x, y) + " direction " + std::to_string(dir);
    return {};
}

} // namespace kelvor
