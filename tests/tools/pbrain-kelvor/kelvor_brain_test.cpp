// KelvorBrain in this process: renju games in which black never plays a forbidden
// move, and the levels searched within a time limit.

#include "tools/pbrain-kelvor/kelvor_brain.h"

#include "kelvor/kelvor_doc.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using pbrain::KelvorBrain;

std::string Reply(KelvorBrain& b, const std::string& line) {
    const auto r = b.Handle(line);
    return r.empty() ? "(none)" : r.back();
}

// Two engines play renju on each board size; a referee document checks every black
// move before it is made.
TEST(KelvorBrain, RenjuBlackNeverPlaysAForbiddenMove) {
    testing_support::RecordingBoxes quiet;
    int forbiddenCells = 0; // free cells black could not play, over all its moves
    // The games follow the opening books; more seeds are played until one of them
    // meets a forbidden cell.
    for (uint32_t seed = 3; seed < 30 && forbiddenCells == 0; seed += 10)
        for (int size : {13, 15, 17, 19}) {
            KelvorBrain black(KELVOR_DATA_DIR, seed, 3), white(KELVOR_DATA_DIR, seed + 1, 2);
            ASSERT_TRUE(black.TablesLoaded());
            kelvor::CKelvorDoc referee(KELVOR_DATA_DIR, 1);
            referee.Variant = 0;
            referee.OpeningBook = false;
            referee.SetBoardSize(size);
            for (KelvorBrain* b : {&black, &white}) {
                ASSERT_EQ(Reply(*b, "START " + std::to_string(size)), "OK");
                EXPECT_TRUE(b->Handle("INFO rule 4").empty());
            }
            std::string move = Reply(black, "BEGIN");
            for (int n = 1; n <= 120 && referee.GameState != kelvor::kGameOver; ++n) {
                int x = -1, y = -1;
                ASSERT_EQ(std::sscanf(move.c_str(), "%d,%d", &x, &y), 2) << move;
                ASSERT_TRUE(kelvor::OnBoard(size, x, y) && kelvor::IsFree(referee.Board[x][y]))
                    << move;
                if (referee.ToMove == kelvor::kBlack) {
                    ASSERT_TRUE(referee.IsLegal(x, y)) << "move " << n << ": " << move;
                    for (int cx = 0; cx < size; ++cx)
                        for (int cy = 0; cy < size; ++cy)
                            forbiddenCells +=
                                kelvor::IsFree(referee.Board[cx][cy]) && !referee.IsLegal(cx, cy);
                }
                referee.MakeMove(x, y);
                if (referee.GameState == kelvor::kGameOver) break;
                move = Reply(referee.ToMove == kelvor::kBlack ? black : white, "TURN " + move);
            }
        }
    // The games did offer black forbidden cells (the small boards' games offer none:
    // the larger ones are there for that).
    EXPECT_GT(forbiddenCells, 0);
}

// With a time limit the levels are searched in turn: no time at all gives level 1's
// answer; without a limit the level itself is searched.
TEST(KelvorBrain, TheTimeLimitChoosesTheLevelsSearched) {
    testing_support::RecordingBoxes quiet;
    KelvorBrain b(KELVOR_DATA_DIR, 1, 6);
    ASSERT_TRUE(b.TablesLoaded());
    const std::vector<std::string> position = {"BOARD", "3,3,2", "10,4,1", "5,11,2", "12,12,1",
                                               "7,7,2", "8,9,1", "6,5,2",  "DONE"};
    auto answer = [&] {
        std::string reply;
        for (const auto& l : position) {
            const auto r = b.Handle(l);
            if (!r.empty()) reply = r.back();
        }
        return reply;
    };
    ASSERT_EQ(Reply(b, "START 15"), "OK");
    EXPECT_NE(answer(), "");
    EXPECT_EQ(b.LastLevel(), 6);
    EXPECT_TRUE(b.Handle("INFO timeout_turn 0").empty());
    EXPECT_NE(answer(), "");
    EXPECT_EQ(b.LastLevel(), 1);
    // A game clock with nothing left is no time either.
    EXPECT_TRUE(b.Handle("INFO timeout_turn 100000").empty());
    EXPECT_TRUE(b.Handle("INFO timeout_match 100000").empty());
    EXPECT_TRUE(b.Handle("INFO time_left 0").empty());
    EXPECT_NE(answer(), "");
    EXPECT_EQ(b.LastLevel(), 1);
    // After END from another thread nothing is searched or answered.
    b.StopNow();
    EXPECT_EQ(answer(), "");
}

} // namespace
