#include "vorlix/eval/openingbook.h"

#include "support/test_support.h"
#include "vorlix/game/random.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace {

using vorlix::CellIndex;
using vorlix::OpeningBook;
using vorlix::TBookRecord;
using vorlix::TPont;

TPont P(int x, int y) {
    return TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

// A record from five points; the first two must lie in the 7..10 square.
TBookRecord Rec(TPont s1, TPont s2, TPont s3, TPont s4, TPont s5, int score = 5000, int games = 4) {
    TBookRecord r;
    r.Score = static_cast<std::int16_t>(score);
    r.Games = static_cast<std::int16_t>(games);
    r.First =
        static_cast<std::uint8_t>(vorlix::FirstStoneNibble(s1) << 4 | vorlix::FirstStoneNibble(s2));
    r.Stone3 = static_cast<std::uint8_t>(CellIndex(s3));
    r.Stone4 = static_cast<std::uint8_t>(CellIndex(s4));
    r.Stone5 = static_cast<std::uint8_t>(CellIndex(s5));
    return r;
}

std::vector<std::uint8_t> Bytes(const std::vector<TBookRecord>& records) {
    std::vector<std::uint8_t> out;
    for (const auto& r : records) {
        auto b = vorlix::EncodeRecord(r);
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

int StonesOnBoard() {
    int n = 0;
    for (int c = 1; c <= vorlix::kCells; ++c) n += vorlix::Tabla[c] != vorlix::kEmpty;
    return n;
}

void Place(std::initializer_list<TPont> stones) {
    std::uint8_t colour = vorlix::kBlack;
    for (TPont p : stones) {
        vorlix::RecordMove(p.X, p.Y, colour);
        colour = vorlix::Opponent(colour);
    }
}

const TBookRecord kSample = Rec(P(8, 8), P(8, 7), P(9, 9), P(7, 9), P(9, 8), 5600, 6);

class BookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        vorlix::ResetGameModel();
        vorlix::SeedRandom(7);
    }
    void TearDown() override { vorlix::ResetGameModel(); }
    testing_support::RecordingBoxes boxes;
};

TEST_F(BookTest, FirstStonesByteDecodesToTwoPoints) {
    TBookRecord r = kSample;
    r.First = 0x5A;
    OpeningBook book;
    book.Add(r);
    auto cells = book.DecodeRecord(1);
    EXPECT_EQ(cells[0], CellIndex(8, 8));
    EXPECT_EQ(cells[1], CellIndex(9, 9));
    EXPECT_EQ(cells[2], kSample.Stone3);
}

TEST_F(BookTest, FileBytesRoundTrip) {
    const std::vector<std::uint8_t> bytes = Bytes({kSample});
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xE0, 0x15, 6, 0, 0x54,
                                                static_cast<std::uint8_t>(CellIndex(9, 9)),
                                                static_cast<std::uint8_t>(CellIndex(7, 9)),
                                                static_cast<std::uint8_t>(CellIndex(9, 8))}));
    OpeningBook book;
    ASSERT_TRUE(book.LoadBookBytes(bytes, "kezd.dat")) << book.Error;
    ASSERT_EQ(book.Count(), 1);
    EXPECT_EQ(book.Record(1).Score, 5600);
    EXPECT_EQ(book.Record(1).Games, 6);
    EXPECT_FLOAT_EQ(book.Weight(1), (2800.0f / 6) * (2800.0f / 6));
}

TEST_F(BookTest, ChoiceSharePrefersEvenScores) {
    OpeningBook book;
    for (int score : {5000, 0, 10000})
        book.Add(Rec(P(8, 8), P(8, 7), P(9, 9), P(7, 9), P(9, 8), score));
    EXPECT_NEAR(book.ChoiceShare(1), 0.2401, 1e-9);
    EXPECT_NEAR(book.ChoiceShare(2), 0.0001, 1e-9);
    EXPECT_NEAR(book.ChoiceShare(3), 0.0001, 1e-9);
}

TEST_F(BookTest, ChooseRecordFollowsTheWeighting) {
    OpeningBook book;
    book.Add(Rec(P(8, 8), P(8, 7), P(9, 9), P(7, 9), P(9, 8), 5000, 100));
    book.Add(Rec(P(8, 8), P(8, 7), P(9, 9), P(7, 9), P(9, 8), 0, 1));
    int first = 0;
    for (int i = 0; i < 400; ++i) first += book.ChooseRecord() == 1;
    EXPECT_GT(first, 390);    // 0.2401 against 0.0001
    book.LearningMode = true; // weights (2800/100)^2 against 2800^2
    first = 0;
    for (int i = 0; i < 400; ++i) first += book.ChooseRecord() == 1;
    EXPECT_LT(first, 5);
    EXPECT_EQ(book.LastChoice, book.ChooseRecord());
}

TEST_F(BookTest, OneRecordIsAlwaysChosen) {
    OpeningBook book;
    book.Add(Rec(P(8, 8), P(8, 7), P(9, 9), P(7, 9), P(9, 8), 10000));
    for (int i = 0; i < 20; ++i) EXPECT_EQ(book.ChooseRecord(), 1);
}

class SymmetryTest : public ::testing::TestWithParam<int> {};

TEST_P(SymmetryTest, InverseUndoesEveryPointAndKeepsTheCentre) {
    const int s = GetParam();
    std::set<int> images;
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 15; ++y) {
            TPont image = vorlix::ApplySymmetry(P(x, y), s);
            ASSERT_TRUE(vorlix::OnBoard(image.X, image.Y));
            EXPECT_EQ(vorlix::InverseSymmetry(image, s), P(x, y));
            images.insert(CellIndex(image));
        }
    EXPECT_EQ(images.size(), 225u);
    EXPECT_EQ(vorlix::ApplySymmetry(P(8, 8), s), P(8, 8));
}

INSTANTIATE_TEST_SUITE_P(All, SymmetryTest, ::testing::Range(0, 8));

TEST(Symmetry, MirrorsComeBeforeTheExchange) {
    // (7, 9): mirror X -> (9, 9); exchange -> (9, 9). Mirror Y -> (7, 7); exchange -> (7, 7).
    EXPECT_EQ(vorlix::ApplySymmetry(P(6, 9), 1 | 4), P(9, 10));
    EXPECT_EQ(vorlix::InverseSymmetry(P(9, 10), 1 | 4), P(6, 9));
    EXPECT_EQ(vorlix::ApplySymmetry(P(6, 9), 2 | 4), P(7, 6));
}

struct BadBook {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* message; // part of the error
};

class BadBookTest : public ::testing::TestWithParam<BadBook> {};

TEST_P(BadBookTest, IsRefusedWithAMessageNamingTheRecord) {
    OpeningBook book;
    EXPECT_FALSE(book.LoadBookBytes(GetParam().bytes, "data/kezd.dat"));
    EXPECT_EQ(book.Count(), 0);
    EXPECT_NE(book.Error.find("data/kezd.dat: "), std::string::npos) << book.Error;
    EXPECT_NE(book.Error.find(GetParam().message), std::string::npos) << book.Error;
}

std::vector<std::uint8_t> WithByte(std::vector<TBookRecord> records, size_t at, std::uint8_t v) {
    auto b = Bytes(records);
    b[at] = v;
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Books, BadBookTest,
    ::testing::Values(
        BadBook{"CutOff", std::vector<std::uint8_t>(13, 1), "not a multiple of 8"},
        BadBook{"TooMany", Bytes(std::vector<TBookRecord>(16151, kSample)), "16151 records"},
        BadBook{"Cell226", WithByte({kSample, kSample}, 8 + 5, 226),
                "record 2: stone 3 has the cell index 226"},
        BadBook{"Cell0", WithByte({kSample}, 7, 0), "record 1: stone 5 has the cell index 0"},
        BadBook{"SameFirstStones", WithByte({kSample, kSample, kSample}, 16 + 4, 0x55),
                "record 3: stones 1 and 2 are on the same cell"},
        BadBook{"StoneOnStone", WithByte({kSample}, 6, static_cast<std::uint8_t>(CellIndex(8, 8))),
                "record 1: stones 1 and 4 are on the same cell"},
        BadBook{"NoGames", WithByte({kSample}, 2, 0), "record 1: games 0 is below 1"},
        BadBook{"NegativeScore", WithByte({kSample}, 1, 0xFF), "record 1: score"}),
    [](const auto& c) { return c.param.name; });

TEST_F(BookTest, LargestBookAndEmptyFileLoad) {
    OpeningBook book;
    EXPECT_TRUE(book.LoadBookBytes(Bytes(std::vector<TBookRecord>(16150, kSample)), "k"));
    EXPECT_EQ(book.Count(), 16150);
    EXPECT_TRUE(book.LoadBookBytes({}, "k"));
    EXPECT_EQ(book.Count(), 0);
}

TEST_F(BookTest, LoadBookReadsTheFileAndReportsAMissingOne) {
    testing_support::TempFolder folder;
    const std::string path = folder.Path() + "kezd.dat";
    OpeningBook book;
    EXPECT_FALSE(book.LoadBook(path));
    EXPECT_NE(book.Error.find(path), std::string::npos);
    auto bytes = Bytes({kSample, kSample});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(book.LoadBook(path)) << book.Error;
    EXPECT_EQ(book.Count(), 2);
}

TEST_F(BookTest, EmptyBookMakesARandomOpeningNearTheCentre) {
    OpeningBook book;
    for (int round = 0; round < 50; ++round) {
        vorlix::ResetGameModel();
        book.PlaceBookOpening();
        ASSERT_EQ(vorlix::MoveCount, 5);
        ASSERT_EQ(StonesOnBoard(), 5);
        EXPECT_EQ(vorlix::GameRecord[1], P(8, 8));
        EXPECT_TRUE(vorlix::GameRecord[2] == P(9, 7) || vorlix::GameRecord[2] == P(8, 7));
        for (int k = 3; k <= 5; ++k) {
            TPont p = vorlix::GameRecord[k];
            EXPECT_TRUE(p.X >= 6 && p.X <= 10 && p.Y >= 6 && p.Y <= 10);
            if (vorlix::GameRecord[2] == P(9, 7) && k == 3) {
                EXPECT_GE(p.X + p.Y, 16);
            }
        }
        EXPECT_EQ(book.LastPlaced, -1);
    }
    vorlix::ResetGameModel();
    book.ColourChange = 0;
    book.PlaceBookOpening();
    EXPECT_EQ(vorlix::MoveCount, 0);
}

TEST_F(BookTest, PlaceBookOpeningEntersTheChosenRecord) {
    OpeningBook book;
    book.Add(kSample);
    book.PlaceBookOpening();
    ASSERT_EQ(vorlix::MoveCount, 5);
    EXPECT_EQ(vorlix::GameRecord[1], P(8, 8));
    EXPECT_EQ(vorlix::GameRecord[2], P(8, 7));
    EXPECT_EQ(vorlix::GameRecord[5], P(9, 8));
    EXPECT_EQ(vorlix::Tabla[CellIndex(7, 9)], vorlix::kWhite);
    EXPECT_EQ(book.LastPlaced, 1);
}

class FitTest : public BookTest, public ::testing::WithParamInterface<int> {};

TEST_P(FitTest, OfferedImageOfABookEntryIsCompletedWithItsStonesMapped) {
    const int s = GetParam();
    OpeningBook book;
    book.Add(Rec(P(7, 7), P(10, 10), P(10, 7), P(6, 6), P(9, 9))); // no fit for the offer
    book.Add(kSample);
    // The offer is the book entry's first two stones carried back by symmetry s.
    const TPont black = vorlix::InverseSymmetry(P(8, 8), s);
    const TPont white = vorlix::InverseSymmetry(P(8, 7), s);
    Place({black, white});
    book.FitOpening();
    ASSERT_EQ(vorlix::MoveCount, 5);
    EXPECT_EQ(StonesOnBoard(), 5);
    EXPECT_EQ(vorlix::Tabla[CellIndex(black)], vorlix::kBlack);
    EXPECT_EQ(vorlix::Tabla[CellIndex(white)], vorlix::kWhite);
    EXPECT_EQ(vorlix::ColourToMove, vorlix::kWhite);
    EXPECT_EQ(book.LastPlaced, 2);
    // Every stone is the book's stone carried back by the symmetry found.
    auto cells = book.DecodeRecord(2);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(vorlix::GameRecord[k + 1],
                  vorlix::InverseSymmetry(vorlix::CellPont(cells[k]), book.Symmetry));
    EXPECT_TRUE(boxes.shown.empty());
    // The identification finds the same entry.
    EXPECT_EQ(book.FindBookRecord(), 2);
}

INSTANTIATE_TEST_SUITE_P(AllSymmetries, FitTest, ::testing::Range(0, 8));

TEST_F(BookTest, FitWithoutAMatchingEntrySaysSoAndMakesARandomOpening) {
    for (bool empty : {true, false}) {
        vorlix::ResetGameModel();
        boxes.shown.clear();
        OpeningBook book;
        if (!empty) book.Add(kSample); // has no white stone diagonal to a black one at I9
        Place({P(9, 9), P(10, 10)});
        book.FitOpening();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Sorry, I can not fit an opening.");
        EXPECT_EQ(boxes.shown[0].kind, platform::MessageKind::Information);
        EXPECT_EQ(vorlix::MoveCount, 5);
        EXPECT_EQ(StonesOnBoard(), 5);
        EXPECT_EQ(book.Symmetry, 0);
    }
}

TEST_F(BookTest, FindBookRecordLeavesExactlyTheFiveGameStones) {
    OpeningBook book;
    book.Add(Rec(P(7, 7), P(10, 10), P(10, 7), P(6, 6), P(9, 9)));
    book.Add(kSample);
    for (int s = 0; s < 8; ++s) {
        vorlix::ResetGameModel();
        // The game placed the entry's stones in another order of the black stones and
        // carried by a symmetry.
        auto map = [s](TPont p) { return vorlix::InverseSymmetry(p, s); };
        Place({map(P(9, 8)), map(P(8, 7)), map(P(8, 8)), map(P(7, 9)), map(P(9, 9))});
        EXPECT_EQ(book.FindBookRecord(), 2);
        EXPECT_EQ(vorlix::ApplySymmetry(vorlix::GameRecord[1], book.Symmetry), P(9, 8));
        EXPECT_EQ(vorlix::MoveCount, 5);
        EXPECT_EQ(StonesOnBoard(), 5);
        EXPECT_EQ(vorlix::GameRecord[1], map(P(9, 8)));
        EXPECT_EQ(vorlix::ColourToMove, vorlix::kWhite);
    }
    vorlix::ResetGameModel();
    Place({P(8, 8), P(8, 7), P(9, 9), P(7, 9), P(10, 10)}); // last stone differs
    EXPECT_EQ(book.FindBookRecord(), -1);
    EXPECT_EQ(StonesOnBoard(), 5);
    EXPECT_EQ(vorlix::Tabla[CellIndex(10, 10)], vorlix::kBlack);
    // A swapped colour is another opening.
    vorlix::ResetGameModel();
    Place({P(8, 8), P(7, 9), P(9, 9), P(8, 7), P(9, 8)});
    EXPECT_EQ(book.FindBookRecord(), 2);
    vorlix::ResetGameModel();
    Place({P(8, 7), P(8, 8), P(9, 9), P(7, 9), P(9, 8)});
    EXPECT_EQ(book.FindBookRecord(), -1);
}

struct CompactCase {
    const char* name;
    std::vector<TPont> stones;
    bool compact;
};

class CompactTest : public ::testing::TestWithParam<CompactCase> {};

TEST_P(CompactTest, ConnectionRule) {
    vorlix::ResetGameModel();
    for (TPont p : GetParam().stones) vorlix::Tabla[CellIndex(p)] = vorlix::kBlack;
    EXPECT_EQ(vorlix::OpeningIsCompact(), GetParam().compact);
    vorlix::ResetGameModel();
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CompactTest,
    ::testing::Values(
        CompactCase{"StraightRow", {P(6, 8), P(7, 8), P(8, 8), P(9, 8), P(10, 8)}, true},
        CompactCase{"CornersAndCentre", {P(6, 6), P(10, 6), P(6, 10), P(10, 10), P(8, 8)}, false},
        CompactCase{"AlreadyJoined", {P(8, 8), P(8, 7), P(9, 9), P(7, 9), P(10, 8)}, true},
        CompactCase{"DiagonalChain", {P(6, 6), P(7, 7), P(9, 9), P(10, 10), P(11, 11)}, true},
        CompactCase{"TwoGaps", {P(6, 8), P(8, 8), P(10, 8), P(8, 9), P(8, 10)}, false},
        CompactCase{"GapOutsideTheSquare", {P(11, 8), P(13, 8), P(10, 8), P(9, 8), P(8, 8)}, false},
        CompactCase{"FourStones", {P(7, 8), P(8, 8), P(9, 8), P(10, 8)}, false},
        CompactCase{"SixStones", {P(6, 8), P(7, 8), P(8, 8), P(9, 8), P(10, 8), P(8, 9)}, false}),
    [](const auto& c) { return c.param.name; });

} // namespace
