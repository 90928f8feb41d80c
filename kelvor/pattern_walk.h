#pragma once
// The walk of the pattern automaton along one line through a cell.
//
// The walk starts in state 0 at the cell with a mirror sign of +1. Each state names
// an offset; the cell at that offset (times the mirror sign) along the direction is
// read as kind 1 (off the board, or a stone not of the pattern's colour), 2 (empty
// or candidate) or 3 (a stone of the pattern's colour). Unless the colour is fixed in
// advance, the first stone met fixes it.

#include "kelvor/board.h"
#include "kelvor/pattern_tables.h"

#include <stdexcept>

namespace kelvor {

struct LineWalk {
    int record = 0;       // the pattern record the walk ended at
    int colour = 0;       // the pattern's colour; 0 when no stone was met
    int nearestPlus = 0;  // colour of the first stone met on the + side, 0 if none
    int nearestMinus = 0; // the same on the - side
};

// The most states one walk may pass through.
constexpr int kMaxWalkSteps = 64;

// The walk over any line: `read(offset)` gives the cell at that offset from the start
// cell, -1 when it lies off the board. `colour` 0 lets the first stone met fix it.
// Throws std::runtime_error when the automaton does not end within kMaxWalkSteps steps
// or leaves its tables (a corrupt table).
template <class Read> LineWalk WalkCells(const PatternTables& tables, Read read, int colour) {
    LineWalk w;
    w.colour = colour;
    int state = 0, mirror = 1;
    for (int step = 0; step < kMaxWalkSteps; ++step) {
        const int* s = tables.State(state);
        const int off = s[0] * mirror;
        const int v = read(off);
        int kind = 1;
        if (v == kBlack || v == kWhite) {
            if (w.colour == 0) w.colour = v;
            int& nearest = off > 0 ? w.nearestPlus : w.nearestMinus;
            if (nearest == 0) nearest = v;
            kind = v == w.colour ? 3 : 1;
        } else if (v >= 0) {
            kind = 2;
        }
        int next = s[kind];
        if (next < 0) {
            next = -next;
            mirror = -mirror;
        }
        if (next >= kRecordBase) {
            if (next - kRecordBase >= kRecordCount) break;
            w.record = next - kRecordBase;
            return w;
        }
        if (next >= kStateCount) break;
        state = next;
    }
    throw std::runtime_error("pattern automaton does not end");
}

// The walk along direction `dir` of `board` (n x n) from (x, y).
inline LineWalk WalkLine(const PatternTables& tables, const BoardGrid& board, int n, int x, int y,
                         int dir, int colour) {
    return WalkCells(
        tables,
        [&](int off) {
            const int cx = x + off * kDirX[dir], cy = y + off * kDirY[dir];
            return OnBoard(n, cx, cy) ? board[cx][cy] : -1;
        },
        colour);
}

// True when the tables are safe to walk: every next state and record in range,
// offsets within the line, cell counts within the record, and every walk from the
// start state reaching a record within kMaxWalkSteps steps whatever it reads.
bool TablesAreSound(const PatternTables& tables);

} // namespace kelvor
