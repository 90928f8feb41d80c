#include "vorlix/eval/linepattern.h"

#include "vorlix/game/board.h"

#include <array>

namespace vorlix {

std::int32_t LastLineClass = 0;
std::int32_t LastLineCode = 0;
std::int8_t ThreatKey1 = 0;
std::int8_t ThreatKey2 = 0;
std::int8_t ThreatKey3 = 0;
std::int8_t ThreatRef = 0;

namespace linepattern {

namespace {

// The pattern codes and their shapes. In a shape, x is the centre, X an own stone,
// O a blocked cell (opponent stone or off the board) and - an empty cell; cells a
// shape does not show may hold anything. Every shape also stands for its mirror.
// Each of the 3^8 fillings of the eight cells matches the shapes of exactly one code
// (TableProblems() checks it).
// clang-format off
const std::vector<CodeRow> kCodeTable = {
    {  0, 0, "OxO, Ox-O, OxXO, Ox--O, Ox-XO, OxX-O, OxXXO, O-x-O, O-xXO, OXxXO, Ox---O, Ox--XO, Ox-X-O, Ox-XXO, OxX--O, OxX-XO, OxXX-O, OxXXXO, O-x--O, O-x-XO, O-xX-O, O-xXXO, O--xXO, O-XxXO, OXx-XO, OXxXXO"},
    {  1, 1, "XXxXX, -XxXXX, OxXXXX, OXxXXX, --xXXXX, O-xXXXX, X-xXXXX"},
    {  2, 2, "-XxXX-, --xXXX-, -XXXx-O, -XXXx-X"},
    {  3, 2, "XXX-x-XXX"},
    {  4, 2, "XX-xX-XX"},
    {  5, 2, "X-xXX-X, X-XxX-X"},
    {  6, 3, "-XxXXO, -XXxXO, -XXXxO, --xXXXO, O-xXXXO, OXXXx-X"},
    {  7, 3, "OxXX-X, OXxX-X, OXXx-X"},
    {  8, 3, "O-xXX-X, O-XxX-X, O-XXx-X"},
    {  9, 3, "--xXX-X, --XxX-X, --XXx-X"},
    { 10, 3, "OxX-XX, OXx-XX"},
    { 11, 3, "O-xX-XX, O-Xx-XX"},
    { 12, 3, "O--xX-XX, O--Xx-XX"},
    { 13, 3, "---xX-XX, ---Xx-XX"},
    { 14, 3, "X--xX-XX, X--Xx-XX"},
    { 15, 3, "OX-xX-XX, OX-Xx-XX"},
    { 16, 3, "-X-xX-XX, -X-Xx-XX"},
    { 17, 3, "Ox-XXX"},
    { 18, 3, "O-x-XXX, ---x-XXX, O--x-XXX, X--x-XXX, -X--x-XXX, OX--x-XXX, XX--x-XXX"},
    { 19, 3, "-X-x-XXX, OX-x-XXX, --X-x-XXX, O-X-x-XXX, X-X-x-XXX"},
    { 20, 3, "OXX-x-XXX"},
    { 21, 3, "-XX-x-XXX"},
    { 22, 4, "--xXX--, --XxX--"},
    { 23, 4, "--xXX-O, --XxX-O, --XXx-O"},
    { 24, 4, "-X-xX-O, -X-Xx-O"},
    { 25, 4, "-X-xX--O, -X-Xx--O"},
    { 26, 4, "---xX-X-, ---Xx-X-"},
    { 27, 4, "-X-xX--X, -X-Xx--X"},
    { 28, 4, "-X-xX-XO, -X-Xx-XO"},
    { 29, 4, "-X-xX-X-"},
    { 30, 4, "-XX-x-O, ---x-XX-, -XX-x--O, -XX-x--X, -X--x-XX-, -XX-x--XO, -XX-x--XX"},
    { 31, 4, "-XX-x-XO"},
    { 32, 4, "-XX-x-X-O"},
    { 33, 4, "--X-x-XX-"},
    { 34, 4, "-XX-x-X-X"},
    { 35, 4, "-XX-x-XX-"},
    { 36, 4, "-XX-x-XXO"},
    { 37, 4, "OX-x-X-X"},
    { 38, 4, "O-X-x-X-X"},
    { 39, 4, "--X-x-X-X"},
    { 40, 4, "X-X-x-X-X"},
    { 41, 4, "OXX-x-X-X"},
    { 42, 4, "OX-xX--X, OX-Xx--X"},
    { 43, 4, "OXX-x--XX"},
    { 44, 5, "--xXXO, --XxXO, --XXxO"},
    { 45, 5, "O-xXX-O, O-XxX-O"},
    { 46, 5, "-X-xXO, -X-XxO"},
    { 47, 5, "O-x-XXO"},
    { 48, 5, "---x-XXO, O--x-XXO"},
    { 49, 5, "OX--x-XXO"},
    { 50, 5, "-X--x-XXO"},
    { 51, 5, "OX-x-XXO"},
    { 52, 5, "O-X-x-XXO"},
    { 53, 5, "--X-x-XXO"},
    { 54, 5, "OXX-x-XXO"},
    { 55, 5, "-XX-xO"},
    { 56, 5, "O-xX-XO, O-Xx-XO"},
    { 57, 5, "O--xX-XO, O--Xx-XO"},
    { 58, 5, "---xX-XO, ---Xx-XO"},
    { 59, 5, "OX-xX-XO"},
    { 60, 5, "OxX--X, OXx--X"},
    { 61, 5, "O-xX--X, O-Xx--X"},
    { 62, 5, "--Xx--X, ---xX--X, O--xX--X"},
    { 63, 5, "Ox--XX"},
    { 64, 5, "O-x--XX, ---x--XX, O--x--XX, X--x--XX, -X--x--XX, OX--x--XX"},
    { 65, 5, "OX-x--XX"},
    { 66, 5, "-X-x--XX, --X-x--XX, O-X-x--XX, X-X-x--XX"},
    { 67, 5, "Ox-X-X"},
    { 68, 5, "O-x-X-X"},
    { 69, 5, "---x-X-X, O--x-X-X"},
    { 70, 5, "-X--x-X-X, OX--x-X-X"},
    { 71, 5, "OX-x-XO"},
    { 72, 5, "O-X-x-XO"},
    { 73, 5, "--X-x-XO"},
    { 74, 5, "O-X-x-X-O"},
    { 75, 5, "--X-x-X-O"},
    { 76, 5, "--X-x-X--"},
    { 77, 6, "---xX-O, ---Xx-O"},
    { 78, 6, "O--xX--O"},
    { 79, 6, "---xX--O, ---Xx--O"},
    { 80, 6, "---xX---"},
    { 81, 6, "--X-x-O"},
    { 82, 6, "---x-X-O, O--x-X-O"},
    { 83, 6, "O-X-x--XO"},
    { 84, 6, "-X--x-X-O"},
    { 85, 6, "--X-x--O"},
    { 86, 6, "---x-X--"},
    { 87, 6, "--X-x--XO"},
    { 88, 6, "--X-x--X-"},
    { 89, 6, "-X--x-O"},
    { 90, 6, "-X--x--O"},
    { 91, 6, "---x--X-"},
    { 92, 6, "-X--x-XO"},
    { 93, 6, "-X--x--XO"},
    { 94, 6, "-X--x--X-"},
    { 95, 6, "OX-x---X"},
    { 96, 6, "OX--x--XO"},
    { 97, 7, "---xXO, ---XxO"},
    { 98, 7, "O-xX--O, O--xX-O"},
    { 99, 7, "--X-xO"},
    {100, 7, "O--x-XO"},
    {101, 7, "----x-XO, O---x-XO"},
    {102, 7, "O-x-X-O"},
    {103, 7, "-X--xO"},
    {104, 7, "O-x--XO"},
    {105, 7, "O--x--XO"},
    {106, 7, "---x--XO"},
    {107, 7, "OX-x--XO"},
    {108, 7, "Ox---X"},
    {109, 7, "O-x---X"},
    {110, 7, "---x---X, O--x---X, ----x---X, O---x---X"},
    {111, 8, "----x-O"},
    {112, 8, "----x--O, O--x---O"},
    {113, 8, "----x----, ----x---O, O---x---O"},
    {114, 9, "----xO"},
    {115, 9, "O-x---O"},
    {116, 9, "O--x--O"},
};
// clang-format on

// Open threes that can become a straight four through the centre. Here a shape stands
// only for itself (mirror images have rows of their own); the position of x fixes
// where it lies. Keys are offsets of the cells on which the opponent stops the three.
struct ThreatRow {
    const char* shapes;
    std::int8_t key[3];
    std::int8_t ref;
    bool refByNextCells;
};
constexpr std::int8_t U = kUnset;
// clang-format off
const ThreatRow kThreatTable[] = {
    {"--XXx--", {-3, +1, U}, -1, false},
    {"--XXx-O", {+1, -3, -4}, -1, false},
    {"O-XXx--", {-3, +1, +2}, -1, false},
    {"-X-Xx--, -X-Xx-O, -X-Xx-XO", {+1, -2, -4}, -1, false},
    {"-XX-x--, -XX-x-O, -XX-x-X-, -XX-x-XO, -XX-x-XX-, -XX-x-XXO", {-4, -1, +1}, -2, false},
    {"-X-Xx-X-, OX-Xx-X-, --Xx-X-, O-Xx-X-", {-2, +1, +3}, 0, false},
    {"--XxX--", {-2, +2, U}, 0, false},
    {"--XxX-O", {+2, -2, -3}, 0, false},
    {"O-XxX--", {-2, +2, +3}, 0, false},
    {"-X-xX--, -X-xX-O, -X-xX-XO", {+2, -1, -3}, 0, false},
    // A left part --x, O-x, -X-x, OX-x or OXX-x followed by -XX- at +1..+4.
    {"--x-XX-, O-x-XX-, -X-x-XX-, OX-x-XX-, OXX-x-XX-", {+4, +1, -1}, +2, true},
    {"-X-xX-X-, OX-xX-X-, --xX-X-, O-xX-X-", {-1, +2, +4}, +1, false},
    {"--xXX--", {-1, +3, U}, +1, false},
    {"--xXX-O", {+3, -1, -2}, +1, false},
    {"O-xXX--", {-1, +3, +4}, +1, false},
};
// clang-format on

// The one shape that colour 2 treats like the rows above with refByNextCells.
constexpr const char* kColour2Shape = "-XX-x-XXO";

constexpr int kOffsets[8] = {-4, -3, -2, -1, 1, 2, 3, 4};
constexpr int kPow3[8] = {2187, 729, 243, 81, 27, 9, 3, 1};

int SlotOf(int offset) {
    return offset < 0 ? offset + 4 : offset + 3;
}

// Offset -> required state for one shape, or false when the shape is malformed.
struct Constraint {
    int state[8]; // -1 where the shape says nothing
};

bool ParseShape(std::string_view shape, bool mirror, Constraint& c) {
    for (int& s : c.state) s = -1;
    auto x = shape.find('x');
    if (x == std::string_view::npos) return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        int off = static_cast<int>(i) - static_cast<int>(x);
        if (mirror) off = -off;
        if (off == 0) continue;
        if (off < -4 || off > 4) return false;
        char ch = shape[i];
        c.state[SlotOf(off)] = ch == '-' ? 0 : ch == 'X' ? 1 : ch == 'O' ? 2 : -2;
        if (c.state[SlotOf(off)] == -2) return false;
    }
    return true;
}

template <class F> void ForEachShape(const char* shapes, F&& f) {
    std::string_view all(shapes);
    while (!all.empty()) {
        auto comma = all.find(',');
        std::string_view s = all.substr(0, comma);
        while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
        while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
        f(s);
        if (comma == std::string_view::npos) break;
        all.remove_prefix(comma + 1);
    }
}

template <class F> void ForEachFilling(const Constraint& c, F&& f) {
    // Walk only the free cells: 3^free fillings.
    int free[8], nFree = 0, base = 0;
    for (int i = 0; i < 8; ++i) {
        if (c.state[i] < 0)
            free[nFree++] = i;
        else
            base += c.state[i] * kPow3[i];
    }
    int count = 1;
    for (int i = 0; i < nFree; ++i) count *= 3;
    for (int n = 0; n < count; ++n) {
        int idx = base, m = n;
        for (int i = 0; i < nFree; ++i, m /= 3) idx += (m % 3) * kPow3[free[i]];
        f(idx);
    }
}

struct Tables {
    std::array<Entry, kFillings> entry{};
    std::array<OpenThree, kFillings> openThree{};
    std::vector<std::string> problems;
    Tables();
};

Tables::Tables() {
    std::array<int, kFillings> codeOf;
    codeOf.fill(-1);
    for (const auto& row : kCodeTable)
        ForEachShape(row.shapes, [&](std::string_view shape) {
            for (bool mirror : {false, true}) {
                Constraint c;
                if (!ParseShape(shape, mirror, c)) {
                    problems.push_back("bad shape " + std::string(shape));
                    return;
                }
                ForEachFilling(c, [&](int idx) {
                    if (codeOf[idx] >= 0 && codeOf[idx] != row.code)
                        problems.push_back(FillingText(idx) + " has codes " +
                                           std::to_string(codeOf[idx]) + " and " +
                                           std::to_string(row.code));
                    codeOf[idx] = row.code;
                    entry[idx].lineCode = static_cast<std::int8_t>(row.code);
                    entry[idx].lineClass = static_cast<std::int8_t>(row.lineClass);
                });
            }
        });
    for (int idx = 0; idx < kFillings; ++idx) {
        if (codeOf[idx] < 0) problems.push_back(FillingText(idx) + " has no code");
        if (entry[idx].lineClass != kClassFour) continue;
        // The completion cell of a four: the one empty cell that makes five with the centre.
        int st[9];
        int s8[8];
        FillingStates(idx, s8);
        for (int i = 0; i < 8; ++i) st[kOffsets[i] + 4] = s8[i];
        st[4] = 1;
        for (int i = 0; i < 8; ++i) {
            if (s8[i] != 0) continue;
            st[kOffsets[i] + 4] = 1;
            for (int from = 0; from <= 4; ++from) {
                bool five = true;
                for (int k = 0; k < 5; ++k) five = five && st[from + k] == 1;
                if (five) entry[idx].completion = static_cast<std::int8_t>(kOffsets[i]);
            }
            st[kOffsets[i] + 4] = 0;
        }
    }

    for (const auto& row : kThreatTable)
        ForEachShape(row.shapes, [&](std::string_view shape) {
            Constraint c;
            if (!ParseShape(shape, false, c)) {
                problems.push_back("bad threat shape " + std::string(shape));
                return;
            }
            bool colour2 = shape == kColour2Shape;
            ForEachFilling(c, [&](int idx) {
                int cls = entry[idx].lineClass;
                if (cls == kClassFive || cls == kClassOpenFour || cls == kClassFour) return;
                OpenThree& t = openThree[idx];
                if (t.threat != 0)
                    problems.push_back(FillingText(idx) + " matches two open-three rows");
                t.threat = kThreatOpenThree;
                for (int k = 0; k < 3; ++k) t.key[k] = row.key[k];
                t.ref = row.ref;
                t.refByNextCells = row.refByNextCells;
                t.refByNextCells2 = colour2;
            });
        });
}

const Tables& TheTables() {
    static const Tables tables;
    return tables;
}

// Built before main so that the classifiers need no guard on their hot path.
const Tables& gTables = TheTables();

// What each cell state adds to the filling index at each of the eight places, for
// colour 1 and colour 2: own 1, blocked 2 and empty 0 times the place's power of 3.
// A state that is no cell content adds kInvalid, which no sum of valid places reaches,
// so one comparison at the end catches it. Sums of independent look-ups keep the
// dependency chain short.
constexpr std::uint32_t kInvalid = 1u << 16;
struct Weights {
    std::uint32_t w[8][256];
};
constexpr Weights MakeWeights(int own) {
    Weights m{};
    for (int p = 0; p < 8; ++p) {
        for (int i = 0; i < 256; ++i) m.w[p][i] = kInvalid;
        m.w[p][0] = 0;
        m.w[p][own] = static_cast<std::uint32_t>(kPow3[p]);
        m.w[p][3 - own] = static_cast<std::uint32_t>(2 * kPow3[p]);
    }
    return m;
}
constexpr Weights kWeights[2] = {MakeWeights(1), MakeWeights(2)};

// The filling of positions 3..11 of a line, or -1 when a cell holds no valid state.
template <int Colour> inline int LineFilling(const std::uint8_t* line) {
    const auto& w = kWeights[Colour - 1].w;
    Tabla[0] = static_cast<std::uint8_t>(3 - Colour);
    std::uint32_t left = (w[0][Tabla[line[3]]] + w[1][Tabla[line[4]]]) +
                         (w[2][Tabla[line[5]]] + w[3][Tabla[line[6]]]);
    std::uint32_t right = (w[4][Tabla[line[8]]] + w[5][Tabla[line[9]]]) +
                          (w[6][Tabla[line[10]]] + w[7][Tabla[line[11]]]);
    std::uint32_t idx = left + right;
    return idx < static_cast<std::uint32_t>(kFillings) ? static_cast<int>(idx) : -1;
}

template <int Colour> LineResult ClassifyLineFor(const std::uint8_t* line) {
    int idx = LineFilling<Colour>(line);
    if (idx < 0) {
        LastLineClass = LastLineCode = 0;
        return {0, 0};
    }
    const Entry& e = gTables.entry[static_cast<size_t>(idx)];
    LastLineClass = e.lineClass;
    LastLineCode = e.lineCode;
    return {e.lineClass, e.lineCode};
}

template <int Colour> std::uint8_t ClassifyThreatFor(const std::uint8_t* line) {
    int idx = LineFilling<Colour>(line);
    if (idx < 0) return kThreatNone;
    const Entry& e = gTables.entry[static_cast<size_t>(idx)];
    switch (e.lineClass) {
    case kClassFive:
        return kThreatFive;
    case kClassOpenFour:
        return kThreatOpenFour;
    case kClassFour:
        ThreatKey1 = e.completion;
        return kThreatFour;
    default:
        break;
    }
    const OpenThree& t = gTables.openThree[static_cast<size_t>(idx)];
    if (t.threat == 0) return kThreatNone;
    std::int8_t ref = t.ref;
    if (t.refByNextCells || (Colour == 2 && t.refByNextCells2)) {
        std::uint8_t s5 = Tabla[line[12]], s6 = Tabla[line[13]];
        if (s5 > 2 || s6 > 2) return kThreatNone;
        ref = (s5 == Colour && s6 == 0) ? 3 : 2;
    }
    ThreatKey1 = t.key[0];
    ThreatKey2 = t.key[1];
    if (t.key[2] != kUnset) ThreatKey3 = t.key[2];
    ThreatRef = ref;
    return kThreatOpenThree;
}

} // namespace

int FillingIndex(const int states[8]) {
    int idx = 0;
    for (int i = 0; i < 8; ++i) idx = idx * 3 + states[i];
    return idx;
}

void FillingStates(int index, int states[8]) {
    for (int i = 7; i >= 0; --i, index /= 3) states[i] = index % 3;
}

std::string FillingText(int index) {
    int st[8];
    FillingStates(index, st);
    std::string s;
    for (int i = 0; i < 8; ++i) {
        if (i == 4) s += 'x';
        s += "-XO"[st[i]];
    }
    return s;
}

Entry EntryOf(int filling) {
    return TheTables().entry[static_cast<size_t>(filling)];
}
OpenThree OpenThreeOf(int filling) {
    return TheTables().openThree[static_cast<size_t>(filling)];
}
const std::vector<CodeRow>& CodeTable() {
    return kCodeTable;
}
std::vector<std::string> TableProblems() {
    return TheTables().problems;
}

} // namespace linepattern

LineResult ClassifyLine(const std::uint8_t* line, int colour) {
    return colour == 1 ? linepattern::ClassifyLineFor<1>(line)
                       : linepattern::ClassifyLineFor<2>(line);
}

std::uint8_t ClassifyThreat(const std::uint8_t* line, int colour) {
    return colour == 1 ? linepattern::ClassifyThreatFor<1>(line)
                       : linepattern::ClassifyThreatFor<2>(line);
}

int WhatIsLineCode(int x, int y, int direction, int colour) {
    if (!OnBoard(x, y) || direction < 1 || direction > 4) return 0;
    return ClassifyLine(LineCells[CellIndex(x, y)][direction - 1], colour == 1 ? 1 : 2).lineCode;
}

} // namespace vorlix
