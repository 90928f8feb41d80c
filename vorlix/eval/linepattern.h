#pragma once
// The two line classifiers every evaluator and search shares.
//
// A line is the 15 entries of LineCells for one cell and one direction; its centre
// (position 7) counts as a stone of the examined colour and is never read.
//
// ClassifyLine looks at the four cells on each side and gives a LineClass (0..9)
// and a LineCode (0..116). ClassifyThreat looks at offsets -4..+6 and tells a five,
// an open four, a four (with its completion cell) or an open three that can become a
// straight four (with the cells that stop it and a reference stone).
//
// Before reading, both write the opponent's colour into the off-board pseudo-cell
// Tabla[0], so the edge of the board acts as an opponent stone. A cell holding
// anything but 0, 1 or 2 makes the result class 0, code 0 (threat 0).
//
// Both decide by table look-up (one 3^8 table, built at start-up from the shape
// tables in linepattern.cpp): no loops over shapes and no allocation per call.

#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

// LineClass
enum : int {
    kClassDead = 0,
    kClassFive = 1,
    kClassOpenFour = 2,
    kClassFour = 3,
    kClassOpenThree = 4,
    kClassThree = 5,
    kClassOpenTwo = 6,
    kClassTwo = 7,
    kClassOpenOne = 8,
    kClassOne = 9,
};
constexpr int kLineCodes = 117;

// ThreatCode
enum : std::uint8_t {
    kThreatNone = 0,
    kThreatFive = 1,
    kThreatOpenFour = 5,
    kThreatFour = 21,
    kThreatOpenThree = 85,
};

struct LineResult {
    int lineClass;
    int lineCode;
};

// Results of the last call, shared like the rest of the engine state. Every call
// overwrites them; offsets that a threat result does not set keep their old value.
extern std::int32_t LastLineClass;
extern std::int32_t LastLineCode;
extern std::int8_t ThreatKey1; // a four: its completion cell; an open three: a stopping cell
extern std::int8_t ThreatKey2;
extern std::int8_t ThreatKey3;
extern std::int8_t ThreatRef; // an open three: one of its stones

// colour is 1 or 2; line points to 15 entries of LineCells.
LineResult ClassifyLine(const std::uint8_t* line, int colour);
std::uint8_t ClassifyThreat(const std::uint8_t* line, int colour);

// The classification behind the host callback WhatIsLine: the LineCode of the line
// through (x, y) in direction 1..4, for colour 1 when colour is 1 and colour 2
// otherwise. The cell's own stone is not looked at.
int WhatIsLineCode(int x, int y, int direction, int colour);

namespace linepattern {

// The eight cells a class depends on, from offset -4 to +4 without the centre, as
// relative states: 0 empty, 1 own, 2 blocked (opponent or off the board).
constexpr int kFillings = 6561;
int FillingIndex(const int states[8]);
void FillingStates(int index, int states[8]);
// "-XO" text of a filling with x in the middle, e.g. "--XXx-O--".
std::string FillingText(int index);

struct Entry {
    std::int8_t lineClass;
    std::int8_t lineCode;
    std::int8_t completion; // class 3: offset of the completion cell
};
Entry EntryOf(int filling);

// Shapes of each code, as the code table writes them (each also stands for its
// mirror image).
struct CodeRow {
    int code;
    int lineClass;
    const char* shapes;
};
const std::vector<CodeRow>& CodeTable();

// Open-three result of a filling (threat 85), or threat 0 for a filling without one.
constexpr std::int8_t kUnset = -128;
struct OpenThree {
    std::uint8_t threat; // 85 or 0
    std::int8_t key[3];  // kUnset where the classifier leaves a key alone
    std::int8_t ref;
    bool refByNextCells;  // ref is +3 when +5 is own and +6 empty, else +2 (both colours)
    bool refByNextCells2; // the same rule for colour 2 only (colour 1 keeps `ref`)
};
OpenThree OpenThreeOf(int filling);

// Fillings that the shape tables match with no code or with two codes, and
// fillings where two open-three rows apply. Empty for a sound table.
std::vector<std::string> TableProblems();

} // namespace linepattern

} // namespace vorlix
