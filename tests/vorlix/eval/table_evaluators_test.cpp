#include "eval_fixture.h"
#include "support/test_support.h"

#include "vorlix/eval/e1_evaluator.h"
#include "vorlix/eval/m1_evaluator.h"

#include <cstddef>
#include <cstring>
#include <fstream>
#include <random>

namespace {

using namespace vorlix;
using evaltest::Cell;
using evaltest::Stones;
using testing_support::TempFolder;

const char* kHead = "h\nh\nh\n";

void WriteFile(const TempFolder& dir, const std::string& name, const std::string& text) {
    std::ofstream(dir.Path() + name) << text;
}

// Scatters `stones` stones (alternating colours) around the centre.
void RandomPosition(std::mt19937& rng, int stones) {
    ResetGameModel();
    std::uniform_int_distribution<int> coord(4, 12);
    std::uint8_t colour = kBlack;
    for (int placed = 0; placed < stones;) {
        int n = CellIndex(coord(rng), coord(rng));
        if (Tabla[n] != kEmpty) continue;
        Tabla[n] = colour;
        colour = Opponent(colour);
        ++placed;
    }
    ColourToMove = colour;
}

TEST(M1Evaluator, AllTermsOfTheCellValue) {
    TempFolder dir;
    WriteFile(dir, "M1Ertek.dat", "113 1 10\n");
    WriteFile(dir, "M1Sajat.dat", std::string(kHead) + "r: 8 0 0 0 0 0 0 0 0 100\n");
    WriteFile(dir, "M1Ellen.dat", std::string(kHead) + "r: 8 0 0 0 0 0 0 0 0 1000\n");
    WriteFile(dir, "M1Vegyes.dat", std::string(kHead) + "r: 8 0 0 0 0 0 0 0 0 10000\n");
    TM1Evaluator m(nullptr);
    m.LoadTables(dir.Path());
    ResetGameModel();
    int h8 = Cell("H8");
    m.ClassifyCell(h8); // an empty board: class 8, code 113 everywhere
    EXPECT_EQ(m.CellValue(h8), 6 * 100 + 6 * 1000 + 16 * 10000 + 4 * 1 + 4 * 10);
}

TEST(M1Evaluator, ZeroSumIsMinus500) {
    TempFolder dir;
    WriteFile(dir, "M1Ertek.dat", "1 5 5\n");
    for (const char* f : {"M1Sajat.dat", "M1Ellen.dat", "M1Vegyes.dat"}) WriteFile(dir, f, kHead);
    TM1Evaluator m(nullptr);
    m.LoadTables(dir.Path());
    Stones("H8", "", kWhite);
    m.ClassifyCell(Cell("H9"));
    EXPECT_EQ(m.CellValue(Cell("H9")), -500);
}

TEST(M1Evaluator, OwnAndOpponentFollowTheSideToMove) {
    TempFolder dir;
    WriteFile(dir, "M1Ertek.dat", "80 7 1000\n113 0 0\n");
    for (const char* f : {"M1Sajat.dat", "M1Ellen.dat", "M1Vegyes.dat"}) WriteFile(dir, f, kHead);
    TM1Evaluator m(nullptr);
    m.LoadTables(dir.Path());
    // Black H8: I8 gives black an open two (code 80) in the row.
    Stones("H8", "", kBlack);
    m.ClassifyCell(Cell("I8"));
    EXPECT_EQ(m.CellValue(Cell("I8")), 7);
    ColourToMove = kWhite;
    EXPECT_EQ(m.CellValue(Cell("I8")), 1000);
}

class M1Candidates : public evaltest::EvalTest {
  protected:
    TM1Evaluator m{nullptr};
    CandidateList cells;
    float values[225];
    void SetUp() override {
        EvalTest::SetUp();
        m.LoadTables();
    }
    float ValueOf(const char* cell) const {
        for (int i = 0; i < cells.count; ++i)
            if (cells.cells[i] == Cell(cell)) return values[i];
        return -1e9f;
    }
};

TEST_F(M1Candidates, EmptyBoard) {
    m.EvaluateCandidates(&cells, values);
    EXPECT_EQ(cells.count, 0);
    EXPECT_EQ(m.FiveCount[1] + m.FiveCount[2] + m.StraightFourCount[1] + m.StraightFourCount[2], 0);
}

TEST_F(M1Candidates, CountsFivesAndStraightFours) {
    // Black: a four E8-H8 blocked at D8; white: an open three G10 H10 I10.
    Stones("E8 F8 G8 H8 A15", "D8 G10 H10 I10 A1", kBlack);
    m.EvaluateCandidates(&cells, values);
    EXPECT_EQ(m.FiveCount[1], 1);
    EXPECT_EQ(m.FiveCount[2], 0);
    EXPECT_EQ(m.StraightFourCount[2], 2);     // F10 and J10
    EXPECT_GT(ValueOf("I8"), ValueOf("F10")); // winning first
}

TEST_F(M1Candidates, ThreatAdjustmentAgainstAStraightFour) {
    Stones("A15", "G8 H8 I8", kBlack);
    m.EvaluateCandidates(&cells, values);
    float f8 = ValueOf("F8"), j8 = ValueOf("J8"), e8 = ValueOf("E8");
    EXPECT_EQ(m.ChangedCount, 0);
    m.Deep = 1;
    m.EvaluateCandidates(&cells, values);
    const float k = m.Szorzo;
    ASSERT_GT(f8, 840 * k);
    EXPECT_FLOAT_EQ(ValueOf("F8"), f8 - 840 * k + 900 * k);
    EXPECT_FLOAT_EQ(ValueOf("J8"), j8 - 840 * k + 900 * k);
    EXPECT_FLOAT_EQ(ValueOf("E8"), e8); // not a threat cell
    EXPECT_EQ(m.ChangedCount, 2);
    EXPECT_EQ(m.Changed[0], Cell("F8"));
}

TEST_F(M1Candidates, NoAdjustmentWhenTheMoverHasAStraightFourToo) {
    Stones("B2 B3 B4", "G8 H8 I8", kBlack);
    m.Deep = 1;
    m.EvaluateCandidates(&cells, values);
    EXPECT_GT(m.StraightFourCount[1], 0);
    EXPECT_EQ(m.ChangedCount, 0);
}

class E1 : public evaltest::EvalTest {
  protected:
    TE1Evaluator e{nullptr};
    std::int32_t empty[225];
    int count = 0;
    void SetUp() override {
        EvalTest::SetUp();
        e.LoadTables();
    }
    float Prepare() {
        count = 0;
        for (int n = 1; n <= kCells; ++n)
            if (Tabla[n] == kEmpty) empty[count++] = n;
        return e.PositionValue(empty, count);
    }
    // m x sum over the empty cells of the mover's minus the opponent's value.
    double Brute(int mover) const {
        double s = 0;
        for (int n = 1; n <= kCells; ++n)
            if (Tabla[n] == kEmpty)
                s += e.FullCellValue(n, mover) - e.FullCellValue(n, Opponent(mover));
        return s * e.Szorzo;
    }
};

TEST_F(E1, HalvingWithOnlyOneLiveDirection) {
    TempFolder dir;
    WriteFile(dir, "E1Sajat.dat", kHead);
    // White all round H8 but in its column: three dead lines, one open one.
    Stones("", "G8 I8 G7 I9 G9 I7", kBlack);
    int h8 = Cell("H8");
    for (auto [value, expected] : {std::pair{499, 249}, std::pair{500, 500}, std::pair{-3, -1}}) {
        WriteFile(dir, "E1Ertek.dat", "113 " + std::to_string(value) + "\n");
        e.LoadTables(dir.Path());
        e.FullValue = 0;
        EXPECT_EQ(e.FullCellValue(h8, kBlack), expected) << value;
        std::int32_t one = h8;
        e.PositionValue(&one, 1);
        EXPECT_EQ(e.CachedCellValue(h8, kBlack), expected) << value;
        e.FullValue = 1;
        EXPECT_EQ(e.FullCellValue(h8, kBlack), value);
    }
}

TEST_F(E1, PositionAndMoveValuesMatchAFullRecount) {
    std::mt19937 rng(7);
    for (int round = 0; round < 30; ++round) {
        RandomPosition(rng, 4 + round % 20);
        const int mover = ColourToMove;
        float pv = Prepare();
        ASSERT_NEAR(pv, Brute(mover), 1e-3);
        std::uint8_t board[kCells + 1];
        std::memcpy(board, Tabla, sizeof board);
        auto before = std::make_unique<E1Cache>(*e.Cache);
        CandidateList cand;
        GenerateCandidates(kCandidatesNear, &cand);
        for (int i = 0; i < cand.count && i < 6; ++i) {
            int c = cand.cells[i];
            // Without replies: the position value after the move, still from the mover's side.
            e.ReplyCount = 0;
            float mv = e.MoveValue(c);
            Tabla[c] = static_cast<std::uint8_t>(mover);
            double after = Brute(mover);
            // With one reply: the opponent takes the mover's best cell.
            int best = 0;
            std::int32_t bestValue = 0;
            for (int n = 1; n <= kCells; ++n)
                if (Tabla[n] == kEmpty && (best == 0 || e.FullCellValue(n, mover) > bestValue))
                    best = n, bestValue = e.FullCellValue(n, mover);
            double sL = 0, sK = 0;
            for (int n = 1; n <= kCells; ++n)
                if (Tabla[n] == kEmpty) sL += e.FullCellValue(n, Opponent(mover));
            Tabla[best] = static_cast<std::uint8_t>(Opponent(mover));
            for (int n = 1; n <= kCells; ++n)
                if (Tabla[n] == kEmpty) sK += e.FullCellValue(n, mover);
            Tabla[best] = kEmpty;
            Tabla[c] = kEmpty;
            ASSERT_NEAR(mv, after, 1e-3) << "round " << round << " cell " << c;
            e.ReplyCount = 1;
            EXPECT_NEAR(e.MoveValue(c), (sK - sL) * e.Szorzo, 1e-3) << "round " << round;
            ASSERT_EQ(std::memcmp(board + 1, Tabla + 1, kCells), 0);
            ASSERT_EQ(std::memcmp(before.get(), e.Cache.get(), offsetof(E1Cache, Work)), 0);
        }
        std::string why;
        EXPECT_TRUE(e.CheckCache(&why)) << why;
    }
}

TEST_F(E1, CheckCacheFindsAStaleEntry) {
    Stones("H8", "H9", kBlack);
    Prepare();
    std::string why;
    ASSERT_TRUE(e.CheckCache(&why)) << why;
    Tabla[Cell("J8")] = kWhite; // behind the cache's back
    EXPECT_FALSE(e.CheckCache(&why));
    EXPECT_NE(why.find("E1 cache"), std::string::npos);
}

TEST_F(E1, MoveValueAfterAPartialListChecksOnlyTheListedCells) {
    // The searches may prepare the move valuation with the candidates only; the debug
    // check inside MoveValue must not take the unlisted cells for stale ones.
    Stones("H8 I9", "H9", kWhite);
    CandidateList cand;
    GenerateCandidates(kCandidatesBoth, &cand);
    e.PositionValue(cand.cells, cand.count);
    std::string why;
    EXPECT_TRUE(e.CheckCache(&why)) << why;
    EXPECT_NO_THROW(e.MoveValue(cand.cells[0]));
    EXPECT_TRUE(e.CheckCache(&why)) << why;
}

TEST_F(E1, SecondScoreLeavesTheBoardAndNamesAFollowUp) {
    Stones("H8 I9", "H9", kWhite);
    std::uint8_t board[kCells + 1];
    std::memcpy(board, Tabla, sizeof board);
    float a = e.SecondScore(Cell("G10"));
    EXPECT_EQ(std::memcmp(board + 1, Tabla + 1, kCells), 0);
    ASSERT_GT(e.FollowUp, 0);
    EXPECT_EQ(Tabla[e.FollowUp], kEmpty);
    EXPECT_EQ(a, e.SecondScore(Cell("G10")));
    // Blocking black's diagonal is better for white than a far corner.
    EXPECT_GT(e.SecondScore(Cell("G7")), e.SecondScore(Cell("A1")));
}

TEST(E1Weights, ProximityTable) {
    TE1Evaluator e(nullptr);
    EXPECT_FLOAT_EQ(e.W[0][0], 0.0f);
    EXPECT_FLOAT_EQ(e.W[0][4], 0.0009f / 2);
    EXPECT_FLOAT_EQ(e.W[4][0], 0.0009f / 2);
    EXPECT_FLOAT_EQ(e.W[1][1], 0.0008f);
    EXPECT_FLOAT_EQ(e.W[2][1], 0.00035f);
    EXPECT_FLOAT_EQ(e.W[3][1], 0.0f);
    EXPECT_FLOAT_EQ(e.W[5][0], 0.0f);
}

} // namespace
