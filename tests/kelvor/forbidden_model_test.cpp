// The engine's renju legality test against a brute-force model of the rules, on a
// reported position and on many random positions.

#include "kelvor/kelvor_doc.h"
#include "renju_model.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

namespace {

using namespace kelvor;

std::string ForbiddenCells(CKelvorDoc& doc, bool model) {
    std::string out;
    const int n = doc.BoardSize;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            if (!IsFree(doc.Board[x][y])) continue;
            const bool forbidden =
                model ? renju_model::IsForbidden(doc.Board, n, x, y) : !doc.IsLegal(x, y);
            if (forbidden) out += (out.empty() ? "" : " ") + CellText(x, y);
        }
    return out;
}

// A random position on an n x n board: up to `black` black and `white` white stones
// dropped within `spread` lines of a random point, no line of five or more made. Black
// stones outnumber white ones so that threes and fours through the free cells are
// common; the position need not be reachable in a game.
void RandomPosition(CKelvorDoc& doc, std::mt19937& rng, int black, int white, int spread) {
    const int n = doc.BoardSize;
    const int cx = static_cast<int>(rng() % n), cy = static_cast<int>(rng() % n);
    int placed[3] = {0, 0, 0};
    for (int tries = 0; tries < 4000 && (placed[1] < black || placed[2] < white); ++tries) {
        const int colour = placed[1] < black && (placed[2] >= white || rng() % 3 != 0) ? 1 : 2;
        const int x = cx - spread + static_cast<int>(rng() % (2 * spread + 1));
        const int y = cy - spread + static_cast<int>(rng() % (2 * spread + 1));
        if (!OnBoard(n, x, y) || !IsFree(doc.Board[x][y])) continue;
        doc.Board[x][y] = colour;
        bool five = false;
        for (int d = 0; d < 4; ++d) {
            int run = 1;
            for (int s : {1, -1})
                for (int k = 1; OnBoard(n, x + s * k * kDirX[d], y + s * k * kDirY[d]) &&
                                doc.Board[x + s * k * kDirX[d]][y + s * k * kDirY[d]] == colour;
                     ++k)
                    ++run;
            five = five || run >= 5;
        }
        if (five)
            doc.Board[x][y] = kEmpty;
        else
            ++placed[colour];
    }
}

std::string BoardText(const CKelvorDoc& doc) {
    std::string out;
    for (int y = doc.BoardSize - 1; y >= 0; --y) {
        for (int x = 0; x < doc.BoardSize; ++x)
            out += doc.Board[x][y] == kBlack ? " X" : doc.Board[x][y] == kWhite ? " O" : " .";
        out += "\n";
    }
    return out;
}

// Reported with the judgement of an independent renju program: H8 is no double three,
// because the only key of its three on column H, H9, is one of black's five-cells.
TEST(ForbiddenModel, ReportedPosition) {
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    doc.OpeningBook = false;
    doc.Variant = 0;
    doc.NewGame();
    std::istringstream in("K8 F12 H10 P13 H7 G5 F7 J6 F11 O12 K9 E3 J9 K13 G9 L10 J8 H4 J5 K5 "
                          "G10 J13 F9 A7");
    for (std::string t; in >> t;) {
        auto c = ParseCell(t, 15);
        ASSERT_TRUE(c) << t;
        doc.MakeMove(c->first, c->second);
    }
    EXPECT_EQ(ForbiddenCells(doc, true), "G7 G8 J11");
    EXPECT_EQ(ForbiddenCells(doc, false), "G7 G8 J11");
}

class ForbiddenModelRandom : public ::testing::TestWithParam<int> {};

// Every free cell of many seeded random positions: the engine and the model agree.
TEST_P(ForbiddenModelRandom, EngineAgreesWithTheModel) {
    testing_support::RecordingBoxes boxes;
    CKelvorDoc doc(KELVOR_DATA_DIR, 1);
    doc.OpeningBook = false;
    doc.Variant = 0;
    doc.SetBoardSize(GetParam());
    const int n = doc.BoardSize;
    std::mt19937 rng(1000 + static_cast<unsigned>(n));
    int forbidden = 0;
    for (int i = 0; i < 400; ++i) {
        doc.NewGame();
        const int black = 6 + static_cast<int>(rng() % 30);
        RandomPosition(doc, rng, black, static_cast<int>(rng() % (black + 1)),
                       2 + static_cast<int>(rng() % 5));
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                if (!IsFree(doc.Board[x][y])) continue;
                const bool model = renju_model::IsForbidden(doc.Board, n, x, y);
                forbidden += model;
                ASSERT_EQ(!doc.IsLegal(x, y), model)
                    << "position " << i << " cell " << CellText(x, y) << "\n"
                    << BoardText(doc);
            }
    }
    // The positions are rich enough to test the rules at all.
    EXPECT_GT(forbidden, 400);
}
INSTANTIATE_TEST_SUITE_P(Sizes, ForbiddenModelRandom, ::testing::Values(13, 15, 19));

} // namespace
