// The line patterns the search keeps incrementally, against fresh walks of the
// board; the search that reads them, against the search that walks every line; and
// the move sort that keeps only the searched places, against the whole sort.

#include "kelvor/engine.h"
#include "kelvor/kelvor_doc.h"
#include "kelvor/move_sort.h"
#include "kelvor/pattern_tables.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace kelvor;

std::string Describe(const CellValue& v) {
    std::string s = std::to_string(v.value) + "/" + std::to_string(v.own) + "/" +
                    std::to_string(v.opp) + (v.five ? " five" : "");
    for (int d = 0; d < 4; ++d)
        s += " " + std::to_string(v.ownRecord[d]) + ":" + std::to_string(v.oppRecord[d]);
    return s;
}

// variant, exact five, board size
using PatternCase = std::tuple<int, bool, int>;

struct KeptPatterns : ::testing::TestWithParam<PatternCase> {
    PatternTables tables;
    std::unique_ptr<CKelvorEngine> e;
    void SetUp() override {
        ASSERT_TRUE(LoadPatternTables(KELVOR_DATA_DIR, tables));
        e = std::make_unique<CKelvorEngine>(&tables, 5);
        std::tie(e->Variant, e->ExactFive, e->BoardSize) = GetParam();
    }
    // Every free cell, for either side to move, valued the same both ways.
    void ExpectKeptEqualsFresh(const std::string& where) {
        ASSERT_EQ(e->LinePatternMismatch(), "") << where;
        for (int colour = kBlack; colour <= kWhite; ++colour) {
            e->ToMove = colour;
            for (int x = 0; x < e->BoardSize; ++x)
                for (int y = 0; y < e->BoardSize; ++y)
                    if (IsFree(e->Board[x][y])) {
                        ASSERT_EQ(Describe(e->EvaluateKept(x, y)), Describe(e->EvaluateCell(x, y)))
                            << where << " at " << CellText(x, y) << " colour " << colour;
                    }
        }
    }
};

// Random stones dense enough for fours, fives and overlines of both colours, put and
// lifted in random order: after every step the kept patterns are those of the board.
TEST_P(KeptPatterns, EqualFreshWalksWhileStonesArePutAndLifted) {
    const int n = e->BoardSize;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        for (auto& row : e->Board) row.fill(kEmpty);
        const int start = static_cast<int>(rng() % 40);
        for (int i = 0; i < start; ++i) {
            const int x = static_cast<int>(rng() % n), y = static_cast<int>(rng() % n);
            e->Board[x][y] = 1 + static_cast<int>(rng() % 2);
        }
        e->SyncLinePatterns();
        ExpectKeptEqualsFresh("seed " + std::to_string(seed) + " start");
        int put = 0;
        for (int step = 0; step < 40; ++step) {
            if (put > 0 && rng() % 3 == 0) {
                e->LiftStone();
                --put;
            } else {
                const int x = static_cast<int>(rng() % n), y = static_cast<int>(rng() % n);
                if (!IsFree(e->Board[x][y])) continue;
                e->PutStone(x, y, 1 + static_cast<int>(rng() % 2));
                ++put;
            }
            ExpectKeptEqualsFresh("seed " + std::to_string(seed) + " step " + std::to_string(step));
        }
        while (put-- > 0) e->LiftStone();
        ExpectKeptEqualsFresh("seed " + std::to_string(seed) + " all lifted");
    }
}

INSTANTIATE_TEST_SUITE_P(VariantsAndSizes, KeptPatterns,
                         ::testing::Values(PatternCase{0, false, 15}, PatternCase{1, false, 15},
                                           PatternCase{1, true, 15}, PatternCase{0, false, 13},
                                           PatternCase{1, false, 19}));

// Tables that read farther along a line than the remembered windows reach are walked
// afresh every time: the kept patterns still follow the board.
TEST(KeptPatternsBeyondTheWindows, FollowTheBoard) {
    PatternTables tables;
    ASSERT_TRUE(LoadPatternTables(KELVOR_DATA_DIR, tables));
    // The start state reads one cell farther out, on the far side of the line.
    tables.automaton[0] = kWindowReach + 1;
    CKelvorEngine e(&tables, 5);
    e.Variant = 0;
    std::mt19937 rng(3);
    for (int i = 0; i < 30; ++i) e.Board[rng() % 15][rng() % 15] = 1 + static_cast<int>(rng() % 2);
    e.SyncLinePatterns();
    for (int step = 0; step < 60; ++step) {
        const int x = static_cast<int>(rng() % 15), y = static_cast<int>(rng() % 15);
        if (!IsFree(e.Board[x][y])) continue;
        e.PutStone(x, y, 1 + static_cast<int>(rng() % 2));
        if (step % 4 == 3) e.LiftStone();
        ASSERT_EQ(e.LinePatternMismatch(), "") << "step " << step;
        for (int cx = 0; cx < 15; ++cx)
            for (int cy = 0; cy < 15; ++cy)
                if (IsFree(e.Board[cx][cy])) {
                    ASSERT_EQ(Describe(e.EvaluateKept(cx, cy)), Describe(e.EvaluateCell(cx, cy)))
                        << "step " << step << " at " << CellText(cx, cy);
                }
    }
}

// variant, board size, level
using SearchCase = std::tuple<int, int, int>;

struct SameSearch : ::testing::TestWithParam<SearchCase> {};

// Random games: at every move, the search on kept patterns chooses the same cell with
// the same value after the same number of nodes as the search that walks every line.
TEST_P(SameSearch, AsWithFreshWalksOverRandomGames) {
    const auto [variant, size, level] = GetParam();
    for (unsigned seed = 1; seed <= 2; ++seed) {
        CKelvorDoc game(KELVOR_DATA_DIR, seed);
        ASSERT_TRUE(game.TablesLoaded());
        game.Variant = variant;
        game.OpeningBook = false;
        game.MaxSeconds = 0;
        game.SetBoardSize(size);
        std::mt19937 rng(seed);
        for (int move = 0; move < 16 && game.GameState != kGameOver; ++move) {
            ThinkResult r[2];
            for (int fresh = 0; fresh < 2; ++fresh) {
                CKelvorDoc doc(KELVOR_DATA_DIR, 100 + seed);
                doc.Variant = variant;
                doc.OpeningBook = false;
                doc.MaxSeconds = 0;
                doc.SetBoardSize(size);
                for (int cell : game.Record) doc.MakeMove(cell % size, cell / size);
                doc.PlayerLevel = {level, level};
                doc.Engine().IncrementalPatterns = fresh == 0;
                r[fresh] = doc.Think();
            }
            const std::string where =
                "seed " + std::to_string(seed) + " move " + std::to_string(move + 1);
            ASSERT_EQ(r[0].x, r[1].x) << where;
            ASSERT_EQ(r[0].y, r[1].y) << where;
            ASSERT_EQ(r[0].value, r[1].value) << where;
            ASSERT_EQ(r[0].nodes, r[1].nodes) << where;
            if (r[0].x < 0) break;
            // Random moves now and then keep the games apart from each other.
            int x = r[0].x, y = r[0].y;
            if (rng() % 3 == 0)
                for (int tries = 0; tries < 50; ++tries) {
                    const int cx = static_cast<int>(rng() % size),
                              cy = static_cast<int>(rng() % size);
                    if (game.Board[cx][cy] == kCandidate &&
                        !(variant == 0 && game.ToMove == kBlack && !game.IsLegal(cx, cy))) {
                        x = cx;
                        y = cy;
                        break;
                    }
                }
            game.MakeMove(x, y);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, SameSearch,
                         ::testing::Values(SearchCase{0, 15, 3}, SearchCase{0, 15, 6},
                                           SearchCase{1, 15, 4}, SearchCase{1, 15, 7},
                                           SearchCase{1, 19, 5}, SearchCase{0, 13, 7}));

// The whole sort, as the frame of the move list gives it.
void ShellSortDescending(std::vector<std::pair<int, int>>& v) {
    int n = static_cast<int>(v.size()), h = 1;
    while (h < n / 3) h = 3 * h + 1;
    for (; h >= 1; h /= 3)
        for (int i = h; i < n; ++i) {
            auto t = v[static_cast<size_t>(i)];
            int j = i;
            for (; j >= h && v[static_cast<size_t>(j - h)].first < t.first; j -= h)
                v[static_cast<size_t>(j)] = v[static_cast<size_t>(j - h)];
            v[static_cast<size_t>(j)] = t;
        }
}

// Many equal values, negative ones, up to a full 19 x 19 board: the kept places hold the
// same moves in the same order.
TEST(MoveSort, TopPlacesAreTheWholeSortsPlaceForPlace) {
    std::mt19937 rng(11);
    for (int round = 0; round < 2000; ++round) {
        const size_t n = rng() % 362;
        std::vector<std::pair<int, int>> v(n);
        // Mostly few distinct values; now and then the range of real move values.
        const int spread = round % 10 == 0 ? 800000 : 1 + static_cast<int>(rng() % 20);
        for (size_t i = 0; i < n; ++i)
            v[i] = {static_cast<int>(rng() % static_cast<unsigned>(spread)) - spread / 2,
                    static_cast<int>(i)};
        auto whole = v;
        ShellSortDescending(whole);
        const size_t top = rng() % 30;
        std::vector<int> values, order, wholeOrder;
        for (const auto& e : v) values.push_back(e.first);
        ShellSortTop(values, top, order);
        for (size_t i = 0; i < std::min(top, n); ++i) wholeOrder.push_back(whole[i].second);
        ASSERT_EQ(order, wholeOrder) << "round " << round << " n " << n << " top " << top;
    }
}

} // namespace
