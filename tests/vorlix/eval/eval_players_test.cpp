#include "eval_fixture.h"

#include "support/test_support.h"

#include "vorlix/eval/eval_players.h"
#include "vorlix/players/player_factory.h"
#include "vorlix/game/random.h"

#include <memory>

namespace {

using namespace vorlix;
using evaltest::Cell;
using evaltest::Stones;

TEST(Turbo, WindowCountsAndLiveWindows) {
    ResetGameModel();
    TTurbo t;
    t.Reset();
    EXPECT_EQ(t.LiveWindows, 1144);
    t.AddStone(8, 8, kBlack);
    EXPECT_EQ(t.LiveWindows, 1124); // 20 windows hold H8
    // H7 shares four column windows with H8; I9 four diagonal ones.
    EXPECT_EQ(t.Score[Cell("H7")][kBlack], 4 * 4);
    EXPECT_EQ(t.Score[Cell("I9")][kBlack], 4 * 4);
    EXPECT_EQ(t.Score[Cell("H8")][kBlack], 20 * 4); // the stone's own cell counts too
    EXPECT_EQ(t.Score[Cell("H13")][kBlack], 0);
    // A white stone on H9 kills the four column windows through both for black and
    // the ones through H9 alone for... itself only when black is absent.
    t.AddStone(8, 9, kWhite);
    EXPECT_EQ(t.Score[Cell("H7")][kBlack], 4 * 4 - 3 * 4); // 3 column windows hold H7, H8, H9
    EXPECT_EQ(t.Five, 0);
}

TEST(Turbo, CornerWindows) {
    ResetGameModel();
    TTurbo t;
    t.Reset();
    t.AddStone(1, 1, kBlack);
    EXPECT_EQ(t.LiveWindows, 1141);
    t.AddStone(1, 2, kBlack); // new: row, column from A2, diagonal from A2
    EXPECT_EQ(t.LiveWindows, 1138);
}

TEST(Turbo, FiveStonesAreWorthNoMoreThanFour) {
    ResetGameModel();
    TTurbo t;
    t.Reset();
    for (int y = 1; y <= 4; ++y) t.AddStone(1, y, kBlack);
    // A1 lies in one window with A5 (A1-A5), which goes from four to five stones.
    std::int32_t before = t.Score[Cell("A1")][kBlack];
    EXPECT_EQ(t.Five, 0);
    t.AddStone(1, 5, kBlack);
    EXPECT_EQ(t.Five, 1);
    EXPECT_EQ(t.Score[Cell("A1")][kBlack], before);
}

TEST(Turbo, EmptyBoardChoiceAndPrintout) {
    ResetGameModel();
    SeedRandom(3);
    TTurbo t;
    t.Reset();
    TPont m = t.ChooseMove();
    EXPECT_EQ(m, (TPont{8, 8}));
    TTextList lines;
    t.ShowProperties(lines);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Legjobb lépések :");
    EXPECT_EQ(lines[1], "  1. :8,8  4");
}

TEST(Turbo, AnswersTheFirstStoneDiagonallyOrBeside) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        evaltest::Play("H8");
        SeedRandom(seed);
        TTurbo t;
        t.Evaluate();
        ASSERT_EQ(t.AlNum, 1);
        TPont m = t.AlList[1];
        EXPECT_TRUE(m == (TPont{7, 7}) || m == (TPont{7, 8}));
    }
}

TEST(Turbo, AnswersAStoneOnG7OrG8WithTheOtherCell) {
    for (auto [stone, answer] : {std::pair{"G7", "G8"}, std::pair{"G8", "G7"}}) {
        for (unsigned seed = 1; seed <= 10; ++seed) {
            evaltest::Play(stone);
            SeedRandom(seed);
            TTurbo t;
            t.Evaluate();
            ASSERT_EQ(t.AlNum, 1);
            EXPECT_EQ(t.AlList[1], ParsePont(answer)) << stone << " seed " << seed;
        }
    }
}

TEST(Turbo, CompletesItsFive) {
    evaltest::Play("H8,A1,H9,A3,H10,A5,H11,A7");
    TTurbo t;
    t.Evaluate();
    EXPECT_TRUE(t.AlList[1] == ParsePont("H7") || t.AlList[1] == ParsePont("H12"));
}

TEST(Zelta, SelectionExample) {
    std::int32_t cells[] = {1, 2, 3, 4};
    float values[] = {10, 9, 1, 0.5f};
    EXPECT_EQ(TZelta::Select(cells, values, 4, 8.4f), 3);
    EXPECT_EQ(cells[0], 1);
    EXPECT_EQ(cells[2], 3);
    // Unsorted input: the pass brings the largest of the rest forward each time.
    std::int32_t c2[] = {1, 2, 3, 4, 5};
    float v2[] = {1, 5, 3, 5.5f, 2};
    int k = TZelta::Select(c2, v2, 5, 8.4f);
    EXPECT_EQ(c2[0], 4);
    EXPECT_EQ(c2[1], 2);
    EXPECT_GE(k, 2);
    EXPECT_EQ(TZelta::Select(c2, v2, 1, 8.4f), 1);
    EXPECT_EQ(TZelta::Select(c2, v2, 0, 8.4f), 0);
}

class EvalPlayers : public evaltest::EvalTest {};

TEST_F(EvalPlayers, ZeltaTakesTheForcedMoveWhenAFiveIsOnTheBoard) {
    // Black to move completes E8..H8 at I8 (D8 is white), whatever the values say.
    Stones("E8 F8 G8 H8 A15", "D8 G10 H10 I10 A1", kBlack);
    TZelta z;
    z.FillValues(0.0f);
    z.Evaluate();
    z.CollectBest();
    ASSERT_EQ(z.AlNum, 1);
    EXPECT_EQ(z.AlList[1], ParsePont("I8"));
}

TEST_F(EvalPlayers, ZeltaTakesM1ValuesAgainstTwoFives) {
    // White to move cannot stop both ends of black's open four: nothing is forced, and
    // the M1 values alone decide (the E1 move evaluator is not consulted).
    Stones("E8 F8 G8 H8 A15", "G10 H10 I10 A1", kWhite);
    TZelta z;
    z.FillValues(0.0f);
    z.Evaluate();
    EXPECT_EQ(z.AlNum, 0);
    TM1Evaluator m(nullptr);
    m.Szorzo = 0.008f;
    m.LoadTables();
    CandidateList cells;
    float values[225];
    m.EvaluateCandidates(&cells, values);
    for (int i = 0; i < cells.count; ++i) {
        int n = cells.cells[i];
        EXPECT_FLOAT_EQ(z.ValueArray[CellX(n)][CellY(n)], values[i]) << n;
    }
    EXPECT_EQ(z.ValueArray[15][1], 0.0f); // not a candidate
}

TEST_F(EvalPlayers, ZeltaValuesOnlySelectedCells) {
    evaltest::Play("H8,H7,I8,H6,J8");
    TZelta z;
    z.FillValues(0.0f);
    z.Evaluate();
    int selected = 0;
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 15; ++y)
            if (Tabla[CellIndex(x, y)] == kEmpty && z.ValueArray[x][y] != -30.0f) ++selected;
    EXPECT_GE(selected, 2);
    EXPECT_LT(selected, 20);
    // H8 I8 J8 is black's open three: white blocks it next to an end.
    z.CollectBest();
    ASSERT_GE(z.AlNum, 1);
    for (int i = 1; i <= z.AlNum; ++i)
        EXPECT_TRUE(z.AlList[i] == ParsePont("G8") || z.AlList[i] == ParsePont("K8"));
}

TEST_F(EvalPlayers, FactoryAndAbilities) {
    struct Want {
        const char* id;
        std::vector<std::string> abilities;
    };
    for (const Want& w :
         {Want{"Turbo", {}}, Want{"Rupo", {"Táv.közel", "Minta"}},
          Want{"Zelta", {"Minta", "Állás értékelés"}}, Want{"DraskHS", {"Táv.közel", "FenyR"}}}) {
        auto p = CreateEvaluationPlayer(w.id);
        ASSERT_TRUE(p) << w.id;
        EXPECT_EQ(p->Name, w.id);
        EXPECT_FLOAT_EQ(p->Tures, std::string(w.id) == "Turbo" ? 1.0f : 0.35f);
        ASSERT_EQ(p->Kepessegek.Count(), static_cast<int>(w.abilities.size())) << w.id;
        for (size_t i = 0; i < w.abilities.size(); ++i)
            EXPECT_EQ(p->Kepessegek.Items(static_cast<int>(i))->Name(), w.abilities[i]);
    }
    EXPECT_FALSE(CreateEvaluationPlayer("zelta"));
    EXPECT_FALSE(CreateEvaluationPlayer("Ilvar"));
}

TEST_F(EvalPlayers, MissingTablesAreReported) {
    SetEngineDataFolder("/nonexistent/");
    EXPECT_THROW(CreateEvaluationPlayer("Rupo"), PatternTableError);
    EXPECT_NO_THROW(CreateEvaluationPlayer("Turbo"));
}

TEST_F(EvalPlayers, RegisteredInTheFactory) {
    PlayerFactory factory;
    RegisterEvaluationPlayers(factory);
    for (const char* id : {"Turbo", "Rupo", "Zelta", "DraskHS"}) {
        auto p = factory.CreatePlayerByName(id, "");
        ASSERT_TRUE(p) << id;
        EXPECT_EQ(p->Name, id);
        EXPECT_EQ(p->Level, 4);
    }
    // Without tables there is no player, and the reason is shown.
    testing_support::RecordingBoxes boxes;
    SetEngineDataFolder("/nonexistent/");
    EXPECT_FALSE(factory.CreatePlayerByName("Zelta", ""));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("M1Ertek.dat"), std::string::npos);
}

// Plays one game between two players with the base move procedure; returns the
// record as text.
std::string PlayGame(const char* first, const char* second, unsigned seed) {
    ResetGameModel();
    SeedRandom(seed);
    auto a = CreateEvaluationPlayer(first), b = CreateEvaluationPlayer(second);
    std::string record;
    for (int move = 0; move < kCells; ++move) {
        std::uint8_t colour = ColourToMove;
        (colour == kBlack ? a : b)->Move();
        TPont m = ChosenMove;
        EXPECT_TRUE(OnBoard(m.X, m.Y) && Tabla[CellIndex(m)] == kEmpty) << record;
        if (!OnBoard(m.X, m.Y) || Tabla[CellIndex(m)] != kEmpty) break;
        RecordMove(m.X, m.Y, colour);
        record += PontText(m.X, m.Y);
        if (FiveInRow(colour)) break;
        ColourToMove = Opponent(colour);
    }
    return record;
}

TEST_F(EvalPlayers, GamesAreValidAndReproducible) {
    for (auto [a, b] : {std::pair{"Rupo", "Turbo"}, std::pair{"Zelta", "DraskHS"}}) {
        std::string first = PlayGame(a, b, 11);
        EXPECT_GT(first.size(), 9u * 3);
        EXPECT_EQ(first, PlayGame(a, b, 11)) << a << " vs " << b;
    }
}

} // namespace
