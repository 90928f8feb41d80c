#include "eval_fixture.h"

#include "vorlix/eval/candidates.h"

#include <vector>

namespace {

using namespace vorlix;
using evaltest::Cell;

std::vector<int> Generate(int mode) {
    CandidateList list;
    GenerateCandidates(mode, &list);
    return std::vector<int>(list.cells, list.cells + list.count);
}

std::vector<int> Cells(std::initializer_list<const char*> texts) {
    std::vector<int> out;
    for (auto t : texts) out.push_back(Cell(t));
    return out;
}

TEST(Candidates, EmptyBoardGivesNone) {
    ResetGameModel();
    for (int mode = 0; mode <= 2; ++mode) EXPECT_TRUE(Generate(mode).empty());
}

TEST(Candidates, LoneCentreStoneByMode) {
    evaltest::Stones("H8", "", kWhite);
    // Cell index order is X-major: G7, G8, G9, H7, H9, I7, I8, I9.
    auto near = Cells({"G7", "G8", "G9", "H7", "H9", "I7", "I8", "I9"});
    auto far = Cells({"F6", "F8", "F10", "H6", "H10", "J6", "J8", "J10"});
    EXPECT_EQ(Generate(kCandidatesNear), near);
    EXPECT_EQ(Generate(kCandidatesSecond), far);
    auto both = near;
    both.insert(both.end(), far.begin(), far.end());
    EXPECT_EQ(Generate(kCandidatesBoth), both);
}

TEST(Candidates, CornerStoneHasNoOffBoardCandidates) {
    evaltest::Stones("A1", "", kWhite);
    EXPECT_EQ(Generate(kCandidatesBoth), Cells({"A2", "B1", "B2", "A3", "C1", "C3"}));
}

TEST(Candidates, DistanceOneWinsOverDistanceTwoAndStonesAreSkipped) {
    // H10 is two from H8 but next to H9; H9 is occupied.
    evaltest::Stones("H8", "H9", kBlack);
    auto list = Generate(kCandidatesBoth);
    int h10 = Cell("H10"), h9 = Cell("H9");
    int nearCount = static_cast<int>(Generate(kCandidatesNear).size());
    auto at = std::find(list.begin(), list.end(), h10);
    ASSERT_NE(at, list.end());
    EXPECT_LT(at - list.begin(), nearCount);
    EXPECT_EQ(std::count(list.begin(), list.end(), h9), 0);
    EXPECT_EQ(std::count(list.begin(), list.end(), h10), 1);
}

} // namespace
