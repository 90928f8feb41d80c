#pragma once
// The walks of the pattern automaton from a free cell, remembered by the arrangement
// of the cells around it.
//
// A walk reads only cells within the automaton's reach of its start, so with a reach
// of at most kWindowReach its result is a function of the 2 x kWindowReach cells
// around the start on the line (each free, black, white or off the board). A window
// holds those cells, two bits each; the first walk over a window is remembered and
// every later one is a lookup. A search meets the same few thousand windows millions
// of times.

#include "kelvor/board.h"
#include "kelvor/pattern_tables.h"

#include <cstdint>
#include <memory>

namespace kelvor {

constexpr int kWindowReach = 5;
constexpr int kWindowCount = 1 << (4 * kWindowReach);

// What a line holds for the evaluator: the walk that lets the first stone met fix the
// colour, and, when exactly one side's nearest stone is of the other colour, the walk
// for that colour too.
struct LinePattern {
    int16_t record = 0; // the first walk's record
    int16_t again = -1; // the other colour's record, -1 when that walk is not made
    int8_t colour = 0;  // the first walk's colour, 0 when it met no stone
    bool operator==(const LinePattern& o) const {
        return record == o.record && again == o.again && colour == o.colour;
    }
};

// The line pattern of (x, y) in direction `dir`, walked on `board` now.
LinePattern WalkLinePattern(const PatternTables& tables, const BoardGrid& board, int n, int x,
                            int y, int dir);

// The two-bit code of a cell of the line: 0 free, 1 black, 2 white, 3 off the board.
inline uint32_t CellCode(const BoardGrid& board, int n, int x, int y) {
    if (!OnBoard(n, x, y)) return 3;
    const int v = board[x][y];
    return v == kBlack || v == kWhite ? static_cast<uint32_t>(v) : 0;
}

// The window of the free cell (x, y) in direction `dir`: the cells at offsets
// -kWindowReach..-1 in its low bits, then those at 1..kWindowReach.
uint32_t WindowOf(const BoardGrid& board, int n, int x, int y, int dir);

class LineWindows {
  public:
    // `tables` must outlive the object. Windows serve only tables whose reach is at
    // most kWindowReach; for others Usable() is false and nothing is allocated.
    LineWindows(const PatternTables* tables, int reach);
    bool Usable() const { return patterns_ != nullptr; }

    // The line pattern and the black walk's record of the free cell (x, y), whose
    // window is `window`.
    const LinePattern& Pattern(uint32_t window, const BoardGrid& board, int n, int x, int y,
                               int dir) {
        Entry& e = patterns_[window];
        if (!e.known) {
            e.pattern = WalkLinePattern(*tables_, board, n, x, y, dir);
            e.known = true;
        }
        return e.pattern;
    }
    int BlackRecord(uint32_t window, const BoardGrid& board, int n, int x, int y, int dir);

  private:
    struct Entry {
        LinePattern pattern;
        bool known = false;
    };
    const PatternTables* tables_;
    std::unique_ptr<Entry[]> patterns_;
    std::unique_ptr<int16_t[]> black_; // -1 when not walked yet
};

} // namespace kelvor
