#include "vorlix/search/threattable.h"

#include "vorlix/eval/linepattern.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/random.h"

#include <gtest/gtest.h>

namespace {

using namespace vorlix;

int Cell(const char* text) {
    return CellIndex(ParsePont(text));
}

class ThreatTableTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetGameModel(); }
    void TearDown() override { ResetGameModel(); }
    void Put(std::initializer_list<const char*> cells, std::uint8_t colour) {
        for (const char* c : cells) Tabla[Cell(c)] = colour;
    }
};

TEST_F(ThreatTableTest, CellSetIteratesInCellOrder) {
    TCellSet s;
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(s.First(), 0);
    for (int c : {225, 1, 64, 63, 128}) s.Add(c);
    std::vector<int> seen;
    for (int c = s.First(); c != 0; c = s.Next(c)) seen.push_back(c);
    EXPECT_EQ(seen, (std::vector<int>{1, 63, 64, 128, 225}));
    EXPECT_EQ(s.Count(), 5);
    TCellSet other;
    other.Add(64);
    other.Add(225);
    TCellSet rest = s.Minus(other);
    EXPECT_FALSE(rest.Has(64));
    EXPECT_TRUE(rest.Has(63));
    EXPECT_EQ(rest.Count(), 3);
}

TEST_F(ThreatTableTest, NeighboursStopAtTheEdge) {
    const TNeighbourTable& nb = NeighbourTable();
    // A1 going right: B1..E1 only.
    const TNeighbourLine& a1 = nb.Lines[Cell("A1")][0];
    ASSERT_EQ(a1.Count, 4);
    EXPECT_EQ(a1.Cells[0], Cell("B1"));
    EXPECT_EQ(a1.Cells[3], Cell("E1"));
    // H8: nearest first, alternating sides.
    const TNeighbourLine& h8 = nb.Lines[Cell("H8")][1];
    ASSERT_EQ(h8.Count, 8);
    EXPECT_EQ(h8.Cells[0], Cell("H7"));
    EXPECT_EQ(h8.Cells[1], Cell("H9"));
    EXPECT_EQ(h8.Cells[7], Cell("H12"));
    EXPECT_EQ(nb.Near[Cell("H8")].Count(), 32);
    EXPECT_EQ(nb.Near[Cell("A1")].Count(), 12);
}

TEST_F(ThreatTableTest, SummaryAndSets) {
    // Black: a four on row 8 (D8 white) and H9, H10 above H8.
    Put({"E8", "F8", "G8", "H9", "H10"}, kBlack);
    Put({"D8"}, kWhite);
    TThreatTable t(kBlack);
    t.Compute();
    const int h8 = Cell("H8");
    EXPECT_EQ(t.Code(h8, 0), kThreatFour);
    EXPECT_EQ(t.Completion(h8, 0), Cell("I8"));
    EXPECT_EQ(t.Code(h8, 1), kThreatOpenThree);
    EXPECT_EQ(t.Summary(h8), kThreatFour);
    EXPECT_EQ(t.FourDirection(h8), 0);
    EXPECT_EQ(t.FourCompletion(h8), Cell("I8"));
    EXPECT_TRUE(t.FourCells().Has(h8));
    EXPECT_TRUE(t.FourCells().Has(Cell("I8")));
    EXPECT_EQ(t.FourCells().Count(), 2);
    EXPECT_FALSE(t.ThreeCells().Has(h8)); // a four-cell is not also a three-cell
    EXPECT_TRUE(t.ThreeCells().Has(Cell("H11")));
    EXPECT_EQ(t.ThreeDirection(Cell("H11")), 1);
    EXPECT_FALSE(t.HasExistingThree());
    EXPECT_EQ(t.Summary(Cell("D8")), 0); // occupied
    EXPECT_EQ(t.Code(Cell("D8"), 1), 0); // the other colour's stone: nothing
}

TEST_F(ThreatTableTest, ExistingThreesAndFives) {
    Put({"H8", "H9", "H10"}, kWhite);
    TThreatTable t(kWhite);
    t.Compute();
    int stone = 0, dir = -1;
    ASSERT_TRUE(t.FirstExistingThree(stone, dir));
    EXPECT_EQ(stone, Cell("H8"));
    EXPECT_EQ(dir, 1);
    EXPECT_EQ(t.ThreeStones().Count(), 3);
    EXPECT_EQ(t.Summary(Cell("H7")), kThreatOpenFour);
    EXPECT_FALSE(t.HasFive());
    TThreatTable black(kBlack);
    black.Compute();
    EXPECT_FALSE(black.HasExistingThree());

    Put({"H11", "H12"}, kWhite);
    t.Compute();
    EXPECT_TRUE(t.HasFive());
    EXPECT_EQ(t.Summary(Cell("H13")), kThreatFive); // six counts as five
}

TEST_F(ThreatTableTest, TwoFoursMakeSummaryFive) {
    Put({"E8", "F8", "G8", "H9", "H10", "H11"}, kBlack);
    Put({"D8", "H12"}, kWhite);
    TThreatTable t(kBlack);
    t.Compute();
    EXPECT_EQ(t.Summary(Cell("H8")), kThreatOpenFour);
}

// The incremental update along the four lines of a changed cell must always agree
// with a table built from scratch: random positions, random stones put and lifted.
TEST_F(ThreatTableTest, IncrementalUpdateMatchesFullRecompute) {
    SeedRuntimeRandom(20261207);
    // Updated by CellChanged, and by Push and Pop.
    static TThreatTable inc[3] = {TThreatTable(kBlack), TThreatTable(kBlack), TThreatTable(kWhite)};
    static TThreatTable stacked[3] = {TThreatTable(kBlack), TThreatTable(kBlack),
                                      TThreatTable(kWhite)};
    static TThreatTable fresh;
    for (int game = 0; game < 40; ++game) {
        ResetGameModel();
        const int stones = 10 + RuntimeRandom(90);
        for (int placed = 0; placed < stones;) {
            int cell = 1 + RuntimeRandom(kCells);
            if (Tabla[cell] != kEmpty) continue;
            Tabla[cell] = static_cast<std::uint8_t>(1 + RuntimeRandom(2));
            ++placed;
        }
        for (int k = 1; k <= 2; ++k) inc[k].Compute(), stacked[k].Compute();
        std::vector<int> put;
        for (int step = 0; step < 60; ++step) {
            bool lift = !put.empty() && RuntimeRandom(3) == 0;
            int cell;
            if (lift) {
                cell = put.back();
                put.pop_back();
                Tabla[cell] = kEmpty;
            } else {
                do cell = 1 + RuntimeRandom(kCells);
                while (Tabla[cell] != kEmpty);
                Tabla[cell] = static_cast<std::uint8_t>(1 + RuntimeRandom(2));
                put.push_back(cell);
            }
            for (int k = 1; k <= 2; ++k) {
                inc[k].CellChanged(cell);
                if (lift)
                    stacked[k].Pop();
                else
                    stacked[k].Push(cell);
                fresh.SetColour(static_cast<std::uint8_t>(k));
                fresh.Compute();
                ASSERT_EQ(inc[k].Differences(fresh), "")
                    << "game " << game << " step " << step << " colour " << k;
                ASSERT_EQ(stacked[k].Differences(fresh), "")
                    << "push/pop: game " << game << " step " << step << " colour " << k;
            }
        }
    }
}

TEST_F(ThreatTableTest, PopWithoutPushIsAnError) {
    static TThreatTable t(kBlack);
    t.Compute();
    EXPECT_THROW(t.Pop(), InternalError);
}

// The table's codes are ClassifyThreat's, read through LineCells.
TEST_F(ThreatTableTest, CodesAreTheClassifiers) {
    SeedRuntimeRandom(7);
    for (int placed = 0; placed < 70;) {
        int cell = 1 + RuntimeRandom(kCells);
        if (Tabla[cell] != kEmpty) continue;
        Tabla[cell] = static_cast<std::uint8_t>(1 + placed % 2);
        ++placed;
    }
    for (std::uint8_t k : {kBlack, kWhite}) {
        TThreatTable t(k);
        t.Compute();
        for (int c = 1; c <= kCells; ++c) {
            for (int d = 0; d < 4; ++d) {
                std::uint8_t want =
                    Tabla[c] == Opponent(k) ? 0 : ClassifyThreat(LineCells[c][d], k);
                ASSERT_EQ(t.Code(c, d), want) << CellText(c) << " dir " << d;
            }
        }
    }
}

} // namespace
