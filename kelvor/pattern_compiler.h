#pragma once
// The generator of the evaluator's tables: compiles the readable description of the
// line patterns (data/kelvor/patterns.txt) into the pattern automaton and records.
//
// A line is seen from the valued cell S, as if the pattern's colour played it: the
// cells at offsets -5..+5 are own stones, empty cells, or blocked (off the board or
// the other colour). Every kind is defined by what S makes on that line:
//   five         a run of exactly five through S (renju black), five or more otherwise
//   overline     a run of six or more through S (renju black)
//   four         a completion cell exists: one more stone there makes a five with S
//   straight-four  two completions five cells apart: one four that cannot be stopped;
//                it has the kind of a four and scores of its own
//   double-four  two fours on the line
//   three        one more stone makes a straight four with S
//   closed-three one more stone makes a four
//   open-two     one more stone makes a three
//   two          one more stone makes a closed three
//   open-one     one more stone makes an open two
//   one          one more stone makes a two
//   dead         none of these: no five through S is possible on this line
// The strongest kind that applies is the line's kind. The decision tree reads the
// cells nearest first, alternating sides, stops reading a side at a blocked cell and
// never reads a cell the answer does not depend on; identical subtrees are shared.

#include "kelvor/pattern_tables.h"

#include <array>
#include <string>
#include <vector>

namespace kelvor {

// One line of the description: a named rule, its kind, scores and recorded cells.
struct KindRule {
    std::string name;
    int kind = 0;
    int blackOwn = 0, blackOpp = 0, whiteOwn = 0, whiteOpp = 0;
    bool keys = false;     // record the key cells (completions or makers)
    bool defences = false; // record the cells that break the pattern when blocked
};

struct PatternDescription {
    std::vector<KindRule> rules;
    const KindRule* Find(const std::string& name) const;
};

// Parses the description; throws std::runtime_error naming the line on a fault.
PatternDescription ParsePatternDescription(const std::string& text);

// The analysis of one line for one reading. `cells[i]` is the cell at offset i - 5
// (cells[5] is S): 0 empty, 1 own stone, 2 blocked.
struct LineAnalysis {
    int kind = kDead;
    bool straight = false;     // a four with two completions: the "straight-four" rule
    std::vector<int> keys;     // offsets, ascending
    std::vector<int> defences; // offsets, ascending, not repeating the keys
};
using LineCells = std::array<int, 11>;
// `exact` is the renju black reading (exactly five wins, six or more is an overline).
LineAnalysis AnalyseLine(const LineCells& cells, bool exact);

struct CompileReport {
    int states = 0;
    int records = 0;
    int maxCells = 0; // largest key + defence count of a record
};

// Builds the tables. Throws std::runtime_error when they do not fit 943 states and
// 912 records or a record holds more than six cells. Unused entries are zero.
PatternTables CompilePatterns(const PatternDescription& description, CompileReport* report);

// Whether a record takes its cells from the renju black reading (true) or from the
// white and gomoku reading: black's threes and fours need their own key cells for
// the legality test.
bool RecordUsesBlackCells(int blackKind);

} // namespace kelvor
