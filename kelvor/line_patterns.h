#pragma once
// The pattern results of every free cell of a board, per direction, kept up to date
// while a search puts and lifts stones.
//
// A walk of the automaton from a cell reads only the cells of its line within the
// automaton's reach (the largest offset of a state), so a stone put at (x, y) changes
// the results of the free cells on the four lines through it within that reach, in
// that line's direction only. Put recomputes exactly those and remembers the ones that
// changed; Undo restores them. The results of occupied cells are not kept.

#include "kelvor/board.h"
#include "kelvor/line_windows.h"
#include "kelvor/pattern_tables.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelvor {

class LinePatterns {
  public:
    // `tables` must outlive the object.
    explicit LinePatterns(const PatternTables* tables);

    // Walks every free cell of `board` (n x n) again and forgets the undo history.
    void Rebuild(const BoardGrid& board, int n);
    // `board` has just received a stone at (x, y): brings the free cells it affects up
    // to date. Returns the mark that Undo takes back to.
    int Put(const BoardGrid& board, int x, int y);
    // Restores every result changed since the Put that returned `mark`, newest first.
    void Undo(int mark);
    // Calls f(index, was, now) for every result changed since `mark`, `index` being
    // (x x kMaxSize + y) x 4 + dir. One Put changes an entry at most once.
    template <class F> void ForEachChange(int mark, F f) const {
        for (size_t i = static_cast<size_t>(mark); i < undo_.size(); ++i)
            f(undo_[i].index, undo_[i].was, lines_[static_cast<size_t>(undo_[i].index)]);
    }

    const LinePattern& At(int x, int y, int dir) const { return lines_[Index(x, y, dir)]; }
    // The record of the black walk from the free cell (x, y) of `board` (n x n), as
    // WalkLine gives it.
    int BlackRecord(const BoardGrid& board, int n, int x, int y, int dir);
    int Reach() const { return reach_; }

    // The full recompute that checks the kept results: empty when every free cell of
    // `board` holds what a fresh walk gives, else the first cell and direction that
    // differ.
    std::string Mismatch(const BoardGrid& board) const;

  private:
    static int Index(int x, int y, int dir) { return (x * kMaxSize + y) * 4 + dir; }
    struct Saved {
        int index;
        LinePattern was;
    };
    // A fresh walk of (x, y), or the walk remembered for `window`.
    LinePattern Walk(const BoardGrid& board, uint32_t window, int x, int y, int dir);
    const PatternTables* tables_;
    int reach_ = 0;
    LineWindows windows_;
    int n_ = 0;
    std::vector<LinePattern> lines_;
    std::vector<Saved> undo_;
};

} // namespace kelvor
