#include "vorlix/eval/linepattern.h"
#include "vorlix/game/board.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

using namespace vorlix;
namespace lp = vorlix::linepattern;

namespace {

// An independent statement of the class rule on cells -4..+4 (index 0..8, centre 4),
// states 0 empty, 1 own, 2 blocked; the centre counts as own.
using Cells = std::array<int, 9>;

bool HasFive(const Cells& c) {
    for (int from = 0; from <= 4; ++from) {
        bool five = true;
        for (int k = 0; k < 5; ++k) five = five && c[static_cast<size_t>(from + k)] == 1;
        if (five) return true;
    }
    return false;
}

int RuleClass(Cells c) {
    c[4] = 1;
    if (HasFive(c)) return 1;
    int completions = 0;
    for (size_t i = 0; i < 9; ++i)
        if (c[i] == 0) {
            c[i] = 1;
            completions += HasFive(c);
            c[i] = 0;
        }
    if (completions >= 2) return 2;
    if (completions == 1) return 3;
    bool free = false;
    for (int from = 0; from <= 4; ++from) {
        bool ok = true;
        for (int k = 0; k < 5; ++k) ok = ok && c[static_cast<size_t>(from + k)] != 2;
        free = free || ok;
    }
    if (!free) return 0;
    int best = 99;
    for (size_t i = 0; i < 9; ++i)
        if (c[i] == 0) {
            c[i] = 1;
            int k = RuleClass(c);
            if (k != 0) best = std::min(best, k);
            c[i] = 0;
        }
    return best <= 6 ? best + 2 : 9;
}

Cells CellsOf(int filling) {
    int st[8];
    lp::FillingStates(filling, st);
    Cells c{};
    for (int i = 0; i < 8; ++i) c[static_cast<size_t>(i < 4 ? i : i + 1)] = st[i];
    return c;
}

int MirrorOf(int filling) {
    int st[8], m[8];
    lp::FillingStates(filling, st);
    for (int i = 0; i < 8; ++i) m[i] = st[7 - i];
    return lp::FillingIndex(m);
}

// Sets cells of row 8 from a text ('.' empty, '1', '2', '#' off the board) that starts
// at `first` offsets from H8, and returns the line through H8 with '#' cells as 0.
struct BoardLine {
    std::uint8_t line[15]{};
    BoardLine(const std::string& text, int first = -4) {
        ResetGameModel();
        for (int k = -7; k <= 7; ++k) line[k + 7] = static_cast<std::uint8_t>(CellIndex(8 + k, 8));
        for (size_t i = 0; i < text.size(); ++i) {
            int off = first + static_cast<int>(i);
            if (off == 0) continue;
            if (text[i] == '#') {
                line[off + 7] = 0;
            } else {
                Tabla[CellIndex(8 + off, 8)] =
                    static_cast<std::uint8_t>(text[i] == '.' ? 0 : text[i] - '0');
            }
        }
    }
};

} // namespace

TEST(LinePatternTable, EveryFillingMatchesExactlyOneCode) {
    for (const auto& p : lp::TableProblems()) ADD_FAILURE() << p;
}

TEST(LinePatternTable, CodesAgreeWithTheClassRuleAndTheirMirrors) {
    std::map<int, int> classOfCode;
    for (int f = 0; f < lp::kFillings; ++f) {
        lp::Entry e = lp::EntryOf(f);
        ASSERT_EQ(e.lineClass, RuleClass(CellsOf(f))) << lp::FillingText(f);
        lp::Entry m = lp::EntryOf(MirrorOf(f));
        ASSERT_EQ(e.lineCode, m.lineCode) << lp::FillingText(f);
        classOfCode[e.lineCode] = e.lineClass;
    }
    // Every code is used, and each belongs to its class's range.
    const int firstCode[11] = {0, 1, 2, 6, 22, 44, 77, 97, 111, 114, 117};
    ASSERT_EQ(classOfCode.size(), 117u);
    for (auto [code, cls] : classOfCode) {
        EXPECT_GE(code, firstCode[cls]);
        EXPECT_LT(code, firstCode[cls + 1]);
    }
    for (const auto& row : lp::CodeTable()) EXPECT_EQ(classOfCode[row.code], row.lineClass);
}

TEST(ClassifyLine, ExamplesOnTheBoard) {
    struct Case {
        const char* line;
        int colour, cls, code;
    };
    const Case cases[] = {
        {"...1x11..", 1, 2, 2},   {"111.x.111", 1, 2, 3},   {"222.x.222", 2, 2, 3},
        {".11.x1.11", 1, 2, 4},   {"#11.x1.11", 1, 2, 4},   {"..2.x..2.", 1, 0, 0},
        {"...2x..2.", 1, 0, 0},   {"....x....", 1, 8, 113}, {"....x....", 2, 8, 113},
        {"2...x....", 1, 8, 113}, {"1...x...1", 2, 8, 113}, {"..11x11..", 1, 1, 1},
        {"...1x11.2", 1, 2, 2},   {"..2.x.2..", 1, 0, 0},   {"...#x....", 2, 9, 114},
    };
    for (const auto& c : cases) {
        std::string s = c.line;
        // The cases are written with 'x' at the centre.
        s[4] = '.';
        BoardLine b(s);
        LineResult r = ClassifyLine(b.line, c.colour);
        EXPECT_EQ(r.lineClass, c.cls) << c.line << " colour " << c.colour;
        EXPECT_EQ(r.lineCode, c.code) << c.line << " colour " << c.colour;
        EXPECT_EQ(LastLineClass, c.cls);
        EXPECT_EQ(LastLineCode, c.code);
        EXPECT_EQ(Tabla[0], 3 - c.colour) << "the off-board cell holds the opponent";
    }
}

TEST(ClassifyLine, ALoneStoneAndTheBoardEdge) {
    ResetGameModel();
    Tabla[kCentre] = kBlack;
    for (int d = 0; d < 4; ++d) {
        LineResult r = ClassifyLine(LineCells[kCentre][d], 1);
        EXPECT_EQ(r.lineClass, 8);
        EXPECT_EQ(r.lineCode, 113);
    }
    const int a8 = CellIndex(1, 8);
    for (int colour : {1, 2}) {
        LineResult r = ClassifyLine(LineCells[a8][0], colour);
        EXPECT_EQ(r.lineClass, 9) << colour;
        EXPECT_EQ(r.lineCode, 114) << colour;
    }
}

TEST(ClassifyLine, WhatIsLineAnswersForTheAskedColourWhateverStandsOnTheCell) {
    ResetGameModel();
    Tabla[kCentre] = kWhite;
    for (int c : {9, 10}) Tabla[CellIndex(c, 8)] = kBlack;
    EXPECT_EQ(WhatIsLineCode(8, 8, 1, 1), ClassifyLine(LineCells[kCentre][0], 1).lineCode);
    EXPECT_EQ(WhatIsLineCode(8, 8, 1, 2), ClassifyLine(LineCells[kCentre][0], 2).lineCode);
    EXPECT_EQ(WhatIsLineCode(8, 8, 1, 7),
              WhatIsLineCode(8, 8, 1, 2)); // any other value is colour 2
    EXPECT_EQ(WhatIsLineCode(8, 8, 2, 1), 113);
    EXPECT_EQ(WhatIsLineCode(0, 8, 1, 1), 0);
    EXPECT_EQ(WhatIsLineCode(8, 8, 5, 1), 0);
}

TEST(ClassifyLine, ACellStateThatIsNoColourGivesDead) {
    BoardLine b("..1.x11..");
    Tabla[CellIndex(5, 8)] = 7;
    EXPECT_EQ(ClassifyLine(b.line, 1).lineCode, 0);
    EXPECT_EQ(LastLineClass, 0);
    EXPECT_EQ(ClassifyThreat(b.line, 1), kThreatNone);
}

namespace {

// Straight four through the centre possible with one more own stone (cells -4..+4).
bool CanMakeStraightFour(Cells c) {
    c[4] = 1;
    for (size_t e = 0; e < 9; ++e) {
        if (c[e] != 0) continue;
        c[e] = 1;
        for (int s = 1; s <= 4; ++s) {
            bool four = true;
            for (int k = 0; k < 4; ++k) four = four && c[static_cast<size_t>(s + k)] == 1;
            if (four && c[static_cast<size_t>(s - 1)] == 0 && c[static_cast<size_t>(s + 4)] == 0) {
                c[e] = 0;
                return true;
            }
        }
        c[e] = 0;
    }
    return false;
}

} // namespace

TEST(ClassifyThreat, OpenThreesAreExactlyTheLinesThatCanMakeAStraightFour) {
    for (int f = 0; f < lp::kFillings; ++f) {
        Cells c = CellsOf(f);
        int cls = RuleClass(c);
        lp::OpenThree t = lp::OpenThreeOf(f);
        bool expect = cls != 1 && cls != 2 && cls != 3 && CanMakeStraightFour(c);
        ASSERT_EQ(t.threat == kThreatOpenThree, expect) << lp::FillingText(f);
        if (!expect) continue;
        // Key cells are empty cells; the reference is one of the three's stones.
        for (auto k : t.key) {
            if (k == lp::kUnset) continue;
            ASSERT_GE(k, -4);
            ASSERT_LE(k, 4);
            EXPECT_EQ(c[static_cast<size_t>(k + 4)], 0) << lp::FillingText(f);
        }
        if (!t.refByNextCells) {
            EXPECT_TRUE(t.ref == 0 || c[static_cast<size_t>(t.ref + 4)] == 1) << lp::FillingText(f);
        }
    }
}

TEST(ClassifyThreat, FivesFoursAndThreesOnTheBoard) {
    struct Case {
        const char* line; // offsets -4..+6, x at the centre
        int colour, threat, k1, k2, k3, ref;
    };
    constexpr int N = lp::kUnset;
    const Case cases[] = {
        {"..11x11....", 1, 1, N, N, N, N},     {"..11x1.....", 1, 5, N, N, N, N},
        {"..11x12....", 1, 21, -3, N, N, N},   {"..11x......", 1, 85, -3, 1, N, -1},
        {"..11x.2....", 1, 85, 1, -3, -4, -1}, {"2.11x......", 1, 85, -3, 1, 2, -1},
        {"...1x1.....", 2, 0, N, N, N, N},     {"...2x2.....", 2, 85, -2, 2, N, 0},
        {"....x.11.1.", 1, 85, 4, 1, -1, 3},   {"....x.11.2.", 1, 85, 4, 1, -1, 2},
        {"....x.11...", 1, 85, 4, 1, -1, 2},   {"...1x1.....", 1, 85, -2, 2, N, 0},
        {".1.1x......", 1, 85, 1, -2, -4, -1}, {"....x......", 1, 0, N, N, N, N},
    };
    for (const auto& c : cases) {
        std::string s = c.line;
        s[4] = '.';
        BoardLine b(s);
        ThreatKey1 = ThreatKey2 = ThreatKey3 = ThreatRef = N;
        EXPECT_EQ(ClassifyThreat(b.line, c.colour), c.threat) << c.line;
        EXPECT_EQ(ThreatKey1, c.k1) << c.line;
        EXPECT_EQ(ThreatKey2, c.k2) << c.line;
        EXPECT_EQ(ThreatKey3, c.k3) << c.line;
        EXPECT_EQ(ThreatRef, c.ref) << c.line;
    }
}

TEST(ClassifyThreat, TheOneShapeWhereTheColoursDiffer) {
    // -XX-x-XX with a blocked cell at +4: colour 1 always takes -2; colour 2 looks at +5, +6.
    struct Case {
        const char* line;
        int colour, ref;
    };
    const Case cases[] = {
        {".11.x.1122.", 1, -2}, {".11.x.112..", 1, -2}, {".11.x.1121.", 1, -2},
        {".22.x.2212.", 2, 3},  {".22.x.221..", 2, 2},  {".22.x.2211.", 2, 2},
        {".22.x.221#.", 2, 2},  {".22.x.2212#", 2, 2},
    };
    for (const auto& c : cases) {
        std::string s = c.line;
        s[4] = '.';
        BoardLine b(s);
        EXPECT_EQ(ClassifyThreat(b.line, c.colour), kThreatOpenThree) << c.line;
        EXPECT_EQ(ThreatKey1, -4);
        EXPECT_EQ(ThreatKey2, -1);
        EXPECT_EQ(ThreatKey3, 1);
        EXPECT_EQ(ThreatRef, c.ref) << c.line << " colour " << c.colour;
    }
}

TEST(ClassifyThreat, ColourTwoMirrorsColourOneOnEveryFilling) {
    // Swapping the stones' colours and the examined colour changes nothing but the
    // one documented shape.
    for (int f = 0; f < lp::kFillings; f += 7) {
        int st[8];
        lp::FillingStates(f, st);
        std::string one, two;
        for (int i = 0; i < 8; ++i) {
            if (i == 4) one += '.', two += '.';
            one += ".12"[st[i]];
            two += ".21"[st[i]];
        }
        one += "..";
        two += "..";
        BoardLine b1(one);
        std::uint8_t t1 = ClassifyThreat(b1.line, 1);
        auto k1 = std::array{ThreatKey1, ThreatKey2, ThreatKey3, ThreatRef};
        BoardLine b2(two);
        std::uint8_t t2 = ClassifyThreat(b2.line, 2);
        auto k2 = std::array{ThreatKey1, ThreatKey2, ThreatKey3, ThreatRef};
        ASSERT_EQ(t1, t2) << one;
        if (lp::FillingText(f) != "-XX-x-XXO") {
            EXPECT_EQ(k1, k2) << one;
        }
    }
}
