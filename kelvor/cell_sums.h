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

// What the search reads of a pattern record for one colour, under the variant being
// searched: its two scores and its kind.
struct RecordInfo {
    int16_t own = 0, opp = 0;
    int8_t kind = 0;
    bool threat = false, strong = false;
};

// The sums of one free cell for one side to move over its four directions: of the
// records of the side to move ("own") and of the opponent's.
struct CellSum {
    int32_t own = 0;       // the own records' own scores
    int32_t opp = 0;       // the opponent records' opponent scores (the threat)
    int8_t fives = 0;      // own records that are a five
    int8_t strong = 0;     // own threes, fours and double fours
    int8_t threat100 = 0;  // own closed threes and open twos
    int8_t threat50 = 0;   // own twos, ones and open ones
    int8_t overline = 0;   // own overlines and double fours
    int8_t unknown = 0;    // directions with the opponent's record only
    uint8_t oppStrong = 0; // bit d: the opponent's record in direction d is strong
    bool operator==(const CellSum&) const = default;
};

class CellSums {
  public:
    // Reads the records' scores and kinds for `variant` (0 renju, 1 gomoku) and
    // `exactFive`, as the evaluator reads them.
    void Prepare(const PatternTables& tables, int variant, bool exactFive);
    const RecordInfo& Info(int colour, int record) const {
        return info_[colour - 1][static_cast<size_t>(record)];
    }

    // The sum of four line patterns (one per direction) for `toMove`.
    CellSum Of(const LinePattern (&lines)[4], int toMove) const;

    // Sums every free cell of `board` (n x n) again from `lines`.
    void Rebuild(const LinePatterns& lines, const BoardGrid& board, int n);
    // The line pattern of entry `index` of the line patterns changed from `was` to `now`.
    void Change(int index, const LinePattern& was, const LinePattern& now) {
        const int cell = index / 4, dir = index % 4;
        for (int c = 0; c < 2; ++c) {
            Add(sums_[c][cell], was, c + 1, dir, -1);
            Add(sums_[c][cell], now, c + 1, dir, +1);
        }
    }
    const CellSum& At(int x, int y, int toMove) const {
        return sums_[toMove - 1][x * kMaxSize + y];
    }

    // The full recompute that checks the kept sums: empty when every free cell holds
    // the sums of `lines`, else the first cell that differs.
    std::string Mismatch(const LinePatterns& lines, const BoardGrid& board, int n) const;

  private:
    void Add(CellSum& s, const LinePattern& lp, int toMove, int dir, int sign) const;
    std::vector<RecordInfo> info_[2];
    CellSum sums_[2][kMaxSize * kMaxSize];
};

} // namespace kelvor
