#pragma once
// What the search reads of a free cell, for either side to move: the sums and counts
// of the pattern records of its four lines, kept up to date from the line patterns'
// changes. Valuing a candidate then costs one load instead of a table lookup per
// direction and colour, and it is done for every candidate of every generated ply.

#include "kelvor/line_patterns.h"
#include "kelvor/pattern_tables.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelvor {

// The kind of a record for `colour`. The renju black reading is the exact one (five
// exactly, six or more an overline); gomoku with ExactFive reads both colours so.
int KindOf(const int* rec, int variant, bool exactFive, int colour);

// The score column (own; the opponent's is the next) of a record for `colour`. In
// gomoku with ExactFive the two readings differ only on lines an overline touches
// (six or more is no five there, and a completion making six is no four): those take
// the exact reading's scores, every other line the gomoku scores.
int ScoreColumn(const int* rec, int variant, bool exactFive, int colour);

// The sums of one free cell for one side to move over its four directions: of the
// records of the side to move ("own") and of the opponent's. The counts are bytes of
// one word, so that a direction's part is added or taken back with three additions.
// A sum only ever loses a part it holds, so no byte borrows from the next.
struct CellSum {
    int32_t own = 0;     // the own records' own scores
    int32_t opp = 0;     // the opponent records' opponent scores (the threat)
    uint64_t counts = 0; // the bytes below

    enum Count {
        kFives,     // own records that are a five
        kStrong,    // own threes, fours and double fours
        kThreat100, // own closed threes and open twos
        kThreat50,  // own twos, ones and open ones
        kOverline,  // own overlines and double fours
        kUnknown,   // directions with the opponent's record only
        kOppStrong, // bit d: the opponent's record in direction d is strong
    };
    int Get(Count c) const { return static_cast<int>((counts >> (8 * c)) & 0xff); }
    static uint64_t One(Count c) { return uint64_t{1} << (8 * c); }

    void Add(const CellSum& p) {
        own += p.own;
        opp += p.opp;
        counts += p.counts;
    }
    void Take(const CellSum& p) {
        own -= p.own;
        opp -= p.opp;
        counts -= p.counts;
    }
    bool operator==(const CellSum&) const = default;
};

class CellSums {
  public:
    // Reads the records' scores and kinds for `variant` (0 renju, 1 gomoku) and
    // `exactFive`, as the evaluator reads them, into each record's parts.
    void Prepare(const PatternTables& tables, int variant, bool exactFive);

    // The sum of four line patterns (one per direction) for `toMove`.
    CellSum Of(const LinePattern (&lines)[4], int toMove) const;

    // Sums every free cell of `board` (n x n) again from `lines`.
    void Rebuild(const LinePatterns& lines, const BoardGrid& board, int n);
    // The line pattern of entry `index` of the line patterns changed from `was` to `now`.
    void Change(int index, const LinePattern& was, const LinePattern& now) {
        const int cell = index / 4, dir = index % 4;
        for (int c = kBlack; c <= kWhite; ++c) {
            CellSum& s = sums_[c - 1][cell];
            s.Take(Part(was, c, dir));
            s.Add(Part(now, c, dir));
        }
    }
    const CellSum& At(int x, int y, int toMove) const {
        return sums_[toMove - 1][x * kMaxSize + y];
    }

    // The full recompute that checks the kept sums: empty when every free cell holds
    // the sums of `lines`, else the first cell that differs.
    std::string Mismatch(const LinePatterns& lines, const BoardGrid& board, int n) const;

  private:
    // The part of one direction's line pattern in the sums for `toMove`.
    CellSum Part(const LinePattern& lp, int toMove, int dir) const {
        const int first = lp.colour ? lp.colour : toMove;
        CellSum p = Side(lp.record, first, toMove, dir);
        if (lp.again >= 0) p.Add(Side(lp.again, Other(first), toMove, dir));
        if (lp.colour == Other(toMove) && lp.again < 0) p.counts += CellSum::One(CellSum::kUnknown);
        return p;
    }
    // The part of a record of `colour`'s in the sums for `toMove`.
    CellSum Side(int record, int colour, int toMove, int dir) const {
        const size_t r = static_cast<size_t>(record);
        if (colour == toMove) return ownPart_[toMove - 1][r];
        CellSum p = oppPart_[toMove - 1][r];
        p.counts <<= dir; // the strong bit moves to direction dir's
        return p;
    }
    // Per side to move and record: its part as an own record and as the opponent's
    // (with the strong bit of direction 0).
    std::vector<CellSum> ownPart_[2], oppPart_[2];
    CellSum sums_[2][kMaxSize * kMaxSize];
};

} // namespace kelvor
