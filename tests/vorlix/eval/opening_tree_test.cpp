#include "eval_fixture.h"

#include "vorlix/eval/opening_tree.h"
#include "vorlix/players/jatekos.h"

namespace {

using namespace vorlix;
using Offered = std::vector<std::pair<TPont, float>>;

TEST(OpeningTree, HasTheWholeRepertoire) {
    TOpeningTree t(nullptr);
    EXPECT_EQ(t.Nodes().size(), 217u);
    EXPECT_EQ(t.Depth(), 17);
    EXPECT_EQ(t.Nodes()[0].Point, ParsePont("H8"));
    EXPECT_EQ(t.Nodes()[0].Next, -1); // the root list holds H8 alone
}

TEST(OpeningTree, ParserRejectsBrokenNotation) {
    EXPECT_THROW(TOpeningTree::Parse("H8 [H7"), std::invalid_argument);
    EXPECT_THROW(TOpeningTree::Parse("H8 [Z7]"), std::invalid_argument);
    EXPECT_THROW(TOpeningTree::Parse("H8:"), std::invalid_argument);
    auto nodes = TOpeningTree::Parse("H8 [H7:0.5, I7 [J6]]");
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_FLOAT_EQ(nodes[1].Weight, 0.5f);
    EXPECT_EQ(nodes[1].Next, 2);
    EXPECT_EQ(nodes[2].Child, 3);
}

struct Sym {
    const char* second;
    int s;
};

class OpeningSymmetry : public ::testing::TestWithParam<Sym> {};

TEST_P(OpeningSymmetry, FromTheSecondMove) {
    EXPECT_EQ(TOpeningTree::SymmetryOf(ParsePont(GetParam().second)), GetParam().s);
}

INSTANTIATE_TEST_SUITE_P(Table, OpeningSymmetry,
                         ::testing::Values(Sym{"H7", 0}, Sym{"I7", 0}, Sym{"I8", 6}, Sym{"I9", 2},
                                           Sym{"H9", 2}, Sym{"G9", 4}, Sym{"G8", 4}, Sym{"G7", 1},
                                           Sym{"H6", 0}, Sym{"A1", 0}));

// Every symmetry maps the stored second moves onto the game's second move.
TEST(OpeningTree, SymmetryMapsStoredMovesOntoTheGame) {
    for (const char* m : {"I8", "I9", "H9", "G9", "G8", "G7"}) {
        TPont game = ParsePont(m);
        int s = TOpeningTree::SymmetryOf(game);
        bool hit = TOpeningTree::Map(ParsePont("H7"), s) == game ||
                   TOpeningTree::Map(ParsePont("I7"), s) == game;
        EXPECT_TRUE(hit) << m;
    }
}

Offered OfferAfter(const std::string& moves, float tolerance) {
    evaltest::Play(moves);
    TOpeningTree t(nullptr);
    Offered out;
    t.Offer(tolerance, &out);
    return out;
}

TEST(OpeningTree, OffersMappedContinuations) {
    // After H8 I8 (s = 6) the moves stored under H7 are offered: I7 maps to I9.
    auto out = OfferAfter("H8,I8", 0.0f);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].first, ParsePont("I9"));
    EXPECT_FLOAT_EQ(out[0].second, 1.0f);
    out = OfferAfter("H8,H7", 0.35f);
    ASSERT_EQ(out.size(), 1u); // I7 1.0; the others are 0.6
    out = OfferAfter("H8,H7", 0.4f);
    EXPECT_EQ(out.size(), 8u);
    EXPECT_EQ(out[0].first, ParsePont("I7"));
    EXPECT_EQ(out[1].first, ParsePont("G8"));
}

TEST(OpeningTree, WholeListWithLargeTolerance) {
    auto out = OfferAfter("H8,H7,I7", 1.0f);
    // G9 1, I8 0.85, J6 0.6: the moves stored after H8 H7 I7
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1].first, ParsePont("I8"));
    EXPECT_FLOAT_EQ(out[1].second, 0.85f);
    EXPECT_EQ(out[2].first, ParsePont("J6"));
}

TEST(OpeningTree, OffersNothingOffTheTree) {
    EXPECT_TRUE(OfferAfter("H8,H6", 1.0f).empty());
    EXPECT_TRUE(OfferAfter("H8,H6,H7", 1.0f).empty());
    // The end of a line: H8 H7 I8 J8 (G8? no) ... follow I8:0.6 [J8] to its end.
    EXPECT_TRUE(OfferAfter("H8,H7,I8,J8", 1.0f).empty());
    EXPECT_FALSE(OfferAfter("H8,H7,I8", 1.0f).empty());
}

TEST(OpeningTree, ActionAppendsToTheOwner) {
    evaltest::Play("H8,H7");
    TJatekos owner;
    owner.Tures = 0.35f;
    TOpeningTree t(&owner);
    t.Action();
    ASSERT_EQ(owner.AlNum, 1);
    EXPECT_EQ(owner.AlList[1], ParsePont("I7"));
    EXPECT_FLOAT_EQ(owner.AlValue[1], 1.0f);
}

} // namespace
