// The computer's opening moves are held to the same distances from the centre as the
// human's clicks, so that the tournament books can follow its games.

#include "kelvor/kelvor_doc.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using namespace kelvor;

int Distance(const CKelvorDoc& doc, int cell) {
    const int x = cell % doc.BoardSize, y = cell / doc.BoardSize;
    return std::max(std::abs(x - doc.Centre), std::abs(y - doc.Centre));
}

struct Setting {
    int variant;
    int hiExtent; // 2 after the options dialog, 3 with "Hi Extent"
    int level;
};

struct ComputerOpening : ::testing::TestWithParam<Setting> {};

// Moves 1 to 4 by the computer, one side at a time, against human moves at the edge of
// what the human may play; every computer move must keep the reach of its number.
TEST_P(ComputerOpening, MovesOneToFourKeepTheirReach) {
    const Setting s = GetParam();
    testing_support::RecordingBoxes quiet;
    // The human's own moves, by number (only the ones the human plays are used).
    const char* human[] = {"H8", "J10", "K5", "E5"};
    for (int computer : {kBlack, kWhite}) {
        CKelvorDoc doc(KELVOR_DATA_DIR, 5);
        doc.OpeningBook = false;
        doc.Variant = s.variant;
        doc.TournamentOpening = true;
        doc.HiExtent = s.hiExtent;
        doc.NewGame();
        doc.PlayerLevel =
            computer == kBlack ? std::array<int, 2>{s.level, 0} : std::array<int, 2>{0, s.level};
        for (int n = 1; n <= 4 && doc.GameState != kGameOver; ++n) {
            // A swap after the third stone hands the computer the other colour.
            if (doc.PlayerLevel[doc.ToMove - 1] == 0) {
                auto c = ParseCell(human[n - 1], doc.BoardSize);
                ASSERT_TRUE(doc.HumanMove(c->first, c->second)) << "move " << n;
                continue;
            }
            ASSERT_TRUE(doc.ComputerMove()) << "move " << n;
            const int reach = OpeningReach(s.variant, true, n);
            if (reach >= 0) {
                EXPECT_LE(Distance(doc, doc.Record.back()), reach)
                    << (s.variant ? "gomoku" : "renju") << " level " << s.level << " move " << n
                    << " " << CellText(doc.Record.back() % 15, doc.Record.back() / 15);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ComputerOpening,
                         ::testing::Values(Setting{0, 2, 1}, Setting{0, 2, 2}, Setting{0, 2, 4},
                                           Setting{0, 3, 3}, Setting{0, 3, 6}, Setting{1, 2, 1},
                                           Setting{1, 2, 4}, Setting{1, 3, 2}, Setting{1, 3, 5}),
                         [](const ::testing::TestParamInfo<Setting>& i) {
                             return std::string(i.param.variant ? "gomoku" : "renju") + "_extent" +
                                    std::to_string(i.param.hiExtent) + "_level" +
                                    std::to_string(i.param.level);
                         });

// A computer white in a renju tournament game answers the centre next to it, and a
// standard third stone then finds a line of the tournament book: the swap decision
// follows the book instead of swapping every time for want of a line.
TEST(ComputerOpeningBook, RenjuTournamentLineMatchesAfterTheComputersSecondMove) {
    for (int level : {2, 4, 6}) {
        testing_support::RecordingBoxes boxes;
        CKelvorDoc doc(KELVOR_DATA_DIR, 9);
        doc.OpeningBook = true;
        doc.Variant = 0;
        doc.TournamentOpening = true;
        doc.HiExtent = 2;
        doc.NewGame();
        doc.PlayerLevel = {0, level};
        ASSERT_TRUE(doc.HumanMove(doc.Centre, doc.Centre));
        ASSERT_TRUE(doc.ComputerMove());
        const int w = doc.Record.back();
        const int wx = w % doc.BoardSize - doc.Centre, wy = w / doc.BoardSize - doc.Centre;
        ASSERT_EQ(Distance(doc, w), 1) << "level " << level;
        // A third stone beside the centre, off white's line: one of the standard openings
        // whatever white's side (direct or diagonal).
        const int tx = wx != 0 && wy != 0 ? wx : wy != 0 ? 1 : 0;
        const int ty = wx != 0 && wy != 0 ? 0 : wy != 0 ? 0 : 1;
        ASSERT_TRUE(doc.HumanMove(doc.Centre + tx, doc.Centre + ty));
        EXPECT_GE(doc.BookLine(), 0) << "level " << level;
    }
}

} // namespace
