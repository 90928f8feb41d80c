#include "vorlix/players/jatekos.h"

#include "support/test_support.h"
#include "vorlix/game/random.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using vorlix::TJatekos;
using vorlix::TPont;

// A player whose Evaluate writes a fixed set of values.
class FixedValues : public TJatekos {
  public:
    std::vector<std::tuple<int, int, float>> values;
    int evaluations = 0;
    void Evaluate() override {
        ++evaluations;
        for (auto [x, y, v] : values) ValueArray[x][y] = v;
    }
};

class JatekosTest : public ::testing::Test {
  protected:
    void SetUp() override { vorlix::ResetGameModel(); }
    void TearDown() override { vorlix::ResetGameModel(); }
};

TEST_F(JatekosTest, CollectBestTakesCellsWithinTolerance) {
    FixedValues p;
    p.FillValues(0.0f);
    p.ValueArray[3][4] = 4.5f;
    p.ValueArray[2][9] = 5.0f;
    p.ValueArray[1][1] = 3.9f;
    p.Tures = 1.0f;
    p.CollectBest();
    ASSERT_EQ(p.AlNum, 2);
    EXPECT_EQ(p.AlList[1], (TPont{2, 9})); // scan order: X first, then Y
    EXPECT_EQ(p.AlList[2], (TPont{3, 4}));
    EXPECT_FLOAT_EQ(p.AlValue[1], 5.0f);
    EXPECT_FLOAT_EQ(p.AlValue[2], 4.5f);
}

TEST_F(JatekosTest, CollectBestSkipsOccupiedCellsAndKeepsEvaluatorAlternatives) {
    FixedValues p;
    p.FillValues(-1.0f);
    p.ValueArray[8][8] = 100.0f;
    p.ValueArray[9][9] = 2.0f;
    vorlix::Tabla[vorlix::CellIndex(8, 8)] = vorlix::kBlack;
    p.TobbJelolt = false;
    p.CollectBest();
    ASSERT_EQ(p.AlNum, 1);
    EXPECT_EQ(p.AlList[1], (TPont{9, 9}));

    p.CollectBest(); // alternatives present: nothing changes
    EXPECT_EQ(p.AlNum, 1);
}

TEST_F(JatekosTest, SingleBestTakesFirstInScanOrderOnTies) {
    FixedValues p;
    p.FillValues(0.0f);
    p.ValueArray[5][2] = 7.0f;
    p.ValueArray[4][12] = 7.0f;
    p.TobbJelolt = false;
    p.CollectBest();
    ASSERT_EQ(p.AlNum, 1);
    EXPECT_EQ(p.AlList[1], (TPont{4, 12}));
}

TEST_F(JatekosTest, ChooseAlternativeSingleDrawsNoRandomNumber) {
    TJatekos p;
    p.AddAlternative(1, 1, 3.0f);
    vorlix::SeedRandom(7);
    auto before = vorlix::RandomGen.stepsB;
    EXPECT_EQ(p.ChooseAlternative(), 1);
    EXPECT_EQ(vorlix::RandomGen.stepsB, before);
}

TEST_F(JatekosTest, ChooseAlternativeWeighsFromMinSuly) {
    // Values 3.0 and 1.0 with MinSuly 0.1 weigh 2.1 and 0.1.
    TJatekos p;
    p.AddAlternative(1, 1, 3.0f);
    p.AddAlternative(2, 2, 1.0f);
    int second = 0;
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        vorlix::SeedRandom(seed);
        double u = vorlix::RandomReal();
        vorlix::SeedRandom(seed);
        int expected = u * 2.2 < 2.1 - 1e-6 ? 1 : 2;
        int got = p.ChooseAlternative();
        if (std::abs(u * 2.2 - 2.1) > 1e-5) {
            EXPECT_EQ(got, expected) << "seed " << seed;
        }
        second += got == 2;
    }
    EXPECT_GT(second, 0);
    EXPECT_LT(second, 60);
}

TEST_F(JatekosTest, MoveOnEmptyBoardIsCentre) {
    FixedValues p;
    vorlix::ChosenMove = TPont{1, 1};
    p.Move();
    EXPECT_EQ(vorlix::ChosenMove, (TPont{8, 8}));
    EXPECT_EQ(p.evaluations, 0);
}

TEST_F(JatekosTest, AnswerToFirstStoneIsH7OrI7WithoutEvaluation) {
    FixedValues p;
    vorlix::RecordMove(8, 8, vorlix::kBlack);
    int h7 = 0, i7 = 0;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        vorlix::SeedRandom(seed);
        p.Move();
        h7 += vorlix::ChosenMove == TPont{8, 7};
        i7 += vorlix::ChosenMove == TPont{9, 7};
    }
    EXPECT_EQ(p.evaluations, 0);
    EXPECT_EQ(h7 + i7, 200);
    EXPECT_GT(h7, 60);
    EXPECT_GT(i7, 60);

    p.BoardChanged = true; // after a take-back or an opening: evaluate as usual
    p.values = {{1, 1, 50.0f}};
    p.Move();
    EXPECT_EQ(p.evaluations, 1);
    EXPECT_EQ(vorlix::ChosenMove, (TPont{1, 1}));
}

// The fixed answer to the first stone never offers the cell that stone stands on.
TEST_F(JatekosTest, AnswerToFirstStoneOnH7OrI7IsTheOtherCell) {
    for (auto [stone, answer] :
         {std::pair{TPont{8, 7}, TPont{9, 7}}, std::pair{TPont{9, 7}, TPont{8, 7}}}) {
        vorlix::ResetGameModel();
        vorlix::RecordMove(stone.X, stone.Y, vorlix::kBlack);
        FixedValues p;
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            vorlix::SeedRandom(seed);
            p.Move();
            EXPECT_EQ(vorlix::ChosenMove, answer) << seed;
        }
        EXPECT_EQ(p.AlNum, 1);
        EXPECT_EQ(p.evaluations, 0);
    }
}

// A five to complete, or the opponent's only five to stop, is the move: the player's
// evaluation and its check after the choice are not asked.
class RevisingPlayer : public FixedValues {
  public:
    int revisions = 0;
    void AfterChoice() override {
        ++revisions;
        vorlix::ChosenMove = TPont{1, 1};
    }
};

TEST_F(JatekosTest, FiveOnTheBoardDecidesBeforeEvaluate) {
    struct Case {
        std::vector<TPont> black, white;
        TPont answer;
        float value;
    };
    // Black to move each time. Own four H8..K8 (G8 white): L8. White's four D4..G4
    // (C4 black): H4 is the only block.
    const Case cases[] = {
        {{{8, 8}, {9, 8}, {10, 8}, {11, 8}},
         {{7, 8}, {4, 4}, {5, 4}, {6, 4}},
         {12, 8},
         TJatekos::kForcedFiveValue},
        {{{3, 4}, {8, 8}, {9, 9}, {10, 10}},
         {{4, 4}, {5, 4}, {6, 4}, {7, 4}},
         {8, 4},
         TJatekos::kForcedBlockValue},
    };
    for (const Case& c : cases) {
        vorlix::ResetGameModel();
        for (size_t i = 0; i < c.black.size(); ++i) {
            vorlix::RecordMove(c.black[i].X, c.black[i].Y, vorlix::kBlack);
            vorlix::RecordMove(c.white[i].X, c.white[i].Y, vorlix::kWhite);
        }
        vorlix::ColourToMove = vorlix::kBlack;
        RevisingPlayer p;
        p.values = {{1, 1, 1000.0f}}; // the evaluation would play A1
        p.Move();
        EXPECT_EQ(vorlix::ChosenMove, c.answer);
        EXPECT_EQ(p.evaluations, 0);
        EXPECT_EQ(p.revisions, 0);
        ASSERT_EQ(p.AlNum, 1);
        EXPECT_EQ(p.Chosen, 1);
        EXPECT_FLOAT_EQ(p.AlValue[1], c.value);
        EXPECT_FLOAT_EQ(p.ValueArray[c.answer.X][c.answer.Y], c.value);
    }
}

TEST_F(JatekosTest, MoveClearsValuesBeforeEvaluate) {
    FixedValues p;
    vorlix::RecordMove(8, 8, vorlix::kBlack);
    vorlix::RecordMove(8, 9, vorlix::kWhite);
    p.FillValues(99.0f);
    p.values = {{15, 15, 1.0f}};
    p.Tures = 0.5f;
    p.Move();
    EXPECT_EQ(p.AlNum, 1);
    EXPECT_EQ(vorlix::ChosenMove, (TPont{15, 15}));
    EXPECT_EQ(p.Chosen, 1);
}

TEST_F(JatekosTest, MoveOnFullBoardReportsInsteadOfReadingPastTheList) {
    testing_support::RecordingBoxes boxes;
    FixedValues p;
    for (int c = 1; c <= vorlix::kCells; ++c) vorlix::Tabla[c] = vorlix::kBlack;
    vorlix::MoveCount = vorlix::ShownMoves = 225;
    p.Move();
    EXPECT_EQ(p.AlNum, 0);
    EXPECT_EQ(vorlix::ChosenMove, (TPont{0, 0}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "A tábla mellé fog lépni !\r225. 0,0\rAlternativa szám:0");
}

TEST_F(JatekosTest, SortAlternativesHighestFirstKeepsPairsAndTieOrder) {
    TJatekos p;
    p.AddAlternative(1, 1, 1.0f);
    p.AddAlternative(2, 2, 5.0f);
    p.AddAlternative(3, 3, 1.0f);
    p.AddAlternative(4, 4, 7.0f);
    p.SortAlternatives();
    EXPECT_EQ(p.AlList[1], (TPont{4, 4}));
    EXPECT_EQ(p.AlList[2], (TPont{2, 2}));
    EXPECT_EQ(p.AlList[3], (TPont{1, 1}));
    EXPECT_EQ(p.AlList[4], (TPont{3, 3}));
    EXPECT_FLOAT_EQ(p.AlValue[1], 7.0f);
    EXPECT_FLOAT_EQ(p.AlValue[4], 1.0f);
}

TEST_F(JatekosTest, OfferOpen1PlacesOnePairOfTheTable) {
    const std::vector<std::pair<TPont, TPont>> table = {
        {{8, 8}, {8, 7}}, {{8, 8}, {9, 7}}, {{8, 7}, {9, 7}}, {{8, 7}, {8, 8}},
        {{8, 7}, {9, 8}}, {{8, 7}, {8, 9}}, {{8, 7}, {9, 9}}, {{9, 7}, {8, 8}},
        {{9, 7}, {9, 8}}, {{9, 7}, {7, 9}}, {{9, 7}, {8, 9}}, {{9, 7}, {9, 9}}};
    TJatekos p;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        vorlix::ResetGameModel();
        vorlix::SeedRuntimeRandom(seed);
        int draw = vorlix::RuntimeRandom(12);
        vorlix::SeedRuntimeRandom(seed);
        p.OfferOpen1();
        ASSERT_EQ(vorlix::MoveCount, 2);
        EXPECT_EQ(vorlix::GameRecord[1], table[draw].first);
        EXPECT_EQ(vorlix::GameRecord[2], table[draw].second);
        EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(table[draw].first)], vorlix::kBlack);
        EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(table[draw].second)], vorlix::kWhite);
    }
}

TEST_F(JatekosTest, ChOpeningFromBookScore) {
    auto saved = vorlix::Opening();
    TJatekos p;
    vorlix::Opening().RandomOpening = false;
    vorlix::Opening().FindBookRecord = [] { return 3; };
    int score = 4999;
    vorlix::Opening().RecordScore = [&](int record) { return record == 3 ? score : -1; };
    EXPECT_TRUE(p.ChOpening());
    score = 5000;
    EXPECT_FALSE(p.ChOpening());
    vorlix::Opening().FindBookRecord = [] { return -1; }; // unknown opening: keep black
    EXPECT_FALSE(p.ChOpening());
    vorlix::Opening() = saved;
}

} // namespace
