#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/trialstones.h"

#include <gtest/gtest.h>

using namespace vorlix;

namespace {

class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetGameModel(); }
    void Put(int x, int y, std::uint8_t colour) { Tabla[CellIndex(x, y)] = colour; }
    void Row(int x, int y, int dx, int dy, int n, std::uint8_t colour) {
        for (int k = 0; k < n; ++k) Put(x + dx * k, y + dy * k, colour);
    }
};

} // namespace

TEST_F(BoardTest, CellIndexIsColumnMajor) {
    EXPECT_EQ(CellIndex(1, 1), 1);
    EXPECT_EQ(CellIndex(8, 8), kCentre);
    EXPECT_EQ(CellIndex(15, 15), 225);
    for (int c = 1; c <= kCells; ++c) EXPECT_EQ(CellIndex(CellX(c), CellY(c)), c);
}

TEST_F(BoardTest, FiveInRowFindsFivesAndOverlinesOfOneColourOnly) {
    EXPECT_FALSE(FiveInRow(kBlack));
    Row(3, 5, 1, 0, 6, kBlack);
    EXPECT_TRUE(FiveInRow(kBlack));
    EXPECT_FALSE(FiveInRow(kWhite));
    ResetGameModel();
    Row(3, 5, 1, 0, 4, kBlack);
    EXPECT_FALSE(FiveInRow(kBlack));
    ResetGameModel();
    Row(3, 3, 1, 1, 5, kWhite);
    EXPECT_FALSE(FiveInRow(kBlack));
    EXPECT_TRUE(FiveInRow(kWhite));
}

TEST_F(BoardTest, FiveInRowAtTheEdgesInEveryDirection) {
    struct Case {
        int x, y, dx, dy;
    };
    const Case cases[] = {{1, 1, 0, 1},   {11, 15, 1, 0}, {1, 15, 1, -1},
                          {11, 11, 1, 1}, {15, 11, 0, 1}, {11, 5, 1, -1}};
    for (const auto& c : cases) {
        ResetGameModel();
        Row(c.x, c.y, c.dx, c.dy, 5, kBlack);
        EXPECT_TRUE(FiveInRow(kBlack)) << c.x << "," << c.y;
        Put(c.x + c.dx * 2, c.y + c.dy * 2, kWhite);
        EXPECT_FALSE(FiveInRow(kBlack)) << c.x << "," << c.y;
    }
}

TEST_F(BoardTest, LineCellsHoldTheLineThroughEveryCell) {
    const int a1 = CellIndex(1, 1);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(LineCells[a1][0][k], 0);
    for (int k = 7; k < 15; ++k) EXPECT_EQ(LineCells[a1][0][k], CellIndex(k - 6, 1));
    // Every entry is the cell at that offset, or 0 off the board.
    for (int c = 1; c <= kCells; ++c)
        for (int d = 0; d < 4; ++d)
            for (int k = -7; k <= 7; ++k) {
                int x = CellX(c) + kDirX[d] * k, y = CellY(c) + kDirY[d] * k;
                EXPECT_EQ(LineCells[c][d][k + 7], OnBoard(x, y) ? CellIndex(x, y) : 0);
            }
}

TEST_F(BoardTest, RecordMoveAppendsAndShowsEveryMove) {
    const TPont moves[] = {{8, 8}, {9, 9}, {7, 9}};
    for (int i = 0; i < 3; ++i) RecordMove(moves[i].X, moves[i].Y, i % 2 == 0 ? kBlack : kWhite);
    EXPECT_EQ(MoveCount, 3);
    EXPECT_EQ(ShownMoves, 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(GameRecord[i], moves[i - 1]);
        EXPECT_EQ(Tabla[CellIndex(moves[i - 1])], i % 2 == 1 ? kBlack : kWhite);
    }
    EXPECT_EQ(ColourToMove, kBlack);
    ClearBoard();
    for (int c = 1; c <= kCells; ++c) EXPECT_EQ(Tabla[c], kEmpty);
}

TEST_F(BoardTest, TrialStonesRestoreTheBoardExactly) {
    RecordMove(8, 8, kBlack);
    ColourToMove = kWhite;
    PutStone(CellIndex(9, 9));
    PutStone(CellIndex(10, 10));
    EXPECT_EQ(SearchDepth, 2);
    EXPECT_EQ(Tabla[CellIndex(9, 9)], kWhite);
    EXPECT_EQ(Tabla[CellIndex(10, 10)], kBlack);
    EXPECT_EQ(ColourToMove, kWhite);
    EXPECT_EQ(SearchLine[2], (TPont{10, 10}));
    TakeStone(CellIndex(10, 10));
    TakeStone(CellIndex(9, 9));
    EXPECT_EQ(SearchDepth, 0);
    EXPECT_EQ(ColourToMove, kWhite);
    EXPECT_EQ(Tabla[CellIndex(9, 9)], kEmpty);
    EXPECT_EQ(Tabla[CellIndex(8, 8)], kBlack);
}

TEST_F(BoardTest, TrialStoneMisuseRaisesAnInternalError) {
    Tabla[kCentre] = kBlack;
    try {
        PutStone(kCentre);
        FAIL() << "no error";
    } catch (const InternalError& e) {
        EXPECT_EQ(e.Unit(), "util");
        EXPECT_EQ(e.Message(), "Assertion failure");
    }
    EXPECT_EQ(SearchDepth, 0);
    PutStone(1);
    EXPECT_THROW(TakeStone(2), InternalError);
    TakeStone(1);
    EXPECT_THROW(TakeStone(1), InternalError);
    EXPECT_THROW(PutStone(0), InternalError);
    EXPECT_THROW(PutStone(226), InternalError);
    // The stack holds 40 stones and refuses the 41st instead of overrunning.
    for (int c = 1; c <= 40; ++c) PutStone(c + 1);
    EXPECT_THROW(PutStone(100), InternalError);
    EXPECT_EQ(SearchDepth, 40);
}

TEST(Coords, PointTexts) {
    EXPECT_EQ(CellText(1), "A1 ");
    EXPECT_EQ(CellText(kCentre), "H8 ");
    EXPECT_EQ(CellText(225), "O15");
    EXPECT_EQ(PontText(1, 15), "A15");
    for (int c = 1; c <= kCells; ++c) EXPECT_EQ(CellIndex(ParsePont(CellText(c))), c);
    EXPECT_EQ(ParsePont("H8"), (TPont{8, 8}));
    EXPECT_EQ(ParsePont("").X, 0);
    EXPECT_EQ(ParsePont("H").X, 0);
    EXPECT_EQ(TrimRight("Ember   "), "Ember");
    EXPECT_EQ(TrimRight("   "), "");
}

TEST(Coords, OpponentRejectsANonColour) {
    EXPECT_EQ(Opponent(kBlack), kWhite);
    EXPECT_EQ(Opponent(kWhite), kBlack);
    EXPECT_THROW(Opponent(0), InternalError);
}
