// The evaluator's cell values and the search's answers on small positions.

#include "kelvor/engine.h"
#include "kelvor/kelvor_doc.h"
#include "kelvor/pattern_tables.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace kelvor;

struct EngineFixture : ::testing::Test {
    PatternTables tables;
    std::unique_ptr<CKelvorEngine> e;
    EngineFixture() {
        EXPECT_TRUE(LoadPatternTables(KELVOR_DATA_DIR, tables));
        e = std::make_unique<CKelvorEngine>(&tables, 7);
    }
    void Put(int x, int y, int c) {
        e->Board[x][y] = c;
        e->MarkCandidates(x, y);
    }
};

TEST_F(EngineFixture, OwnFiveIsAWinAndTheOpponentsIsADefence) {
    for (int x = 3; x < 7; ++x) Put(x, 7, kBlack);
    e->ToMove = kBlack;
    CellValue mine = e->EvaluateCell(7, 7);
    EXPECT_TRUE(mine.Wins());
    e->ToMove = kWhite;
    CellValue block = e->EvaluateCell(7, 7);
    EXPECT_FALSE(block.Wins());
    EXPECT_LT(block.opp, -1150);
    EXPECT_GT(block.value, 4 * 1150);
}

TEST_F(EngineFixture, EmptyNeighbourhoodHasNoThreat) {
    Put(7, 7, kBlack);
    e->ToMove = kWhite;
    CellValue v = e->EvaluateCell(12, 12);
    EXPECT_EQ(v.opp, 0);
}

TEST_F(EngineFixture, DepthTablesAreResetByThink) {
    Put(7, 7, kBlack);
    Put(8, 8, kWhite);
    e->ToMove = kBlack;
    e->Level = 3;
    e->Think({7 + 7 * 15, 8 + 8 * 15});
    const int t1[13] = {0, 1, 3, 5, 7, 8, 8, 10, 12, 13, 14, 15, 16};
    const int t2[13] = {0, 1, 5, 7, 8, 10, 12, 14, 16, 17, 17, 18, 18};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(e->T1[i], t1[i]);
        EXPECT_EQ(e->T2[i], t2[i]);
    }
}

TEST_F(EngineFixture, VctSearchFindsTheWinningFour) {
    // Black: an open three and a three in another line; a level-3 search with the
    // forcing extension must find a winning continuation (value above 9999).
    Put(7, 7, kBlack);
    Put(8, 7, kBlack);
    Put(9, 7, kBlack);
    Put(0, 0, kWhite);
    Put(0, 14, kWhite);
    Put(14, 0, kWhite);
    e->ToMove = kBlack;
    e->Level = 3;
    e->VctSearch = true;
    ThinkResult r = e->Think({});
    EXPECT_GT(r.value, 9999);
    EXPECT_EQ(r.y, 7);
    EXPECT_TRUE(r.x == 6 || r.x == 10) << r.x;
}

TEST_F(EngineFixture, BookMoveIsPlayedWhenFree) {
    Put(7, 7, kBlack);
    e->ToMove = kWhite;
    e->BookMove = std::make_pair(8, 8);
    ThinkResult r = e->Think({112});
    EXPECT_TRUE(r.fromBook);
    EXPECT_EQ(r.x, 8);
    e->BookMove = std::make_pair(7, 7); // taken: search instead
    r = e->Think({112});
    EXPECT_FALSE(r.fromBook);
}

} // namespace

// Every search leaves the board as it found it (checked inside Think in debug builds,
// and here in every build), over many self-play positions.
TEST(EngineBoard, SearchLeavesTheBoardAsItFoundIt) {
    testing_support::RecordingBoxes quiet;
    for (int variant : {0, 1}) {
        kelvor::CKelvorDoc doc(KELVOR_DATA_DIR, 21 + variant);
        doc.OpeningBook = false;
        doc.Variant = variant;
        doc.NewGame();
        doc.PlayerLevel = {3, 2};
        for (int i = 0; i < 24 && doc.GameState != kelvor::kGameOver; ++i) {
            auto before = doc.Board;
            kelvor::ThinkResult r = doc.Think();
            ASSERT_EQ(doc.Engine().Board, before);
            ASSERT_GE(r.x, 0);
            doc.MakeMove(r.x, r.y);
        }
    }
}

// A forcing line of five plies in gomoku: F6 makes a four (C6-F6) and a three (F4-F6);
// after white's block black makes a straight four at ply 3 and five at ply 5 (or F3
// first, then F6 as two fours). Black has no five within three plies: levels 3 and 4
// without the forcing search see no win. A level-2 search with it reaches the five only
// when each forcing move carries the depth limit on to the next ply; restarting the
// limit from the level at every ply stopped every line at ply 3.
TEST(EngineVct, ForcingLineExtendsSeveralPlies) {
    testing_support::RecordingBoxes quiet;
    auto think = [](int level, bool vct) {
        kelvor::CKelvorDoc doc(KELVOR_DATA_DIR, 3);
        doc.OpeningBook = false;
        doc.Variant = 1;
        doc.NewGame();
        for (const char* m : {"C3", "B3", "D3", "F2", "E3", "B6", "F4", "A15", "F5", "O15", "C6",
                              "O1", "D6", "O10", "E6", "H15"}) {
            auto c = kelvor::ParseCell(m, 15);
            doc.MakeMove(c->first, c->second);
        }
        doc.VctSearch = vct;
        doc.PlayerLevel = {level, 0};
        return doc.Think();
    };
    EXPECT_LT(think(3, false).value, kelvor::kWinThreshold);
    EXPECT_LT(think(4, false).value, kelvor::kWinThreshold);
    const kelvor::ThinkResult r = think(2, true);
    EXPECT_EQ(r.value, kelvor::kWinValue - 5);
    EXPECT_GE(r.deepest, 4);
}

// --- the search's values, from the side to move at the root, at every level ---

static kelvor::ThinkResult ThinkAt(int variant, const std::vector<const char*>& moves, int level) {
    kelvor::CKelvorDoc doc(KELVOR_DATA_DIR, 4);
    doc.OpeningBook = false;
    doc.Variant = variant;
    doc.NewGame();
    for (const char* m : moves) {
        auto c = kelvor::ParseCell(m, 15);
        doc.MakeMove(c->first, c->second);
    }
    doc.PlayerLevel = {level, level};
    return doc.Think();
}

// Black's two stones in the middle against white's two in the corners: black to move is
// better, white to move (after a third black stone) worse, at every level alike (levels
// 1 to 8 here, four of each parity; the deeper ones take seconds on this open board). Leaf
// values that weighed the last mover's whole sum four times gave +9999 and -9999 in
// turn with the parity of the level.
TEST(EngineValues, QuietPositionKeepsItsSignAtEveryLevel) {
    testing_support::RecordingBoxes quiet;
    for (int variant : {0, 1})
        for (int level = 1; level <= 8; ++level) {
            const int better = ThinkAt(variant, {"H8", "A1", "J9", "A15"}, level).value;
            EXPECT_GT(better, 0) << "variant " << variant << " level " << level;
            if (level < 3) continue; // a level-2 line ends before black answers twice
            const int worse = ThinkAt(variant, {"H8", "A1", "J9", "A15", "K8"}, level).value;
            EXPECT_LT(worse, 0) << "variant " << variant << " level " << level;
        }
}

// Black's open three H8-K8 with nothing of white's near: black to move wins in three
// plies, white to move after black's open four loses in two; from level 3 (the win) and
// level 2 (the loss) on, at odd and even levels, the values are the win and the loss.
TEST(EngineValues, ForcedWinAndLossAreNearTheWinValueAtEveryLevel) {
    testing_support::RecordingBoxes quiet;
    const std::vector<const char*> three = {"H8", "A1", "J8", "A15", "K8", "O1"};
    std::vector<const char*> four = three;
    four.insert(four.end(), {"L8"});
    for (int variant : {0, 1})
        for (int level = 2; level <= 8; ++level) {
            if (level >= 3) {
                EXPECT_EQ(ThinkAt(variant, three, level).value, kelvor::kWinValue - 3)
                    << "variant " << variant << " level " << level;
            }
            EXPECT_EQ(ThinkAt(variant, four, level).value, -(kelvor::kWinValue - 2))
                << "variant " << variant << " level " << level;
        }
}

// White's only move is the block of black's four; black's open three then wins. The
// single move is searched like any other: its value is the loss, not the block's cell
// value (above 4 x 1150), which a one-move shortcut reported.
TEST(EngineValues, SingleForcedMoveCarriesTheSearchValue) {
    testing_support::RecordingBoxes quiet;
    const std::vector<const char*> moves = {"H8", "G8",  "J8",  "A1",  "K8", "A15", "H10",
                                            "O1", "J10", "O15", "K10", "B2", "L8"};
    for (int level : {4, 5, 6}) {
        const kelvor::ThinkResult r = ThinkAt(1, moves, level);
        EXPECT_EQ(kelvor::CellText(r.x, r.y), "M8");
        EXPECT_EQ(r.value, -(kelvor::kWinValue - 4)) << "level " << level;
    }
}
