#include "vorlix/eval/pattern_table_design.h"

#include "vorlix/eval/linepattern.h"
#include "vorlix/eval/pattern_tables.h"

#include <cstdio>
#include <fstream>

namespace vorlix {

namespace {

// How the engines read these numbers
// ----------------------------------
// A cell's LineClass in a direction is what one more stone of that colour on the cell
// makes of the line: class 1 a five, 2 an open four, 3 a four, 4 an open three, 5 a
// three, 6 an open two, 7 a two, 8 an open one, 9 a one, 0 nothing (dead line).
//
// M1 (candidate values, for the side to move): a cell is worth the code values of its
// four own lines ("making") plus those of the opponent's four lines ("blocking"), plus
// the own pair matrix over the six pairs of own classes, the opponent pair matrix over
// the opponent's, and the mixed matrix over all sixteen (own, opponent) class pairs.
// The players multiply by 0.01 (Rupo) or 0.008 (Zelta and the searches), so 100 here
// is about one unit there. Quiet moves must differ by tenths to a few units, forcing
// ones by tens: the searches cut candidates at (v1 - vk) k^1.5 > 8.6 and Rupo takes
// every cell within 0.35 of the best, so 35 points here separate "as good" from
// "worse". Every candidate should also stay well above 35: cells that are not
// candidates sit at 0 in Rupo's value array.
//
// E1 (position values, one colour): a cell is worth its four code values plus the
// pair matrix over its six class pairs; a position is the sum over all empty cells of
// the mover's values minus the opponent's, times 0.006. A quiet position should stay
// within about +/-10 units (1700 points of difference), a clearly won one reach
// +/-25, so single cells stay in the hundreds and only a five-completion cell goes to
// thousands.
//
// Pair matrices are symmetric here; the four-direction tables sum them in 16 bits, so
// six pair entries together must stay within +/-32767.

struct ClassRow {
    int lineClass;
    const char* name;
    int m1Own, m1Opp, e1;
    const char* why;
};

const ClassRow kClassRows[] = {
    {0, "dead", 0, 0, 0, "no five can ever pass through the cell in this line"},
    {1, "five", 20000, 10000, 3000,
     "winning is above everything; stopping the opponent's five is above everything else. "
     "E1: a cell that completes five is the strongest potential a position can hold"},
    {2, "open four", 6000, 2500, 800,
     "an open four wins next move; blocking the cell where the opponent would make one "
     "(his open three) must come before any own threat except a five, an open four, a "
     "four-three or a double four"},
    {3, "four", 260, 120, 200,
     "a four forces the reply but spends the line; blocking a potential four is useful "
     "but rarely urgent"},
    {4, "open three", 300, 200, 180,
     "the main attacking move: it forces a reply and keeps the line; blocking the "
     "opponent's open three to be is worth a little less than making our own"},
    {5, "three", 60, 40, 35, "a closed three can still become a four"},
    {6, "open two", 50, 35, 30, "the building move of the opening"},
    {7, "two", 12, 10, 7, ""},
    {8, "open one", 6, 5, 3,
     "every open cell near stones has these; four of them for both colours plus the pair "
     "values keep every candidate well above 35"},
    {9, "one", 2, 2, 1, ""},
};

struct CodeRow {
    int code;
    int m1Own, m1Opp, e1; // added to the class values
    const char* why;
};

const CodeRow kCodeAdjustments[] = {
    {22, 40, 30, 30,
     "--xXX--: an open three with room on both sides makes a straight four two ways"},
    {80, 10, 5, 5, "---xX---: the open two with the most room"},
    {113, 2, 1, 1, "----x----: a lone stone in open space"},
};

struct PairRow {
    int a, b; // classes; the matrices get the value at [a][b] and [b][a]
    int m1Own, m1Opp, e1;
    const char* why;
};

const PairRow kPairRows[] = {
    {3, 3, 4000, 2500, 900, "double four: wins (ours) or must be broken up (theirs)"},
    {3, 4, 4000, 2500, 900, "four-three: wins unless the opponent is faster"},
    {4, 4, 700, 800, 400,
     "double three: wins against a quiet opponent, but below blocking his open three"},
    {3, 5, 40, 25, 20, "a four that also builds a three"},
    {3, 6, 40, 25, 20, ""},
    {4, 5, 80, 60, 40, "an open three with a second line in reserve"},
    {4, 6, 60, 40, 30, ""},
    {5, 5, 30, 20, 15, "two threes: close to a double-four threat"},
    {5, 6, 25, 15, 12, ""},
    {6, 6, 30, 25, 15, "two open twos: the typical strong developing move"},
    {6, 7, 8, 6, 4, ""},
    {6, 8, 4, 3, 2, ""},
    {7, 7, 4, 3, 2, ""},
    {8, 8, 2, 1, 1, "cells with several open lines are a little better than edge cells"},
};

struct MixedRow {
    int own, opp, value;
    const char* why;
};

// The own and opponent values already add up when a cell both makes and blocks; the
// mixed matrix is left empty so each effect is counted once.
const MixedRow kMixedRows[] = {
    {0, 0, 0, "no mixed terms"},
};

const char* ClassName(int c) {
    return kClassRows[c].name;
}

std::string ShapesOf(int code) {
    for (const auto& row : linepattern::CodeTable())
        if (row.code == code) return row.shapes;
    return "";
}

int ClassOf(int code) {
    for (const auto& row : linepattern::CodeTable())
        if (row.code == code) return row.lineClass;
    return 0;
}

std::string CodeFile(const PatternTableNumbers& n, bool m1) {
    std::string out;
    char buf[64];
    for (int code = 0; code < kLineCodes; ++code) {
        const int lineClass = ClassOf(code);
        const PatternTableNumbers::ClassValues& c = n.Classes[static_cast<size_t>(lineClass)];
        int own = m1 ? c.M1Own : c.E1, opp = m1 ? c.M1Opp : 0;
        for (const auto& adj : n.Codes)
            if (adj.Code == code) {
                own += m1 ? adj.M1Own : adj.E1;
                opp += m1 ? adj.M1Opp : 0;
            }
        if (m1)
            std::snprintf(buf, sizeof buf, "%3d %6d %6d   ", code, own, opp);
        else
            std::snprintf(buf, sizeof buf, "%3d %6d   ", code, own);
        out += buf;
        out += "class " + std::to_string(lineClass) + " " + ClassName(lineClass) + ": " +
               ShapesOf(code) + "\n";
    }
    return out;
}

enum class Matrix { M1Own, M1Opp, M1Mixed, E1 };

std::string MatrixFile(const PatternTableNumbers& n, Matrix which, const char* title) {
    PairMatrix m{};
    for (const auto& p : n.Pairs) {
        int v = which == Matrix::M1Own   ? p.M1Own
                : which == Matrix::M1Opp ? p.M1Opp
                : which == Matrix::E1    ? p.E1
                                         : 0;
        m[static_cast<size_t>(p.A)][static_cast<size_t>(p.B)] = v;
        m[static_cast<size_t>(p.B)][static_cast<size_t>(p.A)] = v;
    }
    if (which == Matrix::M1Mixed)
        for (const auto& p : n.Mixed)
            m[static_cast<size_t>(p.Own)][static_cast<size_t>(p.Opp)] = p.Value;
    std::string out = std::string(title) + "\n";
    out += which == Matrix::M1Mixed
               ? "Row: the opponent's class; column c: the own class (generated, do not edit)\n"
               : "Row r, column c: entry [c][r] for two directions of classes c and r (generated, "
                 "do not edit)\n";
    char buf[160];
    std::snprintf(buf, sizeof buf, "%-16s %2s", "class", "r");
    out += buf;
    for (int c = 0; c < 10; ++c) {
        std::snprintf(buf, sizeof buf, " %5d", c);
        out += buf;
    }
    out += "\n";
    for (int r = 0; r < 10; ++r) {
        std::snprintf(buf, sizeof buf, "%-14s : %2d", ClassName(r), r);
        out += buf;
        for (int c = 0; c < 10; ++c) {
            std::snprintf(buf, sizeof buf, " %5d", m[c][r]);
            out += buf;
        }
        out += "\n";
    }
    return out;
}

} // namespace

PatternTableNumbers DesignedPatternTables() {
    PatternTableNumbers n;
    for (const auto& row : kClassRows)
        n.Classes[static_cast<size_t>(row.lineClass)] = {row.m1Own, row.m1Opp, row.e1};
    for (const auto& row : kCodeAdjustments)
        n.Codes.push_back({row.code, row.m1Own, row.m1Opp, row.e1});
    for (const auto& row : kPairRows)
        n.Pairs.push_back({row.a, row.b, row.m1Own, row.m1Opp, row.e1});
    for (const auto& row : kMixedRows) n.Mixed.push_back({row.own, row.opp, row.value});
    return n;
}

std::vector<std::pair<std::string, std::string>> PatternTableFiles() {
    return PatternTableFiles(DesignedPatternTables());
}

std::vector<std::pair<std::string, std::string>> PatternTableFiles(const PatternTableNumbers& n) {
    return {
        {"M1Ertek.dat", CodeFile(n, true)},
        {"M1Sajat.dat",
         MatrixFile(n, Matrix::M1Own, "M1Sajat.dat: own class pairs of the candidate values")},
        {"M1Ellen.dat",
         MatrixFile(n, Matrix::M1Opp, "M1Ellen.dat: opponent class pairs of the candidate values")},
        {"M1Vegyes.dat",
         MatrixFile(n, Matrix::M1Mixed,
                    "M1Vegyes.dat: own against opponent classes of the candidate values")},
        {"E1Ertek.dat", CodeFile(n, false)},
        {"E1Sajat.dat",
         MatrixFile(n, Matrix::E1, "E1Sajat.dat: class pairs of the position values")},
    };
}

bool WritePatternTables(const std::string& folder, std::string* error) {
    return WritePatternTables(folder, DesignedPatternTables(), error);
}

bool WritePatternTables(const std::string& folder, const PatternTableNumbers& numbers,
                        std::string* error) {
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    for (const auto& [name, text] : PatternTableFiles(numbers)) {
        std::ofstream out(dir + name, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            if (error) *error = "cannot write " + dir + name;
            return false;
        }
    }
    return true;
}

} // namespace vorlix
