#include "vorlix/players/forced_move.h"

#include "vorlix/game/coords.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using namespace vorlix;

void Stones(const std::string& list, std::uint8_t colour) {
    std::stringstream in(list);
    for (std::string s; in >> s;) Tabla[CellIndex(ParsePont(s))] = colour;
}

std::string Cells(const FiveCells& f) {
    std::string s;
    for (int i = 0; i < f.count; ++i)
        s += (i ? " " : "") + TrimRight(PontText(CellX(f.cells[i]), CellY(f.cells[i])));
    return s;
}

struct Row {
    const char* name;
    const char* black;
    const char* white;
    std::uint8_t toMove;
    const char* blackFives; // FindFiveCells(black), in scan order
    const char* whiteFives;
    ForcedKind kind;
    const char* move; // "" when nothing is forced
};

const Row kRows[] = {
    {"Nothing", "H8 I8 J8", "H9 I9 J9", kBlack, "", "", ForcedKind::None, ""},
    {"OwnOpenFourFirstInScanOrder", "E5 F5 G5 H5", "E9 F9 G9", kBlack, "D5 I5", "",
     ForcedKind::OwnFive, "D5"},
    {"OwnFiveBeforeBlock", "E5 F5 G5 H5", "D5 E10 F10 G10 H10", kBlack, "I5", "D10 I10",
     ForcedKind::OwnFive, "I5"},
    {"TwoOpponentFivesForceNothing", "H3", "C4 C5 C6 C7", kBlack, "", "C3 C8", ForcedKind::None,
     ""},
    {"GapFourBlock", "A1", "H8 I8 K8 L8", kBlack, "", "J8", ForcedKind::Block, "J8"},
    {"OneCellOfTwoLinesCountsOnce", "C8 H3", "C4 C5 C6 C7 D3 E3 F3 G3", kBlack, "", "C3",
     ForcedKind::Block, "C3"},
    {"OverlineCompletes", "F8 G8 H8 J8 K8", "", kWhite, "I8", "", ForcedKind::Block, "I8"},
    {"EdgeAndCorner", "A1 A2 A3 A4", "K11 L12 M13 N14", kWhite, "A5", "J10 O15",
     ForcedKind::OwnFive, "J10"},
};

class ForcedMoveTable : public ::testing::TestWithParam<Row> {
  protected:
    void SetUp() override { ResetGameModel(); }
    void TearDown() override { ResetGameModel(); }
};

TEST_P(ForcedMoveTable, FiveCellsAndTheForcedMove) {
    const Row& r = GetParam();
    Stones(r.black, kBlack);
    Stones(r.white, kWhite);
    ColourToMove = r.toMove;
    EXPECT_EQ(Cells(FindFiveCells(kBlack)), r.blackFives);
    EXPECT_EQ(Cells(FindFiveCells(kWhite)), r.whiteFives);
    const ForcedMove f = FindForcedMove();
    EXPECT_EQ(f.kind, r.kind);
    EXPECT_EQ(f.move, *r.move ? ParsePont(r.move) : TPont{});
}

INSTANTIATE_TEST_SUITE_P(Positions, ForcedMoveTable, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& row) {
                             return std::string(row.param.name);
                         });

} // namespace
