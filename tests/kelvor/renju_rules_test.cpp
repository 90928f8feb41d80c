// Renju legality of black moves: positions with known answers, each checked under
// the eight symmetries of the board.

#include "kelvor/kelvor_doc.h"
#include "kelvor/opening_book.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using kelvor::CKelvorDoc;

struct RenjuCase {
    const char* name;
    int size;
    const char* black;
    const char* white;
    const char* cell;
    bool legal;
};

std::ostream& operator<<(std::ostream& os, const RenjuCase& c) {
    return os << c.name;
}

// Puts stones straight on the board (no rules, no five detection).
void Place(CKelvorDoc& doc, const char* cells, int colour, int symmetry) {
    std::istringstream in(cells);
    for (std::string t; in >> t;) {
        auto c = kelvor::ParseCell(t, doc.BoardSize);
        ASSERT_TRUE(c) << t;
        auto [u, v] =
            kelvor::ApplySymmetry(symmetry, c->first - doc.Centre, c->second - doc.Centre);
        doc.Board[doc.Centre + u][doc.Centre + v] = colour;
    }
}

class RenjuRules : public ::testing::TestWithParam<RenjuCase> {};

TEST_P(RenjuRules, LegalityUnderEverySymmetry) {
    const RenjuCase& c = GetParam();
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    ASSERT_TRUE(doc.TablesLoaded());
    doc.Variant = 0;
    doc.SetBoardSize(c.size);
    for (int s = 0; s < 8; ++s) {
        doc.NewGame();
        Place(doc, c.black, kelvor::kBlack, s);
        Place(doc, c.white, kelvor::kWhite, s);
        auto cell = kelvor::ParseCell(c.cell, c.size);
        ASSERT_TRUE(cell);
        auto [u, v] = kelvor::ApplySymmetry(s, cell->first - doc.Centre, cell->second - doc.Centre);
        EXPECT_EQ(doc.IsLegal(doc.Centre + u, doc.Centre + v), c.legal) << "symmetry " << s;
    }
}

// Columns A..T without I, row 1 at the bottom; the tested cell is empty.
const RenjuCase kCases[] = {
    {"lone_stone", 15, "", "", "H8", true},
    {"open_three_and_open_three", 15, "F8 G8 H6 H7", "", "H8", false},
    {"split_three_and_open_three", 15, "F8 G8 H10 H11", "", "H8", false},
    {"diagonal_double_three", 15, "F6 G7 J7 K6", "", "H8", false},
    {"split_three_both_diagonals", 15, "F6 J9 J7 F10", "", "H8", false},
    {"three_blocked_next_to_it", 15, "F8 G8 H6 H7", "E8", "H8", true},
    {"three_with_a_far_block_is_real", 15, "F8 G8 H6 H7", "D8", "H8", false},
    {"three_blocked_on_both_far_ends", 15, "F8 G8 H6 H7", "D8 K8", "H8", true},
    {"three_whose_fours_would_be_overlines", 15, "C8 F8 G8 L8 H6 H7", "", "H8", true},
    {"three_whose_keys_make_four_four", 15, "F8 G8 H6 H7 J9 J10 J11 K7 L6 M5 E9 E10 E11 D9 C10 B11",
     "J12 E12", "H8", true},
    {"same_without_the_four_four_keys", 15, "F8 G8 H6 H7", "", "H8", false},
    {"four_and_three", 15, "F8 G8 J8 H6 H7", "", "H8", true},
    {"closed_four_and_three", 15, "F8 G8 J8 H6 H7", "E8", "H8", true},
    {"four_four_two_lines", 15, "F8 G8 J8 H5 H6 H7", "E8 H4", "H8", false},
    {"four_four_one_line_split", 15, "E8 G8 J8 L8", "", "H8", false},
    {"four_four_one_line_pairs", 15, "D8 E8 G8 K8 L8", "", "H8", false},
    {"overline", 15, "E8 F8 G8 J8 K8", "", "H8", false},
    {"overline_of_seven", 15, "D8 E8 F8 G8 J8 K8", "", "H8", false},
    {"five_exactly", 15, "D8 E8 F8 G8", "", "H8", true},
    {"five_beats_overline", 15, "D8 E8 F8 G8 H6 H7 H9 H10 H11", "", "H8", true},
    {"five_beats_four_four", 15, "D8 E8 F8 G8 H5 H6 H7 J9 K10 L11", "H4 M12", "H8", true},
    {"five_beats_double_three", 15, "D8 E8 F8 G8 H6 H7 J9 K10", "", "H8", true},
    {"four_and_four_blocked_to_a_dead_four", 15, "F8 G8 J8 H5 H6 H7", "E8 K8 H4", "H8", true},
    {"three_at_the_edge_is_no_three", 15, "A8 B8 C6 C7", "", "C8", true},
    {"three_one_off_the_edge_is_real", 15, "B8 C8 D6 D7", "", "D8", false},
    {"board13_edge_three_not_open", 13, "K7 L7 N5 N6", "", "N7", true},
    {"board13_middle_double_three", 13, "F7 E7 G5 G6", "", "G7", false},
    {"board13_overline_at_edge", 13, "N1 N2 N3 N5 N6", "", "N4", false},
    {"board19_corner_five", 19, "T2 T3 T4 T6", "", "T5", true},
    {"board19_corner_overline", 19, "T1 T2 T3 T4 T6", "", "T5", false},
    {"board19_double_three", 19, "H10 J10 K8 K9", "", "K10", false},
    {"board19_double_four", 19, "Q15 R15 S15 P12 P13 P14", "O15 P16", "P15", false},
    {"four_three_three_is_forbidden", 15, "F8 G8 J8 H6 H7 G9 F10", "", "H8", false},
    {"white_blocks_make_all_threes_dead", 15, "F8 G8 H6 H7", "E8 H5", "H8", true},
    {"three_with_a_gap_far_side", 15, "F8 G8 H5 H7", "", "H8", false},
    {"split_three_blocked_inside_the_four", 15, "F8 G8 H5 H7", "H4 H9", "H8", true},
    // The three H7 H8 . H10 has one key, H9, which makes a five on row 9: a five, not
    // the three's straight four, so H8 makes one three only.
    {"three_whose_only_key_is_a_five_cell", 15, "F8 G8 H7 H10 F9 G9 J9 K9", "", "H8", true},
    {"same_three_when_the_key_makes_no_five", 15, "F8 G8 H7 H10 F9 G9 K9", "J9", "H8", false},
};

INSTANTIATE_TEST_SUITE_P(Positions, RenjuRules, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
