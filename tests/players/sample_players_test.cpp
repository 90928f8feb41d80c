#include "players/demo_player.h"
#include "players/eager_player.h"
#include "players/common/library_host.h"

#include "platform/module.h"
#include "vorlix/game/board.h"
#include "vorlix/players/host_exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace {

using demo::EagerPlayer;

class SamplePlayersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        vorlix::ResetGameModel();
        VorlixHost& h = plugin::TheHost();
        h.GetTableField = &::GetTableField;
        h.nMove = &::nMove;
        h.Game = &::Game;
        h.NextColour = &::NextColour;
    }
    void TearDown() override { vorlix::ResetGameModel(); }
    // Plays (x, y) on the host's board for the colour of the move number.
    static void Play(int x, int y) {
        std::uint8_t colour = vorlix::MoveCount % 2 == 0 ? vorlix::kBlack : vorlix::kWhite;
        vorlix::RecordMove(x, y, colour);
        vorlix::ColourToMove = vorlix::Opponent(colour);
    }
    static void Play(VorlixPoint p) { Play(VORLIX_POINT_X(p), VORLIX_POINT_Y(p)); }
};

TEST_F(SamplePlayersTest, EagerOpensAtTheCentreAndThenExpectsWhite) {
    EagerPlayer p;
    EXPECT_EQ(p.Move(), VORLIX_POINT(8, 8));
    EXPECT_EQ(p.Turn, 2);
    EXPECT_EQ(p.Cell(7, 7), 1);
}

TEST_F(SamplePlayersTest, EagerAsWhiteDefendsAtG7AgainstH8) {
    Play(8, 8);
    EagerPlayer p;
    EXPECT_EQ(p.Move(), VORLIX_POINT(7, 7));
    EXPECT_EQ(p.Turn, 1);
}

TEST_F(SamplePlayersTest, EagerNeighboursOfAStoneShareTheChainValue) {
    EagerPlayer p;
    p.Place(7, 7); // black H8
    const double expect = EagerPlayer::Shape(1300.0);
    // Black total of G7 = f(1300) from the one axis through H8 (nothing behind G7).
    EXPECT_NEAR(p.Rays[0][8][6][6], expect, 1e-9);
    EXPECT_NEAR(p.Rays[0][8][8][8], expect, 1e-9);
    EXPECT_NEAR(p.Rays[1][8][6][6], 0.0, 1e-12);
}

TEST_F(SamplePlayersTest, EdgeBlocksTheRayOfAStoneOnColumnA) {
    EagerPlayer p;
    p.Turn = 1;
    p.Place(0, 7); // A8
    // Direction 2 is (+1, 0): the chain starts at (-1170 + 1000) * 1.3 = -221.
    EXPECT_NEAR(p.Rays[0][2][1][7], -221.0, 1e-9);
    EXPECT_LT(p.Rays[0][2][2][7], 0.0);
}

TEST_F(SamplePlayersTest, IncrementalTotalsMatchARecountOverManyPositions) {
    std::mt19937 gen(12345);
    for (int game = 0; game < 40; ++game) {
        EagerPlayer p;
        std::vector<int> cells(225);
        for (int i = 0; i < 225; ++i) cells[i] = i;
        std::shuffle(cells.begin(), cells.end(), gen);
        int stones = 20 + game * 5;
        for (int i = 0; i < stones && i < 225; ++i) {
            p.Place(cells[i] / 15, cells[i] % 15);
            ASSERT_TRUE(p.CheckTotals(1e-9)) << "game " << game << " stone " << i;
        }
    }
}

TEST_F(SamplePlayersTest, EagerRebuildsFromTheHostBoard) {
    Play(8, 8);
    Play(9, 9);
    Play(7, 8);
    EagerPlayer p;
    p.RefreshBoard();
    EXPECT_TRUE(p.Rebuilt);
    EXPECT_EQ(p.Turn, 2);
    EXPECT_EQ(p.Cell(7, 7), 1);
    EXPECT_EQ(p.Cell(8, 8), 2);
    EXPECT_TRUE(p.CheckTotals());
    VorlixPoint m = p.Move(); // takes in no host move after a rebuild
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(VORLIX_POINT_X(m), VORLIX_POINT_Y(m))], 0);
    EXPECT_FALSE(p.Rebuilt);
}

TEST_F(SamplePlayersTest, EagerFollowsAGameAgainstItself) {
    EagerPlayer black, white;
    for (int i = 0; i < 60 && !vorlix::FiveInRow(1) && !vorlix::FiveInRow(2); ++i) {
        EagerPlayer& p = i % 2 == 0 ? black : white;
        VorlixPoint m = p.Move();
        int x = VORLIX_POINT_X(m), y = VORLIX_POINT_Y(m);
        ASSERT_TRUE(vorlix::OnBoard(x, y));
        ASSERT_EQ(vorlix::Tabla[vorlix::CellIndex(x, y)], 0) << "move " << i;
        Play(m);
    }
    EXPECT_TRUE(black.CheckTotals());
    EXPECT_TRUE(white.CheckTotals());
}

TEST_F(SamplePlayersTest, NeighbourPlaysNextToTheLastMove) {
    setenv("VORLIX_PLAYERS_CLOCK", "1000", 1);
    Play(3, 3);
    Play(12, 12);
    demo::NeighbourPlayer p;
    for (int i = 0; i < 20; ++i) {
        VorlixPoint m = p.Move();
        EXPECT_LE(std::abs(VORLIX_POINT_X(m) - 12), 1);
        EXPECT_LE(std::abs(VORLIX_POINT_Y(m) - 12), 1);
        EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(VORLIX_POINT_X(m), VORLIX_POINT_Y(m))], 0);
    }
}

TEST_F(SamplePlayersTest, NeighbourFallsBackToRandomWhenSurrounded) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx || dy) Play(8 + dx, 8 + dy);
    Play(8, 8); // last move, all eight neighbours taken
    demo::NeighbourPlayer p;
    VorlixPoint m = p.Move();
    int x = VORLIX_POINT_X(m), y = VORLIX_POINT_Y(m);
    ASSERT_TRUE(vorlix::OnBoard(x, y));
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(x, y)], 0);
}

TEST_F(SamplePlayersTest, RandomReturnsNoMoveOnAFullBoard) {
    for (int c = 1; c <= vorlix::kCells; ++c) vorlix::Tabla[c] = 1;
    demo::RandomPlayer p;
    EXPECT_EQ(p.Move(), 0u);
}

// The built library, through its exports.
TEST_F(SamplePlayersTest, LibraryListsAndCreatesItsPlayers) {
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    auto module = platform::LoadModule(std::string(bin) + "/Players/players.so");
    ASSERT_NE(module, nullptr);
    auto name = reinterpret_cast<VorlixPlayerNameFn>(platform::FindSymbol(module, "PlayerName"));
    auto create =
        reinterpret_cast<VorlixCreatePlayerFn>(platform::FindSymbol(module, "CreatePlayer"));
    auto del = reinterpret_cast<VorlixDeletePlayerFn>(platform::FindSymbol(module, "DeletePlayer"));
    auto init = reinterpret_cast<VorlixInitDLLFn>(platform::FindSymbol(module, "InitDLL"));
    auto move = reinterpret_cast<VorlixMoveFn>(platform::FindSymbol(module, "Move"));
    auto dllName = reinterpret_cast<VorlixDllNameFn>(platform::FindSymbol(module, "DllName"));
    ASSERT_TRUE(name && create && del && init && move && dllName);
    EXPECT_EQ(name(0), nullptr);
    EXPECT_STREQ(name(1), "Neighbour");
    EXPECT_STREQ(name(2), "Random");
    EXPECT_STREQ(name(3), "Eager");
    EXPECT_EQ(name(4), nullptr);
    EXPECT_STREQ(dllName(), "Demo Dll");
    init("");
    for (const char* n : {"eager", "EAGER", "Random", "nEIGHBOUR"}) {
        VorlixHandle h = create(n);
        EXPECT_NE(h, 0) << n;
        if (std::string(n) == "eager") {
            EXPECT_EQ(move(h), VORLIX_POINT(8, 8));
        }
        del(h);
    }
    EXPECT_EQ(create("Eagerly"), 0);
    EXPECT_EQ(create(""), 0);
}

TEST_F(SamplePlayersTest, AnUnboundHostGetsNoPlayers) {
    // CreatePlayer makes no player unless all four host functions the players call
    // were found.
    EXPECT_TRUE(plugin::HostBound());
    plugin::TheHost().Game = nullptr;
    EXPECT_FALSE(plugin::HostBound());
}

} // namespace
