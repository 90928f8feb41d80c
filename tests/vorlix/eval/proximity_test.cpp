#include "eval_fixture.h"

#include "vorlix/eval/proximity.h"

#include <cstring>

namespace {

using namespace vorlix;
using evaltest::Stones;

struct Grid {
    float v[16][16] = {};
};

TEST(Distance, EmptyBoardGetsTheBase) {
    ResetGameModel();
    TDistanceEvaluator d(nullptr);
    Grid g;
    d.AddValues(g.v);
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 15; ++y) ASSERT_FLOAT_EQ(g.v[x][y], -20.0f);
}

TEST(Distance, NeighboursTakeOwnOrOpponentValue) {
    Stones("H8", "C3", kBlack);
    TDistanceEvaluator d(nullptr);
    d.Ertek1S = 1.95f;
    d.Ertek1 = 2.0f;
    Grid g;
    d.AddValues(g.v);
    EXPECT_FLOAT_EQ(g.v[7][7], 1.95f);   // next to the mover's stone
    EXPECT_FLOAT_EQ(g.v[2][2], 2.0f);    // next to the opponent's
    EXPECT_FLOAT_EQ(g.v[8][8], -20.0f);  // the stone's own cell is not its neighbour
    EXPECT_FLOAT_EQ(g.v[8][10], -20.0f); // two away without the distance-two flag
}

TEST(Distance, DistanceTwoRingLiftsOnlyCellsStillAtTheBase) {
    Stones("H8 H11", "", kBlack);
    TDistanceEvaluator d(nullptr);
    d.DistanceTwo = 1;
    d.Ertek1S = 1.0f;
    Grid g;
    d.AddValues(g.v);
    EXPECT_FLOAT_EQ(g.v[8][10], 1.0f); // ring of H8 but next to H11: max keeps 1.0
    EXPECT_FLOAT_EQ(g.v[6][6], 0.0f);  // ring only
    EXPECT_FLOAT_EQ(g.v[5][5], -20.0f);
}

TEST(Distance, CornerStoneAndEdgeLowering) {
    Stones("A1", "", kBlack);
    TDistanceEvaluator d(nullptr);
    d.Edge = 1;
    Grid g;
    d.AddValues(g.v);
    EXPECT_FLOAT_EQ(g.v[1][2], 2.0f - 0.15f - 0.07f); // X = 1 and Y = 2
    EXPECT_FLOAT_EQ(g.v[2][2], 2.0f - 0.07f - 0.07f);
    EXPECT_FLOAT_EQ(g.v[1][1], -20.0f); // occupied: no edge value
    EXPECT_FLOAT_EQ(g.v[8][8], -20.0f);
    EXPECT_FLOAT_EQ(g.v[15][15], -20.0f - 0.15f - 0.15f);
}

TEST(EmptySpace, CentreHasMoreRoomThanCorner) {
    ResetGameModel();
    TEmptySpaceEvaluator e(nullptr);
    Grid g;
    e.ComputeValues(g.v);
    EXPECT_FLOAT_EQ(e.Current, 0.05f);
    EXPECT_GT(g.v[8][8], g.v[1][1]);
    EXPECT_GT(g.v[8][8], g.v[1][8]);
    EXPECT_GT(g.v[1][8], g.v[1][1]);
    EXPECT_FLOAT_EQ(g.v[8][8], g.v[8][9]); // far from the edge all cells alike
}

TEST(EmptySpace, NeighbourBonusAndLateWeight) {
    Stones("A1", "", kBlack);
    ShownMoves = 16;
    TEmptySpaceEvaluator e(nullptr);
    Grid g;
    e.ComputeValues(g.v);
    EXPECT_FLOAT_EQ(e.Current, 0.2f);
    EXPECT_EQ(g.v[1][1], 0.0f); // occupied: no space, no bonus
    EXPECT_GT(g.v[2][2], 3.0f);
    EXPECT_LT(g.v[3][3], 3.0f);
    TTextList lines;
    e.ShowProperties(lines);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Ertek1:3.000");
    EXPECT_EQ(lines[4], "Ures tér heurisztika súlya:0.200");
    EXPECT_EQ(lines[5], "Iteráció:4");
}

TEST(NearCells, AroundOneStone) {
    Stones("H8", "", kBlack);
    TPont p[225];
    int n = NearCells(0, p);
    ASSERT_EQ(n, 8);
    const char* want[] = {"G7", "G8", "G9", "H7", "H9", "I7", "I8", "I9"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(p[i], ParsePont(want[i])) << i;
    n = NearCells(1, p);
    ASSERT_EQ(n, 24);
    EXPECT_EQ(p[8], ParsePont("F6")); // the ring follows, X-major
    EXPECT_EQ(p[23], ParsePont("J10"));
}

} // namespace
