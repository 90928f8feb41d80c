// The board view's pixel geometry: pitch, line positions and which clicks count.

#include "kelvor/ui/board_geometry.h"

#include <gtest/gtest.h>

namespace {

using kelvor::BoardGeometry;

TEST(BoardGeometry, PitchAndLinesFollowTheBoardSize) {
    EXPECT_EQ(BoardGeometry(15).Pitch(), 26);
    EXPECT_EQ(BoardGeometry(19).Pitch(), 22);
    BoardGeometry g(15);
    EXPECT_EQ(g.LineX(0), 160);
    EXPECT_EQ(g.Right(), 160 + 14 * 26);
    EXPECT_EQ(g.LineY(14), 40); // row 15 is the top line
    EXPECT_EQ(g.Bottom(), 40 + 14 * 26);
}

struct Click {
    int offset, pitch;
    int line; // -1: ignored
};

class ClickBands : public ::testing::TestWithParam<Click> {};

TEST_P(ClickBands, LineOfAClick) {
    const Click c = GetParam();
    auto line = BoardGeometry::LineAt(c.offset, c.pitch);
    if (c.line < 0)
        EXPECT_FALSE(line) << c.offset;
    else
        EXPECT_EQ(line, c.line) << c.offset;
}

// P = 26, h = 13: 0..11 this line, 12..14 ignored, 15..25 the next line.
INSTANTIATE_TEST_SUITE_P(Pitch26, ClickBands,
                         ::testing::Values(Click{0, 26, 0}, Click{11, 26, 0}, Click{12, 26, -1},
                                           Click{13, 26, -1}, Click{14, 26, -1}, Click{15, 26, 1},
                                           Click{26 + 15, 26, 2}, Click{-5, 26, 0},
                                           Click{-13, 26, -1}));

TEST(BoardGeometry, ClicksMapToCellsWithRowOneAtTheBottom) {
    BoardGeometry g(15);
    EXPECT_EQ(g.CellAt(160, 40), std::make_pair(0, 14));
    EXPECT_EQ(g.CellAt(160 + 7 * 26 + 3, 40 + 7 * 26 - 4), std::make_pair(7, 7));
    EXPECT_EQ(g.CellAt(160 + 13, 40), std::nullopt);          // the band on x
    EXPECT_EQ(g.CellAt(160 + 15, 40), std::make_pair(1, 14)); // the next column
    EXPECT_EQ(g.CellAt(160 + 14 * 26, 40 + 14 * 26), std::make_pair(14, 0));
    EXPECT_EQ(g.CellAt(160 + 15 * 26, 40), std::nullopt);     // right of the board
    EXPECT_EQ(g.CellAt(100, 40), std::nullopt);               // left of it
    EXPECT_EQ(g.CellAt(160, 40 + 15 * 26 + 2), std::nullopt); // below it
    BoardGeometry big(19);
    EXPECT_EQ(big.CellAt(160 + 18 * 22, 40), std::make_pair(18, 18));
}

} // namespace
