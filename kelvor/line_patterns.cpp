#include "kelvor/line_patterns.h"

#include "kelvor/pattern_walk.h"

#include <algorithm>
#include <cstdlib>

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

LinePatterns::LinePatterns(const PatternTables* tables)
    : tables_(tables), lines_(kMaxSize * kMaxSize * 4) {
    // The reach is the largest offset any state reads: a stone farther away along
    // the line cannot change a walk.
    if (tables_)
        for (int s = 0; s < kStateCount; ++s)
            reach_ = std::max(reach_, std::abs(tables_->State(s)[0]));
    undo_.reserve(4096);
}

void LinePatterns::Rebuild(const BoardGrid& board, int n) {
    n_ = n;
    undo_.clear();
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (IsFree(board[x][y]))
                for (int dir = 0; dir < 4; ++dir)
                    lines_[Index(x, y, dir)] = WalkLinePattern(*tables_, board, n, x, y, dir);
}

int LinePatterns::Put(const BoardGrid& board, int x, int y) {
    const int mark = static_cast<int>(undo_.size());
    for (int dir = 0; dir < 4; ++dir)
        for (int o = -reach_; o <= reach_; ++o) {
            const int cx = x + o * kDirX[dir], cy = y + o * kDirY[dir];
            if (o == 0 || !OnBoard(n_, cx, cy) || !IsFree(board[cx][cy])) continue;
            const int i = Index(cx, cy, dir);
            const LinePattern now = WalkLinePattern(*tables_, board, n_, cx, cy, dir);
            if (now == lines_[i]) continue;
            undo_.push_back(Saved{i, lines_[i]});
            lines_[i] = now;
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
