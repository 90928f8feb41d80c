#include "vorlix/search/vct.h"

#include "platform/events.h"
#include "vorlix/eval/linepattern.h"
#include "vorlix/game/coords.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/random.h"
#include "vorlix/game/trialstones.h"
#include "vorlix/players/jatekos.h"
#include "vorlix/search/threattable.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vorlix;

int Cell(const std::string& text) {
    return CellIndex(ParsePont(text));
}
std::string Text(int cell) {
    return cell == 0 ? "-" : TrimRight(CellText(cell));
}

// Everything a run must leave as it found it.
struct Snapshot {
    std::array<std::uint8_t, kCells> cells;
    std::uint8_t colour;
    std::int32_t depth;
    Snapshot() : colour(ColourToMove), depth(SearchDepth) {
        std::memcpy(cells.data(), Tabla + 1, kCells);
    }
    bool operator==(const Snapshot&) const = default;
};

// A position given from the attacker's side, so that it can be set up for either
// colour: the attacker's stones, the defender's stones, the attacker to move.
struct Position {
    std::vector<std::string> attacker, defender;
};

void Arrange(const Position& p, std::uint8_t attacker) {
    ResetGameModel();
    for (const auto& c : p.attacker) Tabla[Cell(c)] = attacker;
    for (const auto& c : p.defender) Tabla[Cell(c)] = Opponent(attacker);
    ColourToMove = attacker;
}

// Empty cells on which `colour` would have five, found by trying every cell.
std::vector<int> FiveCells(std::uint8_t colour) {
    std::vector<int> cells;
    for (int c = 1; c <= kCells; ++c) {
        if (Tabla[c] != kEmpty) continue;
        Tabla[c] = colour;
        if (FiveInRow(colour)) cells.push_back(c);
        Tabla[c] = kEmpty;
    }
    return cells;
}

const std::string kNotOnlyFours = "not only fours";

// Plays a line of fours against the only replies the defender has and checks, by
// brute force and without the threat tables, that it ends in a won position: two
// cells completing five, or one whose block leaves the attacker an open four to make.
// Empty when the line holds; otherwise what went wrong. Leaves the board as it was.
std::string ReplayFours(const int* line, int length, std::uint8_t a) {
    const std::uint8_t d = Opponent(a);
    std::vector<int> put;
    auto undo = [&] {
        for (int c : put) Tabla[c] = kEmpty;
    };
    auto fail = [&](const std::string& why) {
        undo();
        return why;
    };
    for (int k = 1; k <= length; ++k) {
        const int m = line[k];
        std::vector<int> threats = FiveCells(d);
        if (threats.size() > 1 || (threats.size() == 1 && threats[0] != m))
            return fail("defender wins before move " + std::to_string(k));
        if (Tabla[m] != kEmpty) return fail("move " + std::to_string(k) + " on a stone");
        Tabla[m] = a, put.push_back(m);
        std::vector<int> fives = FiveCells(a);
        if (fives.size() >= 2) return (undo(), std::string());
        // A block that makes no four is played when an open three stands; then the
        // defender has a choice and the line is not one of fours only.
        if (fives.empty()) return fail(kNotOnlyFours);
        if (fives.size() != 1) return fail("move " + std::to_string(k) + " is no four");
        Tabla[fives[0]] = d, put.push_back(fives[0]);
    }
    // The last four was blocked: an open three must be left and no four of the defender.
    if (!FiveCells(d).empty()) return fail("the last block makes a four");
    for (int c = 1; c <= kCells; ++c) {
        if (Tabla[c] != kEmpty) continue;
        Tabla[c] = a;
        const bool openFour = FiveCells(a).size() >= 2;
        Tabla[c] = kEmpty;
        if (openFour) return (undo(), std::string());
    }
    return fail("no open three after the last four");
}

struct VctCase {
    const char* name;
    Position position;
    int maxDepth;
    int threeLimit;
    std::vector<std::string> wins; // the possible first moves; empty: no win
    int depthReached;              // -1: not checked
    bool twoPhase = false;
};

// Positions with known answers, each set up once with black and once with white as
// the attacker. Unlisted settings are the defaults (depth 7, three limit 5).
const VctCase kCases[] = {
    // H8 makes the four E8-H8 (D8 blocks the other end) and the open three H8-H10.
    {"FourThree", {{"E8", "F8", "G8", "H9", "H10"}, {"D8"}}, 7, 5, {"H8"}, 1},
    {"FourThreeAtDepthOne", {{"E8", "F8", "G8", "H9", "H10"}, {"D8"}}, 1, 5, {"H8"}, 1},
    // Only fours: no four-three yet, but a four whose forced block leaves a double four.
    {"ChainOfFours",
     {{"E8", "F8", "G8", "H9", "H10", "I12", "J13", "K14"}, {"D8", "H6", "H12", "L15"}},
     7,
     0,
     {"G10", "H8", "H11"},
     2},
    {"ChainOfFoursNeedsTwoPlies",
     {{"E8", "F8", "G8", "H9", "H10", "I12", "J13", "K14"}, {"D8", "H6", "H12", "L15"}},
     1,
     0,
     {},
     1},
    // H8 makes two open threes; the defender can stop only one.
    {"OpenThrees", {{"H9", "H10", "I8", "J8"}, {}}, 7, 5, {"H8"}, 2},
    {"OpenThreesNeedThreeBudget", {{"H9", "H10", "I8", "J8"}, {}}, 7, 0, {}, -1},
    // The same, but the defender answers any three with M3, two fours at once.
    {"CounterFourRefutes",
     {{"H9", "H10", "I8", "J8", "M7", "I3"}, {"M4", "M5", "M6", "J3", "K3", "L3"}},
     7,
     5,
     {},
     -1},
    {"CounterFourRefutesTwoPhase",
     {{"H9", "H10", "I8", "J8", "M7", "I3"}, {"M4", "M5", "M6", "J3", "K3", "L3"}},
     7,
     5,
     {},
     -1,
     true},
    {"OpenThreesTwoPhase", {{"H9", "H10", "I8", "J8"}, {}}, 7, 5, {"H8"}, 2, true},
    // The four-three H8 fails: blocking at I8 gives the defender the four I8-L5, and
    // after the attacker blocks at M4 the defender stops the three.
    {"BlockOfTheFourMakesAFour",
     {{"E8", "F8", "G8", "H9", "H10"}, {"D8", "J7", "K6", "L5"}},
     7,
     0,
     {},
     -1},
    {"BlockWithoutTheDefendersFour",
     {{"E8", "F8", "G8", "H9", "H10"}, {"D8", "J7", "K6"}},
     7,
     0,
     {"H8"},
     1},
    // The defender's four D4-G7 must be blocked at H8, and the block makes two open
    // threes: found from depth 2.
    {"ForcedBlockMakesThrees",
     {{"H9", "H10", "I8", "J8", "C3"}, {"D4", "E5", "F6", "G7"}},
     7,
     5,
     {"H8"},
     2},
    // One closed three: its four is blocked and nothing follows.
    {"NoWin", {{"E8", "F8", "G8"}, {"D8"}}, 7, 5, {}, -1},
    {"NoThreats", {{"H8", "J10"}, {"H7", "I9"}}, 7, 5, {}, 0},
    // Decided before any search.
    {"CompletesFive", {{"E8", "F8", "G8", "H8"}, {"D8"}}, 7, 5, {"I8"}, 0},
    {"OpenThreeOnTheBoard", {{"H8", "H9", "H10"}, {"A1"}}, 7, 5, {"H7"}, 0},
    {"DefenderHasTwoFives", {{"H9", "H10", "I9"}, {"E8", "F8", "G8", "H8"}}, 7, 5, {}, 0},
    {"BlockMakesOpenFour", {{"D8", "I9", "I10", "I11"}, {"E8", "F8", "G8", "H8"}}, 7, 5, {"I8"}, 0},
    {"DefenderFourAndNothingToBlockWith", {{"D8", "A1"}, {"E8", "F8", "G8", "H8"}}, 7, 5, {}, 0},
    {"AlreadyFive", {{"E8", "F8", "G8", "H8", "I8", "H9", "H10"}, {"D8"}}, 7, 5, {}, 0},
    {"DefenderAlreadyFive", {{"H9", "H10", "H11"}, {"E8", "F8", "G8", "H8", "I8"}}, 7, 5, {}, 0},
};

void PrintTo(const VctCase& c, std::ostream* os) {
    *os << c.name;
}

class VctCaseTest : public ::testing::TestWithParam<std::tuple<VctCase, std::uint8_t>> {
  protected:
    void TearDown() override { ResetGameModel(); }
};

TEST_P(VctCaseTest, KnownAnswer) {
    const auto& [c, attacker] = GetParam();
    Arrange(c.position, attacker);
    TJatekos player;
    player.FillValues(-1.0f);
    auto vct = std::make_unique<TVct>(&player);
    vct->MaxDepth = static_cast<std::uint8_t>(c.maxDepth);
    vct->ThreeLimit = static_cast<std::uint8_t>(c.threeLimit);
    vct->TwoPhase = c.twoPhase ? 1 : 0;
    const Snapshot before;
    vct->Run();
    EXPECT_TRUE(Snapshot() == before) << "board, colour to move or search depth changed";
    EXPECT_EQ(vct->Attacker, attacker);
    EXPECT_EQ(vct->Defender, Opponent(attacker));
    EXPECT_EQ(vct->MaxDepth, c.maxDepth);
    EXPECT_EQ(vct->NodeLimit, 4000);
    EXPECT_EQ(vct->FullPhase, 1);

    if (c.wins.empty()) {
        EXPECT_EQ(Text(vct->Result), "-");
        EXPECT_EQ(player.AlNum, 0);
        for (int x = 1; x <= kBoardSize; ++x)
            for (int y = 1; y <= kBoardSize; ++y) ASSERT_EQ(player.ValueArray[x][y], -1.0f);
    } else {
        EXPECT_NE(std::find(c.wins.begin(), c.wins.end(), Text(vct->Result)), c.wins.end())
            << "first move " << Text(vct->Result);
        ASSERT_EQ(player.AlNum, 1);
        EXPECT_EQ(player.AlList[1], CellPont(vct->Result));
        EXPECT_EQ(player.AlValue[1], 150.0f);
        TPont p = CellPont(vct->Result);
        EXPECT_EQ(player.ValueArray[p.X][p.Y], 150.0f);
        ASSERT_GE(vct->WinLineLength, 1);
        EXPECT_EQ(vct->WinLine[1], vct->Result);
    }
    if (c.depthReached >= 0) {
        EXPECT_EQ(vct->DepthReached, c.depthReached);
    }
    if (c.depthReached == 0) {
        EXPECT_EQ(vct->NodeCount, 0) << "decided without a search";
    }
    EXPECT_LE(vct->NodeCount, vct->NodeLimit + 1);
    if (c.threeLimit == 0 && vct->Result != 0) {
        int line[TVct::kMaxPly + 1] = {};
        for (int k = 1; k <= vct->WinLineLength; ++k) line[k] = vct->WinLine[k];
        EXPECT_EQ(ReplayFours(line, vct->WinLineLength, attacker), "");
    }
}

std::string CaseName(const ::testing::TestParamInfo<VctCaseTest::ParamType>& info) {
    return std::string(std::get<0>(info.param).name) +
           (std::get<1>(info.param) == kBlack ? "_Black" : "_White");
}

INSTANTIATE_TEST_SUITE_P(Positions, VctCaseTest,
                         ::testing::Combine(::testing::ValuesIn(kCases),
                                            ::testing::Values(kBlack, kWhite)),
                         CaseName);

class VctTest : public ::testing::Test {
  protected:
    void TearDown() override {
        ResetGameModel();
        platform::SetEventDispatcher(nullptr);
    }
    TJatekos player;
    std::unique_ptr<TVct> vct = std::make_unique<TVct>(&player);
};

// A position whose win takes a few hundred nodes at depth 5.
const Position kDeepWin{{"E8", "F8", "G8", "H9", "H10"}, {"D8", "J7", "K6", "L5"}};

TEST_F(VctTest, ColoursSwappedSearchTheSameTree) {
    for (const auto& c : kCases) {
        Arrange(c.position, kBlack);
        vct->ThreeLimit = static_cast<std::uint8_t>(c.threeLimit);
        vct->MaxDepth = static_cast<std::uint8_t>(c.maxDepth);
        vct->Run();
        const int result = vct->Result, nodes = vct->NodeCount, depth = vct->DepthReached;
        Arrange(c.position, kWhite);
        vct->Run();
        EXPECT_EQ(vct->Result, result) << c.name;
        EXPECT_EQ(vct->NodeCount, nodes) << c.name;
        EXPECT_EQ(vct->DepthReached, depth) << c.name;
    }
}

TEST_F(VctTest, NodeLimitEndsTheSearchWithoutAWin) {
    Arrange(kDeepWin, kBlack);
    vct->Run();
    ASSERT_EQ(Text(vct->Result), "H8");
    const int needed = vct->NodeCount;
    ASSERT_GT(needed, 20);

    for (int limit : {1, 5, needed / 2}) {
        Arrange(kDeepWin, kBlack);
        const Snapshot before;
        vct->NodeLimit = limit;
        player.AlNum = 0;
        vct->Run();
        EXPECT_EQ(vct->Result, 0) << limit;
        EXPECT_EQ(player.AlNum, 0);
        EXPECT_LE(vct->NodeCount, limit + 1) << "a level fails as soon as the budget is exceeded";
        EXPECT_TRUE(Snapshot() == before);
    }
}

TEST_F(VctTest, TwoPhaseRestoresItsSettings) {
    Arrange(kDeepWin, kWhite);
    vct->TwoPhase = 1;
    vct->MaxDepth = 2; // the cheaper phase must not wrap round below depth 1
    vct->NodeLimit = 333;
    vct->Run();
    EXPECT_EQ(vct->MaxDepth, 2);
    EXPECT_EQ(vct->NodeLimit, 333);
    EXPECT_EQ(vct->FullPhase, 1);
    EXPECT_EQ(vct->Result, 0);
    EXPECT_LE(vct->DepthReached, 2);

    vct->MaxDepth = 7;
    vct->NodeLimit = 4000;
    vct->Run();
    EXPECT_EQ(Text(vct->Result), "H8");
}

// The cheaper phase does not look at counter-fours, so it takes the double three for a
// win and the full phase runs after it; where it finds nothing the full phase is
// skipped. Counted by the window calls: one per iteration (white attacks, so none
// every 128 stones).
TEST_F(VctTest, FullPhaseRunsOnlyAfterACheapWin) {
    const Position counterFour{{"H9", "H10", "I8", "J8", "M7", "I3"},
                               {"M4", "M5", "M6", "J3", "K3", "L3"}};
    int calls = 0;
    platform::SetEventDispatcher([&] { ++calls; });
    vct->TwoPhase = 1;

    Arrange(counterFour, kWhite);
    vct->Run();
    EXPECT_EQ(vct->Result, 0);
    EXPECT_GT(calls, vct->DepthReached) << "both phases ran";

    calls = 0;
    Arrange({{"E8", "F8", "G8"}, {"D8"}}, kWhite);
    vct->Run();
    EXPECT_EQ(vct->Result, 0);
    EXPECT_EQ(calls, vct->DepthReached) << "only the cheaper phase ran";
}

TEST_F(VctTest, IterationsStopWhenNoThreatIsLeft) {
    Arrange({{"E8", "F8", "G8"}, {"D8"}}, kBlack);
    vct->MaxDepth = 20;
    vct->Run();
    EXPECT_EQ(vct->Result, 0);
    EXPECT_LT(vct->DepthReached, 20);
}

// The window is served before each iteration and, only while black attacks, every
// 128 stones.
TEST_F(VctTest, DispatchesEventsWhileSearching) {
    int calls = 0;
    platform::SetEventDispatcher([&] { ++calls; });
    Arrange(kDeepWin, kWhite);
    vct->ThreeLimit = 8;
    vct->MaxDepth = 12;
    vct->NodeLimit = 100000;
    vct->FarFourLimit = 4;
    vct->Run();
    EXPECT_EQ(calls, vct->DepthReached);
    ASSERT_GE(vct->NodeCount, 128);

    calls = 0;
    Arrange(kDeepWin, kBlack);
    vct->Run();
    EXPECT_GE(calls, vct->DepthReached + vct->NodeCount / 128);
}

TEST_F(VctTest, BoardIsRestoredWhenTheWindowThrows) {
    Arrange(kDeepWin, kBlack);
    const Snapshot before;
    int thrown = 0;
    platform::SetEventDispatcher([&] {
        if (!(Snapshot() == before)) ++thrown, throw std::runtime_error("closed");
    });
    vct->ThreeLimit = 8;
    vct->MaxDepth = 12;
    vct->NodeLimit = 100000;
    vct->FarFourLimit = 4;
    EXPECT_THROW(vct->Run(), std::runtime_error);
    EXPECT_EQ(thrown, 1) << "thrown with search stones on the board";
    EXPECT_TRUE(Snapshot() == before);
}

TEST_F(VctTest, RefusesANonColourToMove) {
    Arrange(kDeepWin, kBlack);
    ColourToMove = 0;
    EXPECT_THROW(vct->Run(), InternalError);
}

TEST_F(VctTest, IsAnAbilityWithAPropertyPrintout) {
    EXPECT_EQ(vct->Name(), "VCT");
    EXPECT_EQ(vct->Owner, &player);
    Arrange(kDeepWin, kBlack);
    TKepesseg& ability = *vct;
    ability.Action();
    EXPECT_EQ(Text(vct->Result), "H8");
    TTextList lines{"old"};
    ability.ShowProperties(lines);
    EXPECT_EQ(lines, (TTextList{"Max.mélység : 7", "Mélység : " + std::to_string(vct->DepthReached),
                                "NodesSzam : " + std::to_string(vct->NodeCount)}));
}

TEST_F(VctTest, RunsWithoutAnOwner) {
    TVct alone(nullptr);
    Arrange({{"E8", "F8", "G8", "H9", "H10"}, {"D8"}}, kWhite);
    alone.Run();
    EXPECT_EQ(Text(alone.Result), "H8");
}

// Random middle games: every run leaves the position alone, keeps to its budget, and
// every win found with fours alone replays as a real one.
TEST_F(VctTest, RandomPositions) {
    SeedRuntimeRandom(5150);
    int wins = 0;
    for (int game = 0; game < 60; ++game) {
        ResetGameModel();
        const int stones = 20 + RuntimeRandom(60);
        for (int placed = 0; placed < stones;) {
            int cell = 1 + RuntimeRandom(kCells);
            if (Tabla[cell] != kEmpty) continue;
            Tabla[cell] = static_cast<std::uint8_t>(1 + placed % 2);
            ++placed;
        }
        ColourToMove = static_cast<std::uint8_t>(1 + RuntimeRandom(2));
        const Snapshot before;
        vct->NodeLimit = 300;
        vct->ThreeLimit = static_cast<std::uint8_t>(game % 2 == 0 ? 0 : 3);
        player.AlNum = 0;
        vct->Run();
        ASSERT_TRUE(Snapshot() == before) << "game " << game;
        EXPECT_LE(vct->NodeCount, vct->NodeLimit + 1);
        if (vct->Result == 0) continue;
        EXPECT_EQ(Tabla[vct->Result], kEmpty);
        EXPECT_EQ(player.AlNum, 1);
        if (vct->ThreeLimit == 0 && vct->DepthReached > 0) {
            int line[TVct::kMaxPly + 1] = {};
            for (int k = 1; k <= vct->WinLineLength; ++k) line[k] = vct->WinLine[k];
            std::string replay = ReplayFours(line, vct->WinLineLength, ColourToMove);
            if (replay == kNotOnlyFours) continue;
            ++wins;
            EXPECT_EQ(replay, "") << "game " << game;
        }
    }
    EXPECT_GT(wins, 0) << "the sample should hold some wins by fours";
}

// A quiet middle game: every stone lands within two cells of the others and makes no
// four, open three or five for its colour.
void QuietPosition(int stones, std::uint32_t seed) {
    static TThreatTable threats[3] = {TThreatTable(kBlack), TThreatTable(kBlack),
                                      TThreatTable(kWhite)};
    ResetGameModel();
    SeedRuntimeRandom(seed);
    Tabla[kCentre] = kBlack;
    std::uint8_t colour = kWhite;
    for (int placed = 1; placed < stones; ++placed) {
        threats[colour].Compute();
        std::vector<int> quiet;
        for (int c = 1; c <= kCells; ++c) {
            if (Tabla[c] != kEmpty || threats[colour].Summary(c) != kThreatNone) continue;
            bool near = false;
            for (int dx = -2; dx <= 2; ++dx)
                for (int dy = -2; dy <= 2; ++dy) {
                    int x = CellX(c) + dx, y = CellY(c) + dy;
                    near = near || (OnBoard(x, y) && Tabla[CellIndex(x, y)] != kEmpty);
                }
            if (near) quiet.push_back(c);
        }
        if (quiet.empty()) break;
        Tabla[quiet[static_cast<size_t>(RuntimeRandom(static_cast<int>(quiet.size())))]] = colour;
        colour = Opponent(colour);
    }
    ColourToMove = colour;
}

// The search answers a three only with counter-fours and the cells that stop it. A
// win it reports must still be there after any other reply too: put the first move,
// try every empty cell as the defender's answer and search again for the attacker.
TEST_F(VctTest, AWinSurvivesEveryReply) {
    vct->MaxDepth = 9;
    vct->NodeLimit = 5000;
    vct->ThreeLimit = 4;
    int checked = 0;
    for (std::uint32_t seed = 1; seed <= 14; ++seed) {
        QuietPosition(20 + static_cast<int>(seed * 37 % 61), seed);
        vct->Run();
        if (vct->Result == 0 || vct->DepthReached == 0) continue;
        ++checked;
        const int first = vct->Result;
        const std::uint8_t a = ColourToMove, d = Opponent(a);
        Tabla[first] = a;
        for (int reply = 1; reply <= kCells; ++reply) {
            if (Tabla[reply] != kEmpty) continue;
            Tabla[reply] = d;
            vct->Run();
            EXPECT_NE(vct->Result, 0)
                << "seed " << seed << ": " << Text(first) << " answered by " << Text(reply);
            Tabla[reply] = kEmpty;
        }
        Tabla[first] = kEmpty;
    }
    EXPECT_GE(checked, 5);
}

} // namespace
