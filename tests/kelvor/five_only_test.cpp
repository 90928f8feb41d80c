// Only a five wins: the game ends on a real five and never on a sum of other
// patterns, and a renju black computer never answers with a forbidden cell, however
// much the cell is worth.

#include "kelvor/kelvor_doc.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using namespace kelvor;

// Puts stones straight on the board, without the rules and the five test.
void Place(CKelvorDoc& doc, const char* cells, int colour) {
    std::istringstream in(cells);
    for (std::string t; in >> t;) {
        auto c = ParseCell(t, doc.BoardSize);
        ASSERT_TRUE(c) << t;
        doc.Board[c->first][c->second] = colour;
        doc.Record.push_back(c->first + c->second * doc.BoardSize);
    }
}

struct EndCase {
    const char* name;
    int variant;
    const char* black;
    const char* white;
    int mover;
    const char* move;
    bool wins;
};
std::ostream& operator<<(std::ostream& os, const EndCase& c) {
    return os << c.name;
}

class GameEnd : public ::testing::TestWithParam<EndCase> {};

// The move is made as the computer's moves are made (no legality test): the game ends
// exactly when it makes a five of the mover's.
TEST_P(GameEnd, OnlyARealFiveEndsTheGame) {
    const EndCase& c = GetParam();
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    doc.OpeningBook = false;
    doc.Variant = c.variant;
    doc.NewGame();
    Place(doc, c.black, kBlack);
    Place(doc, c.white, kWhite);
    doc.MoveNo = static_cast<int>(doc.Record.size()) + 1;
    doc.ToMove = c.mover;
    auto cell = ParseCell(c.move, 15);
    ASSERT_TRUE(cell);
    doc.MakeMove(cell->first, cell->second);
    EXPECT_EQ(doc.GameState == kGameOver, c.wins);
    EXPECT_EQ(doc.Winner, c.wins ? c.mover : 0);
    if (c.wins) {
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Player " + std::to_string(c.mover) + " won");
    } else {
        EXPECT_TRUE(boxes.shown.empty());
    }
}

// Columns A..O without I, row 1 at the bottom.
const EndCase kEnds[] = {
    // Two straight fours score as much as a five: no five is on the board.
    {"gomoku_two_straight_fours", 1, "G8 H8 J8 K9 K10 K11", "A1 A3 A5 A7 A9 A11", kBlack, "K8",
     false},
    {"gomoku_white_two_straight_fours", 1, "A1 A3 A5 A7 A9 A11 O15", "G8 H8 J8 K9 K10 K11", kWhite,
     "K8", false},
    {"gomoku_double_four_one_line", 1, "E8 G8 J8 L8", "A1 A3 A5 A7", kBlack, "H8", false},
    {"gomoku_four_three", 1, "F8 G8 J8 H6 H7", "A1 A3 A5 A7 A9", kBlack, "H8", false},
    {"gomoku_straight_four_and_closed_fours", 1, "F8 G8 J8 H5 H6 H7 J9 K10", "E8 H4 A1 A3 A5 A7",
     kBlack, "H8", false},
    {"gomoku_five", 1, "D8 E8 F8 G8", "A1 A3 A5 A7", kBlack, "H8", true},
    {"gomoku_overline_wins", 1, "E8 F8 G8 J8 K8", "A1 A3 A5 A7 A9", kBlack, "H8", true},
    {"gomoku_white_five_diagonal", 1, "A1 A3 A5 A7 O15", "D4 E5 F6 G7", kWhite, "H8", true},
    {"renju_black_two_straight_fours", 0, "G8 H8 J8 K9 K10 K11", "A1 A3 A5 A7 A9 A11", kBlack, "K8",
     false},
    {"renju_black_double_four_one_line", 0, "E8 G8 J8 L8", "A1 A3 A5 A7", kBlack, "H8", false},
    {"renju_black_four_three", 0, "F8 G8 J8 H6 H7", "A1 A3 A5 A7 A9", kBlack, "H8", false},
    {"renju_black_overline", 0, "E8 F8 G8 J8 K8", "A1 A3 A5 A7 A9", kBlack, "H8", false},
    {"renju_black_five_with_double_four", 0, "D8 E8 F8 G8 H5 H6 H7 J9 K10 L11",
     "H4 M12 A1 A3 A5 A7 A9 A11 A13 O1", kBlack, "H8", true},
    {"renju_white_two_straight_fours", 0, "A1 A3 A5 A7 A9 A11 O15", "G8 H8 J8 K9 K10 K11", kWhite,
     "K8", false},
    {"renju_white_overline_wins", 0, "A1 A3 A5 A7 A9 O15", "E8 F8 G8 J8 K8", kWhite, "H8", true},
    {"renju_white_five", 0, "A1 A3 A5 A7 O15", "D8 E8 F8 G8", kWhite, "H8", true},
};

INSTANTIATE_TEST_SUITE_P(Positions, GameEnd, ::testing::ValuesIn(kEnds),
                         [](const auto& p) { return std::string(p.param.name); });

// --- renju black's answers ---

struct AnswerCase {
    const char* name;
    const char* moves; // played in order from an empty board
};
std::ostream& operator<<(std::ostream& os, const AnswerCase& c) {
    return os << c.name;
}

CKelvorDoc& Replayed(CKelvorDoc& doc, const char* moves) {
    doc.OpeningBook = false;
    doc.Variant = 0;
    doc.NewGame();
    std::istringstream in(moves);
    for (std::string t; in >> t;) {
        auto c = ParseCell(t, doc.BoardSize);
        EXPECT_TRUE(c) << t;
        if (c) doc.MakeMove(c->first, c->second);
    }
    EXPECT_NE(doc.GameState, kGameOver);
    EXPECT_EQ(doc.ToMove, kBlack);
    return doc;
}

class RenjuBlackAnswer : public ::testing::TestWithParam<std::tuple<AnswerCase, int>> {};

// Each position has a forbidden cell that the evaluator values highly (as an attack or
// as the only block): the answer must be another cell, at every level.
TEST_P(RenjuBlackAnswer, IsNeverForbidden) {
    const auto& [c, level] = GetParam();
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 5);
    Replayed(doc, c.moves);
    doc.PlayerLevel = {level, 0};
    const ThinkResult r = doc.Think();
    ASSERT_GE(r.x, 0);
    EXPECT_TRUE(IsFree(doc.Board[r.x][r.y]));
    EXPECT_TRUE(doc.IsLegal(r.x, r.y)) << CellText(r.x, r.y) << " is forbidden";
}

const AnswerCase kAnswers[] = {
    // K8 makes two straight fours (G8-K8 and K8-K11).
    {"double_straight_four", "G8 A1 H8 A3 J8 A5 K9 A7 K10 A9 K11 A11"},
    // The same, with E8 and K13 white: K8 is black's only way to a straight four.
    {"double_straight_four_only_maker",
     "G8 E8 H8 K13 J8 A15 K9 O15 K10 O1 K11 A11 C3 B2 D4 O11 E5 H1"},
    // H8 is a four-four on one line (E8 . G8 H8 J8 . L8) and white's five-cell of a
    // four on column H.
    {"four_four_one_line_on_the_block", "E8 H9 G8 H10 J8 H11 L8 H12 A1 O15"},
    // H8 is a double three (F8 G8, H6 H7) and one end of white's straight four on the
    // diagonal J9-M12.
    {"double_three_on_the_block", "F8 J9 G8 K10 H6 L11 H7 M12 A1 O1"},
    // H8 is a double three, and nothing else is urgent.
    {"double_three_quiet", "F8 A1 G8 A15 H6 O1 H7 O15"},
    // H8 makes a four and two threes (four-three-three is forbidden by the threes).
    {"four_three_three", "F8 A1 G8 A3 J8 A5 H6 A7 H7 A9 G9 A11 F10 A13"},
};

INSTANTIATE_TEST_SUITE_P(Positions, RenjuBlackAnswer,
                         ::testing::Combine(::testing::ValuesIn(kAnswers),
                                            ::testing::Values(1, 2, 4, 6, 8)),
                         [](const auto& p) {
                             return std::string(std::get<0>(p.param).name) + "_level" +
                                    std::to_string(std::get<1>(p.param));
                         });

// The position of the report: `think --variant renju --level 4` answered K8, a forbidden
// double four, and the game called it a win. Every level must answer another cell, and
// the answer must not end the game (black has no four on the board).
TEST(RenjuBlackAnswerK8, EveryLevelAnswersALegalCellThatIsNoWin) {
    testing_support::RecordingBoxes boxes;
    for (int level = 1; level <= 12; ++level) {
        CKelvorDoc doc(KELVOR_DATA_DIR, 1);
        Replayed(doc, kAnswers[0].moves);
        doc.PlayerLevel = {level, 0};
        const ThinkResult r = doc.Think();
        ASSERT_GE(r.x, 0) << "level " << level;
        EXPECT_NE(CellText(r.x, r.y), "K8") << "level " << level;
        EXPECT_TRUE(doc.IsLegal(r.x, r.y)) << "level " << level << ": " << CellText(r.x, r.y);
        doc.MakeMove(r.x, r.y);
        EXPECT_NE(doc.GameState, kGameOver) << "level " << level;
    }
}

// Inside the search: after F6 (a four on C3-F6) white must block at G7, and then K8
// would be two straight fours, forbidden. Black has no real way to a five within three
// plies, so no level up to 4 may value the position as won.
TEST(RenjuBlackAnswerK8, ForbiddenDoubleFourIsNoWinInsideTheSearch) {
    testing_support::RecordingBoxes boxes;
    for (int level = 1; level <= 4; ++level) {
        CKelvorDoc doc(KELVOR_DATA_DIR, 2);
        Replayed(doc, kAnswers[1].moves);
        doc.PlayerLevel = {level, 0};
        const ThinkResult r = doc.Think();
        ASSERT_GE(r.x, 0);
        EXPECT_LT(r.value, kWinThreshold) << "level " << level << ": " << CellText(r.x, r.y);
        EXPECT_TRUE(doc.IsLegal(r.x, r.y)) << "level " << level << ": " << CellText(r.x, r.y);
    }
}

} // namespace
