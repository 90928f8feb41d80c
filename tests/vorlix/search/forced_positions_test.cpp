// Positions where a five decides the move: every internal level completes its own five
// when it can, and otherwise stops the opponent's when it has exactly one five-cell,
// whatever its evaluation would prefer. A table of hand-made positions is played by
// Levels 0 to 9 with two seeds each; a seeded generator adds random forced positions
// for a few levels; and the engines' own hand-off (a search meeting a five on the
// board) is checked without the base move procedure around it.

#include "vorlix/eval/eval_players.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/game/board.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/random.h"
#include "vorlix/search/internal_levels.h"
#include "vorlix/search/mely_players.h"
#include "vorlix/search/melyvaz.h"
#include "vorlix/search/vosk_players.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace vorlix;

std::string DataFolder() {
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    return std::string(bin ? bin : ".") + "/data/";
}

// Records black and white stones alternately ("H8 J8" each), black first; the lists
// are equally long (black to move) or black's is one longer (white to move).
void Position(const std::vector<TPont>& black, const std::vector<TPont>& white) {
    ResetGameModel();
    for (size_t i = 0; i < black.size() || i < white.size(); ++i) {
        if (i < black.size()) RecordMove(black[i].X, black[i].Y, kBlack);
        if (i < white.size()) RecordMove(white[i].X, white[i].Y, kWhite);
    }
    ColourToMove = black.size() > white.size() ? kWhite : kBlack;
}

std::vector<TPont> Points(const std::string& list) {
    std::vector<TPont> points;
    std::stringstream in(list);
    for (std::string s; in >> s;) points.push_back(ParsePont(s));
    return points;
}

// Plays "F12,E12,..." (black first), as the game would.
void Moves(const std::string& moves) {
    std::vector<TPont> black, white;
    std::stringstream in(moves);
    int k = 0;
    for (std::string s; std::getline(in, s, ','); ++k)
        (k % 2 == 0 ? black : white).push_back(ParsePont(s));
    Position(black, white);
}

// Cells where a stone of `colour` makes five or more, found by putting the stone and
// asking the game's own test for five.
std::set<int> WinningCells(std::uint8_t colour) {
    std::set<int> cells;
    for (int n = 1; n <= kCells; ++n) {
        if (Tabla[n] != kEmpty) continue;
        Tabla[n] = colour;
        if (FiveInRow(colour)) cells.insert(n);
        Tabla[n] = kEmpty;
    }
    return cells;
}

// What the position forces: the mover's own five-cells, else the opponent's single
// five-cell; empty when nothing is forced.
std::set<int> ForcedCells() {
    std::set<int> own = WinningCells(ColourToMove);
    if (!own.empty()) return own;
    std::set<int> theirs = WinningCells(Opponent(ColourToMove));
    return theirs.size() == 1 ? theirs : std::set<int>{};
}

std::string Text(const std::set<int>& cells) {
    std::string s;
    for (int n : cells) s += TrimRight(PontText(CellX(n), CellY(n))) + " ";
    return s;
}

std::unique_ptr<TJatekos> MakeLevel(int level) {
    const std::string id = kInternalItems[level].Identifier;
    std::unique_ptr<TJatekos> p = CreateEvaluationPlayer(id);
    if (!p) p = CreateMelyPlayer(id);
    if (!p) p = CreateVoskPlayer(id);
    if (p) p->SetLevel(4); // as the controller does with every player it makes
    return p;
}

// The level's move in the position on the board, as a fresh player that did not see
// the game built up move by move.
TPont LevelMove(TJatekos& player, std::uint32_t seed) {
    SeedRandom(seed);
    player.BoardChanged = true;
    player.Move();
    return ChosenMove;
}

struct ForcedRow {
    const char* name;
    const char* black; // stones, in the order they were played
    const char* white;
    const char* answers; // the moves that are right, e.g. "J12" or "D5 I5"
};

// Black and white stones alternate in the record; black's list is as long as white's
// (black to move) or one longer (white to move).
const ForcedRow kRows[] = {
    // White to move: J12 must be blocked; H6 gives white two fours, which the pattern
    // values rank above the block.
    {"BlockOverTwoOwnFours", "F12 G12 H12 I12 A8 A1 O15 O1", "E12 H3 H4 H5 E6 F6 G6", "J12"},
    // Black to move: J8 wins; C3 stops white's five on two lines at once.
    {"OwnFiveOverBlockOnTwoLines", "F8 G8 H8 I8 C8 H3 M13 L2 N6 N10 K14 O3",
     "E8 C4 C5 C6 C7 D3 E3 F3 G3 D4 E5 F6", "J8"},
    {"OwnFiveOverOpenFour", "H8 I8 J8 K8 D12", "G8 H9 I10 J11 A1", "L8"},
    // Both sides with fours.
    {"BothOpenFoursBlackToMove", "E5 F5 G5 H5 A15", "E10 F10 G10 H10 O1", "D5 I5"},
    {"BothOpenFoursWhiteToMove", "E5 F5 G5 H5 A15", "E10 F10 G10 H10", "D10 I10"},
    {"ClosedOwnFourOverOpenFour", "E5 F5 G5 H5 M2", "D5 E10 F10 G10 H10", "I5"},
    {"OwnGapFourOverOpenFour", "E5 F5 H5 I5 M2", "D5 E10 F10 G10 H10", "G5"},
    {"BlockGapFourOverOwnThree", "H8 I8 K8 L8 A15", "G10 H10 I10 K12", "J8"},
    // Fives on the edges and in the corners.
    {"OwnFiveOnTheEdge", "A1 A2 A3 A4 H8", "B1 B2 B3 C5 O15", "A5"},
    {"OwnFiveIntoTheCorner", "J10 H8 C3 D4 E2", "K11 L12 M13 N14", "O15"},
    {"BlockInTheCorner", "A10 G7 H7 I7", "A11 A12 A13 A14", "A15"},
    {"BlockOnTheBottomEdge", "H8 I9 J10 F4", "K1 L1 N1 O1", "M1"},
    {"BlockOnTheTopEdge", "H15 H8 I8 J8", "D15 E15 F15 G15", "C15"},
    // Five-cells with several lines through them.
    {"BlockOneCellOfTwoLines", "C8 H3 H8 I9 J10 M2 N5 A15", "C4 C5 C6 C7 D3 E3 F3 G3", "C3"},
    {"OwnCellOfTwoLines", "C4 C5 C6 C7 D3 E3 F3 G3", "C8 H3 J9 J10 J11 K1 L1 M14", "C3"},
    {"BlockOneCellOfThreeLines", "H8 C3 C8 A1 A3 A5 A7 A9 A11 A13 A15 O1",
     "H4 H5 H6 H7 D3 E3 F3 G3 D7 E6 F5 G4", "H3"},
    // Five or more: an overline wins as well.
    {"OwnOverline", "F8 G8 H8 J8 K8", "A1 C1 E1 G1 O15", "I8"},
    {"BlockOverline", "A1 C1 E1 G1 O15", "F8 G8 H8 J8 K8", "I8"},
};

const ForcedRow& Row(const std::string& name) {
    for (const ForcedRow& row : kRows)
        if (name == row.name) return row;
    throw std::logic_error("no row " + name);
}

struct ForcedCase {
    const ForcedRow* row;
    int level;
};

std::string CaseName(const ::testing::TestParamInfo<ForcedCase>& info) {
    return std::string(info.param.row->name) + "_Level" + std::to_string(info.param.level);
}

std::vector<ForcedCase> AllCases() {
    std::vector<ForcedCase> cases;
    for (const ForcedRow& row : kRows)
        for (int level = 0; level <= 9; ++level) cases.push_back({&row, level});
    return cases;
}

class ForcedPositions : public ::testing::TestWithParam<ForcedCase> {
  protected:
    void SetUp() override {
        SetEngineDataFolder(DataFolder());
        ResetGameModel();
    }
    void TearDown() override { ResetGameModel(); }
};

TEST_P(ForcedPositions, EveryLevelTakesOrStopsTheFive) {
    const ForcedRow& row = *GetParam().row;
    auto player = MakeLevel(GetParam().level);
    ASSERT_TRUE(player);
    for (std::uint32_t seed : {1u, 2u}) {
        Position(Points(row.black), Points(row.white));
        ASSERT_FALSE(FiveInRow(kBlack) || FiveInRow(kWhite)) << "a five stands already";
        // The table's answers are what the position forces.
        std::set<int> answers;
        for (TPont p : Points(row.answers)) answers.insert(CellIndex(p));
        ASSERT_EQ(ForcedCells(), answers) << Text(ForcedCells());
        const TPont m = LevelMove(*player, seed);
        EXPECT_TRUE(answers.count(CellIndex(m)))
            << player->Name << " seed " << seed << " played " << TrimRight(PontText(m.X, m.Y))
            << ", expected " << row.answers;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ForcedPositions, ::testing::ValuesIn(AllCases()), CaseName);

// The two games of the report that showed the fault, played as the game plays them.
TEST_F(ForcedPositions, ReportedGamesAtEveryLevel) {
    struct Game {
        const char* moves;
        const char* answer;
    };
    const Game games[] = {
        {"F12,E12,G12,H3,H12,H4,I12,H5,A8,E6,A1,F6,O15,G6,O1", "J12"},
        {"F8,E8,G8,C4,H8,C5,I8,C6,C8,C7,H3,D3,M13,E3,L2,F3,N6,G3,N10,D4,K14,E5,O3,F6", "J8"},
    };
    for (int level = 0; level <= 9; ++level) {
        auto player = MakeLevel(level);
        ASSERT_TRUE(player);
        for (const Game& g : games) {
            Moves(g.moves);
            EXPECT_EQ(LevelMove(*player, 1), ParsePont(g.answer)) << "Level " << level;
        }
    }
}

// ------------------------------------------------------------ random forced positions

// A seeded random position with a four planted for one side (sometimes for both), the
// rest of the stones scattered over the middle of the board without a five. Returns
// false when the result forces nothing (the caller draws again).
bool RandomForcedPosition(std::mt19937& rng) {
    ResetGameModel();
    auto draw = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<TPont> stones[3];
    auto put = [&](int x, int y, std::uint8_t colour) {
        const int n = CellIndex(x, y);
        if (!OnBoard(x, y) || Tabla[n] != kEmpty) return false;
        Tabla[n] = colour;
        if (FiveInRow(colour)) {
            Tabla[n] = kEmpty;
            return false;
        }
        stones[colour].push_back(TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)});
        return true;
    };
    const int fours = draw(1, 3) == 1 ? 2 : 1;
    std::uint8_t colour = draw(0, 1) ? kBlack : kWhite;
    for (int f = 0; f < fours; ++f, colour = Opponent(colour)) {
        // Five cells of one line, anywhere on the board (edges included); one stays empty.
        const int d = draw(0, 3), gap = draw(0, 4);
        const int x = draw(1, 15), y = draw(1, 15);
        for (int i = 0; i < 5; ++i)
            if (i != gap) put(x + i * kDirX[d], y + i * kDirY[d], colour);
    }
    // Stone counts that alternate: black as many as white, or one more.
    const int total = draw(10, 40);
    for (int tries = 0; tries < 2000; ++tries) {
        const int b = static_cast<int>(stones[kBlack].size()),
                  w = static_cast<int>(stones[kWhite].size());
        if (b + w >= total && (b == w || b == w + 1)) break;
        const std::uint8_t c = b <= w ? kBlack : kWhite;
        put(draw(3, 13), draw(3, 13), c);
    }
    const int b = static_cast<int>(stones[kBlack].size()),
              w = static_cast<int>(stones[kWhite].size());
    if (b != w && b != w + 1) return false;
    // The planted stones first: the record's order does not matter to the question.
    Position(stones[kBlack], stones[kWhite]);
    return !ForcedCells().empty();
}

class RandomForcedPositions : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        SetEngineDataFolder(DataFolder());
        ResetGameModel();
    }
    void TearDown() override { ResetGameModel(); }
};

TEST_P(RandomForcedPositions, LevelTakesOrStopsTheFive) {
    auto player = MakeLevel(GetParam());
    ASSERT_TRUE(player);
    std::mt19937 rng(20261208u + static_cast<unsigned>(GetParam()));
    int checked = 0;
    for (int attempt = 0; attempt < 400 && checked < 60; ++attempt) {
        if (!RandomForcedPosition(rng)) continue;
        ++checked;
        const std::set<int> answers = ForcedCells();
        std::string moves;
        for (int i = 1; i <= MoveCount; ++i)
            moves +=
                TrimRight(PontText(GameRecord[i].X, GameRecord[i].Y)) + (i < MoveCount ? "," : "");
        const TPont m = LevelMove(*player, static_cast<std::uint32_t>(attempt + 1));
        EXPECT_TRUE(answers.count(CellIndex(m)))
            << player->Name << " played " << TrimRight(PontText(m.X, m.Y)) << ", expected "
            << Text(answers) << "after " << moves;
    }
    EXPECT_EQ(checked, 60);
}

INSTANTIATE_TEST_SUITE_P(Levels, RandomForcedPositions, ::testing::Values(0, 2, 5, 9),
                         [](const ::testing::TestParamInfo<int>& level) {
                             return "Level" + std::to_string(level.param);
                         });

// ---------------------------------------------------------- the engines' own hand-off

// Without the base move procedure around them, the engines that meet a five on the
// board (and so do not search) leave the forced move as the player's one alternative.
class EngineHandOff : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        SetEngineDataFolder(DataFolder());
        ResetGameModel();
    }
    void TearDown() override { ResetGameModel(); }
};

TEST_P(EngineHandOff, FiveOnTheBoardLeavesTheForcedMove) {
    std::unique_ptr<TJatekos> p = CreateEvaluationPlayer(GetParam());
    if (!p) p = CreateMelyPlayer(GetParam());
    if (!p) p = CreateVoskPlayer(GetParam());
    ASSERT_TRUE(p);
    p->SetLevel(4);
    for (const char* name :
         {"BlockOverTwoOwnFours", "OwnFiveOverBlockOnTwoLines", "BlockOneCellOfTwoLines"}) {
        const ForcedRow* row = &Row(name);
        Position(Points(row->black), Points(row->white));
        SeedRandom(1);
        p->AlNum = 0;
        p->Chosen = -1;
        p->FillValues(0.0f);
        p->Evaluate();
        p->CollectBest();
        ASSERT_EQ(p->AlNum, 1) << row->name;
        EXPECT_EQ(p->AlList[1], ParsePont(row->answers)) << row->name;
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, EngineHandOff,
                         ::testing::Values("Zelta", "Ilvar", "Ilvar5U", "QwilNV", "QwilN4AVK",
                                           "QwilX_K", "Vosk7W", "Vosk7XPM_K", "Vosk7XLSHO_K"));

} // namespace
