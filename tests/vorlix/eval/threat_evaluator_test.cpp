#include "eval_fixture.h"

#include "vorlix/eval/threat_evaluator.h"
#include "vorlix/players/jatekos.h"

#include <cstring>

namespace {

using namespace vorlix;
using evaltest::Stones;

struct Combo {
    int a, b, result;
};

class ThreatCombination : public ::testing::TestWithParam<Combo> {};

TEST_P(ThreatCombination, IsSymmetric) {
    EXPECT_EQ(CombineThreats(GetParam().a, GetParam().b), GetParam().result);
    EXPECT_EQ(CombineThreats(GetParam().b, GetParam().a), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ThreatCombination,
    ::testing::Values(Combo{10, 10, 25}, Combo{15, 10, 46}, Combo{15, 15, 48}, Combo{30, 15, 31},
                      Combo{30, 25, 25}, Combo{30, 30, 100}, Combo{31, 10, 46}, Combo{31, 15, 48},
                      Combo{31, 30, 100}, Combo{50, 10, 84}, Combo{50, 30, 80}, Combo{50, 31, 80},
                      Combo{60, 25, 25}, Combo{60, 30, 110}, Combo{60, 31, 110}, Combo{60, 46, 46},
                      Combo{60, 48, 48}, Combo{60, 50, 90}, Combo{60, 60, 120}, Combo{80, 60, 110},
                      Combo{90, 30, 110}, Combo{90, 60, 120}, Combo{100, 50, 80},
                      Combo{100, 60, 110}, Combo{110, 60, 120},
                      // any other pair: the larger kind
                      Combo{60, 15, 60}, Combo{50, 50, 50}, Combo{150, 60, 150},
                      Combo{25, 10, 25}));

class Threats : public evaltest::EvalTest {
  protected:
    TThreatEvaluator t{nullptr};
    int KindAt(const char* cell) const {
        TPont p = ParsePont(cell);
        for (int i = 1; i <= t.Count; ++i)
            if (t.List[i].X == p.X && t.List[i].Y == p.Y) return t.List[i].Kind;
        return 0;
    }
    void Evaluate() {
        std::uint8_t before[kCells + 1];
        std::memcpy(before, Tabla, sizeof before);
        t.EvaluateThreats();
        EXPECT_EQ(std::memcmp(before + 1, Tabla + 1, kCells), 0) << "the board changed";
    }
};

TEST_F(Threats, EmptyBoardGivesAnEmptyList) {
    Evaluate();
    EXPECT_EQ(t.Count, 0);
}

TEST_F(Threats, OwnFourIsTheOnlyEntry) {
    Stones("E8 F8 G8 H8", "D8 A1 A3", kBlack);
    Evaluate();
    ASSERT_EQ(t.Count, 1);
    EXPECT_EQ(KindAt("I8"), kThreatOwnFive);
}

TEST_F(Threats, OpponentFourWithOneOpenEnd) {
    Stones("A1", "E8 F8 G8 H8", kBlack);
    Tabla[evaltest::Cell("D8")] = kBlack;
    Evaluate();
    ASSERT_EQ(t.Count, 1);
    EXPECT_EQ(KindAt("I8"), kThreatOppFive);
}

TEST_F(Threats, OpponentDoubleThreeInCautiousMode) {
    // White threes G8-H8 (row) and F6.. crossing at I8? Rows: white G8 H8 and I6 I7;
    // I8 gives an open three in the row and one in the column.
    Stones("A1 A3", "G8 H8 I6 I7", kBlack);
    t.Ovatos = 1;
    Evaluate();
    EXPECT_EQ(KindAt("I8"), kThreatOppDoubleThree);
    t.Ovatos = 0;
    Evaluate();
    EXPECT_EQ(KindAt("I8"), 0);
}

TEST_F(Threats, OwnThreeAndFourThroughOneCell) {
    // Black E8 F8 G8 (row, blocked at D8) and I6 I7 (column): H8 makes a four in the
    // row... use I8: row F8 G8 H8 + I8 is a four blocked by E8; column I6 I7 + I8 an
    // open three.
    Stones("F8 G8 H8 I6 I7", "E8 A1", kBlack);
    Evaluate();
    EXPECT_EQ(KindAt("I8"), 110);
}

TEST_F(Threats, OwnStraightFourDropsEverythingElse) {
    Stones("F8 G8 H8 C3 C4", "A1 A2 O15", kBlack);
    Evaluate();
    ASSERT_EQ(t.Count, 1);
    EXPECT_EQ(t.List[1].Kind, kThreatOwnStraightFour);
    TPont p{t.List[1].X, t.List[1].Y};
    EXPECT_TRUE(p == ParsePont("E8") || p == ParsePont("I8"));
}

TEST_F(Threats, OpponentStraightFourRemovesOwnThrees) {
    // White G8 H8 I8: an open three that becomes a straight four at F8 or J8. Black has
    // an own open three to be: C3 C4 (C5 or C2 make an open three).
    Stones("C3 C4 A15", "G8 H8 I8", kBlack);
    Evaluate();
    EXPECT_EQ(KindAt("F8"), kThreatOppStraightFour);
    EXPECT_EQ(KindAt("J8"), kThreatOppStraightFour);
    for (int i = 1; i <= t.Count; ++i) {
        EXPECT_NE(t.List[i].Kind, kThreatOwnThree);
        EXPECT_NE(t.List[i].Kind, kThreatOwnDoubleThree);
    }
    for (int i = 1; i < t.Count; ++i) EXPECT_GE(t.List[i].Kind, t.List[i + 1].Kind) << "sorted";
}

TEST_F(Threats, ActionWeightsTheList) {
    TJatekos owner;
    TThreatEvaluator w(&owner);
    w.Sugarzas = 1;
    w.Count = 3;
    w.List[1] = {8, 8, kThreatOwnThree};
    w.List[2] = {1, 1, kThreatOppThree};
    w.List[3] = {5, 5, 90};
    w.Action();
    EXPECT_FLOAT_EQ(owner.ValueArray[8][8], 0.6f);
    EXPECT_FLOAT_EQ(owner.ValueArray[9][9], 0.07f);
    EXPECT_FLOAT_EQ(owner.ValueArray[6][10], 0.04f);
    EXPECT_FLOAT_EQ(owner.ValueArray[1][1], 0.1f);
    EXPECT_FLOAT_EQ(owner.ValueArray[5][5], 9000.0f);
}

TEST_F(Threats, PrintoutShowsWeights) {
    TTextList lines;
    t.Ovatos = 1;
    t.ShowProperties(lines);
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Fenyegetések értéke:");
    EXPECT_EQ(lines[1], "saját 3-as : 0.60");
    EXPECT_EQ(lines[6], "Ovatos");
}

} // namespace
