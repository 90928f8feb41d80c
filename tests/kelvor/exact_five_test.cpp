// Gomoku with exactly five: an overline is no win and a completion that would make six
// is no four, for both colours; five or more (the default) wins with an overline.

#include "kelvor/engine.h"
#include "kelvor/kelvor_doc.h"
#include "kelvor/pattern_tables.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace kelvor;

struct ExactFiveCase {
    const char* name;
    bool exactFive;
    int colour;         // the side that plays the cell
    const char* stones; // its stones; the cell is H8
    bool wins;
};

std::ostream& operator<<(std::ostream& os, const ExactFiveCase& c) {
    return os << c.name;
}

class ExactFive : public ::testing::TestWithParam<ExactFiveCase> {};

// The evaluator's win, and the document's end of the game, agree for each row.
TEST_P(ExactFive, FiveAndOverline) {
    const ExactFiveCase& c = GetParam();
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    ASSERT_TRUE(doc.TablesLoaded());
    doc.OpeningBook = false;
    doc.ExactFive = c.exactFive;
    doc.NewGame();
    // The other side's stones go far away in a pattern that makes nothing.
    const char* far[] = {"A1", "C1", "E1", "A3", "C3", "E3", "A5", "C5"};
    std::istringstream in(c.stones);
    int n = 0;
    for (std::string t; in >> t; ++n) {
        auto cell = ParseCell(t, 15);
        auto other = ParseCell(far[n], 15);
        ASSERT_TRUE(cell && other) << t;
        if (c.colour == kWhite) doc.MakeMove(other->first, other->second);
        doc.MakeMove(cell->first, cell->second);
        if (c.colour == kBlack) doc.MakeMove(other->first, other->second);
    }
    if (c.colour == kWhite) { // black moves once more: white is to move
        auto last = ParseCell(far[n], 15);
        doc.MakeMove(last->first, last->second);
    }
    ASSERT_EQ(doc.ToMove, c.colour);
    ASSERT_NE(doc.GameState, kGameOver);
    CKelvorEngine& e = doc.Engine();
    e.Board = doc.Board;
    e.Variant = 1;
    e.ExactFive = c.exactFive;
    e.ToMove = c.colour;
    EXPECT_EQ(e.EvaluateCell(7, 7).Wins(), c.wins);
    doc.MakeMove(7, 7);
    EXPECT_EQ(doc.Winner, c.wins ? c.colour : 0);
    EXPECT_EQ(doc.GameState == kGameOver, c.wins);
}

const ExactFiveCase kCases[] = {
    {"five_or_more_five", false, kBlack, "D8 E8 F8 G8", true},
    {"five_or_more_overline", false, kBlack, "D8 E8 F8 G8 J8", true},
    {"exact_five", true, kBlack, "D8 E8 F8 G8", true},
    {"exact_five_white", true, kWhite, "H4 H5 H6 H7", true},
    {"exact_overline_black", true, kBlack, "D8 E8 F8 G8 J8", false},
    {"exact_overline_white_split", true, kWhite, "H5 H6 H7 H9 H10 H11", false},
    {"exact_overline_diagonal", true, kWhite, "E5 F6 G7 J9 K10", false},
    {"exact_five_beside_a_gap", true, kBlack, "D8 E8 F8 G8 K8", true},
};

INSTANTIATE_TEST_SUITE_P(Gomoku, ExactFive, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

// With exactly five the only way to "five" here is an overline: the search must not
// take it for a win, and must block white's real four instead.
TEST(ExactFiveSearch, AnOverlineIsNoWinForTheSearch) {
    testing_support::RecordingBoxes boxes;
    PatternTables tables;
    ASSERT_TRUE(LoadPatternTables(KELVOR_DATA_DIR, tables));
    for (bool exact : {false, true}) {
        CKelvorEngine e(&tables, 5);
        e.Variant = 1;
        e.ExactFive = exact;
        auto put = [&](int x, int y, int c) {
            e.Board[x][y] = c;
            e.MarkCandidates(x, y);
        };
        // Black: D8 E8 F8 _ H8 J8 (G8 makes six). White: a four on column 12, B..E.
        for (int x : {3, 4, 5, 7, 8}) put(x, 7, kBlack);
        for (int y : {1, 2, 3, 4}) put(12, y, kWhite);
        put(0, 14, kWhite);
        e.ToMove = kBlack;
        e.Level = 2;
        ThinkResult r = e.Think({});
        if (exact) {
            EXPECT_LT(r.value, kRootWin) << "the overline was taken for a five";
            EXPECT_EQ(r.x, 12);
            EXPECT_TRUE(r.y == 0 || r.y == 5) << r.y;
        } else {
            EXPECT_EQ(r.value, kRootWin);
            EXPECT_EQ(r.x, 6);
            EXPECT_EQ(r.y, 7);
        }
    }
}

} // namespace
