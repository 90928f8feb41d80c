#pragma once
// The two data tables of the kelvor evaluator: the pattern automaton ("renju.tbl")
// and the pattern records ("renju.scs"). Both files are raw little-endian signed
// 16-bit values without a header.
//
// Automaton: 943 states of 4 values: an offset along the line, then the next state
// for a cell of kind 1 (off the board or a stone of the other colour), kind 2 (empty)
// and kind 3 (a stone of the pattern's colour). A negative next state flips the
// walking direction; a next state of 10000 or more ends the walk at record
// (next - 10000).
//
// Records: 912 records of 14 values:
//   [0] black's score as the side to move   [1] black's score when it is the opponent's
//   [2] white's score as the side to move   [3] white's score when it is the opponent's
//   [4] kind for black in renju             [5] kind for white, and in gomoku
//   [6] number of key cells                 [7] number of defence cells
//   [8..13] offsets of the key cells, then of the defence cells.

#include <string>
#include <vector>

namespace kelvor {

constexpr int kStateCount = 943;
constexpr int kStateValues = 4;
constexpr int kAutomatonValues = kStateCount * kStateValues; // 3772
constexpr int kRecordCount = 912;
constexpr int kRecordValues = 14;
constexpr int kRecordTableValues = kRecordCount * kRecordValues; // 12768
constexpr int kRecordCellSlots = kRecordValues - 8;
constexpr int kRecordBase = 10000;

// Kinds of a line through a cell, as if the pattern's colour played the cell.
enum PatternKind : int {
    kOverline = -1,   // six or more in a row (renju black only)
    kDead = 0,        // no five through the cell is possible any more
    kTwo = 2,         // one more stone makes a closed three
    kOpenTwo = 3,     // one more stone makes a three
    kClosedThree = 4, // one more stone makes a four
    kThree = 6,       // one more stone makes a straight four
    kFour = 7,        // one four (one completion, or two for a straight four)
    kDoubleFour = 8,  // two fours on the same line
    kFive = 10,
    kOne = 11,     // one more stone makes a two
    kOpenOne = 12, // one more stone makes an open two
};

// Record field indexes.
enum RecordField : int {
    kBlackOwn = 0,
    kBlackOpp = 1,
    kWhiteOwn = 2,
    kWhiteOpp = 3,
    kBlackKind = 4,
    kWhiteKind = 5,
    kKeyCount = 6,
    kDefenceCount = 7,
    kFirstCell = 8,
};

struct PatternTables {
    std::vector<int> automaton = std::vector<int>(kAutomatonValues, 0);
    std::vector<int> records = std::vector<int>(kRecordTableValues, 0);

    const int* State(int s) const { return &automaton[s * kStateValues]; }
    const int* Record(int r) const { return &records[r * kRecordValues]; }
};

enum class TableLoad { Ok, Missing, NotRegular, TooShort };

// Reads `values` 16-bit values from `path` into `out`, sign-extended. Missing when
// the file cannot be opened, NotRegular for a FIFO, a device or a folder (never
// read), TooShort when it holds fewer bytes (nothing beyond the data is read; `out`
// keeps its previous content unless Ok).
TableLoad ReadTableFile(const std::string& path, std::vector<int>& out, int values);

// Loads "renju.tbl" and "renju.scs" from `folder` (with a trailing "/", or empty for
// the working folder). A missing file shows "Can't open tbl file" or "Can't open scs
// file"; one that is not a regular file "renju.tbl is not a regular file"; a short one
// "renju.tbl is too short" (or the same for renju.scs). True when both were read;
// otherwise `problem`, when given, receives the reasons as a line of text ("cannot
// read renju.tbl", "renju.scs is too short", joined by "; ").
bool LoadPatternTables(const std::string& folder, PatternTables& tables,
                       std::string* problem = nullptr);

// The 16-bit little-endian image of a table, for the generator.
std::string TableBytes(const std::vector<int>& values);

} // namespace kelvor
