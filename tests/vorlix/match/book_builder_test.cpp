#include "vorlix/match/book_builder.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "vorlix/game/random.h"

namespace {

using vorlix::TPont;

TEST(BookBuilderTest, OpeningsFollowTheOfferRulesAndAreListedOncePerSymmetryClass) {
    vorlix::ResetGameModel();
    const auto all = vorlix::EnumerateOpenings(0, 1);
    ASSERT_GT(all.size(), 1000u);
    std::set<std::pair<std::set<int>, std::set<int>>> images;
    for (const auto& o : all) {
        for (int k = 0; k < 2; ++k) {
            EXPECT_TRUE(o[k].X >= 7 && o[k].X <= 9 && o[k].Y >= 7 && o[k].Y <= 9);
        }
        for (int k = 0; k < 5; ++k) {
            EXPECT_TRUE(o[k].X >= 6 && o[k].X <= 10 && o[k].Y >= 6 && o[k].Y <= 10);
            vorlix::Tabla[vorlix::CellIndex(o[k])] = k % 2 ? vorlix::kWhite : vorlix::kBlack;
        }
        EXPECT_TRUE(vorlix::OpeningIsCompact());
        vorlix::ResetGameModel();
        // No image of an earlier opening, whatever the order of same-coloured stones.
        std::pair<std::set<int>, std::set<int>> own;
        for (int s = 0; s < 8; ++s) {
            std::set<int> b, w;
            for (int k = 0; k < 5; ++k)
                (k % 2 ? w : b).insert(vorlix::CellIndex(vorlix::ApplySymmetry(o[k], s)));
            if (s == 0) own = {b, w};
            EXPECT_EQ(images.count({b, w}), 0u);
        }
        images.insert(own);
    }
}

TEST(BookBuilderTest, ASampleCoversEveryPlacementOfTheFirstTwoStones) {
    vorlix::ResetGameModel();
    const auto sample = vorlix::EnumerateOpenings(60, 5);
    ASSERT_EQ(sample.size(), 60u);
    EXPECT_EQ(vorlix::EnumerateOpenings(60, 5), sample); // the seed decides
    // Every offer of two stones in G7..I9 has a fitting opening in the sample.
    vorlix::OpeningBook book;
    for (const auto& o : sample) book.Add(vorlix::MakeBookRecord(o, 5000, 2));
    testing_support::RecordingBoxes boxes;
    for (int b = 0; b < 9; ++b)
        for (int w = 0; w < 9; ++w) {
            if (b == w) continue;
            vorlix::ResetGameModel();
            vorlix::RecordMove(7 + b / 3, 7 + b % 3, vorlix::kBlack);
            vorlix::RecordMove(7 + w / 3, 7 + w % 3, vorlix::kWhite);
            book.FitOpening();
            EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(7 + b / 3, 7 + b % 3)], vorlix::kBlack);
            EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(7 + w / 3, 7 + w % 3)], vorlix::kWhite);
        }
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    vorlix::ResetGameModel();
}

TEST(BookBuilderTest, ScoresAreBlacksShareOfTheGames) {
    vorlix::BookBuildOptions o;
    o.First = "players:Eager";
    o.Second = "players:Eager";
    o.Openings = 3;
    o.GamesPerOpening = 3; // rounded up to 4
    o.Seed = 3;
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    o.Config.PlayersFolder = std::string(bin ? bin : ".") + "/Players/";
    int calls = 0;
    auto result = vorlix::BuildBook(o, [&](int done, int total) {
        ++calls;
        EXPECT_EQ(total, 3);
        EXPECT_EQ(done, calls);
    });
    EXPECT_EQ(result.Games, 12);
    ASSERT_EQ(result.Records.size(), 3u);
    vorlix::OpeningBook book;
    ASSERT_TRUE(book.LoadBookBytes(vorlix::BookBytes(result.Records), "k")) << book.Error;
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(book.Record(n).Games, 4);
        EXPECT_EQ(book.Record(n).Score % 1250, 0); // quarters and halves of 10000
    }
}

// Plays the first empty cell from A1 on, with the base player's opening steps.
class FirstEmpty : public vorlix::TJatekos {
    void Move() override {
        for (int c = 1; c <= vorlix::kCells; ++c)
            if (vorlix::Tabla[c] == vorlix::kEmpty) {
                vorlix::ChosenMove = vorlix::CellPont(c);
                return;
            }
    }
};

class MatchOpeningTest : public ::testing::Test {
  protected:
    MatchOpeningTest() {
        o.First = "FirstEmpty";
        o.Second = "FirstEmpty";
        o.Config.DrawAt = 12;
        o.SetUpFactory = [](vorlix::PlayerFactory& f) {
            f.SetInternalPlayer("FirstEmpty", [] { return std::make_unique<FirstEmpty>(); });
        };
        vorlix::ResetGameModel();
        for (const auto& s : vorlix::EnumerateOpenings(40, 2))
            book.Add(vorlix::MakeBookRecord(s, 2000 + 100 * book.Count(), 2));
        o.Book = &book;
    }
    ~MatchOpeningTest() override { vorlix::ResetGameModel(); }
    std::vector<TPont> Opening() const {
        return std::vector<TPont>(vorlix::GameRecord + 1, vorlix::GameRecord + 6);
    }
    vorlix::MatchOptions o;
    vorlix::OpeningBook book;
    testing_support::RecordingBoxes boxes;
};

TEST_F(MatchOpeningTest, BookOpeningsStartBothGamesOfAPairAlike) {
    o.Opening = vorlix::MatchOpening::Book;
    o.Seed = 9;
    std::vector<std::vector<TPont>> starts;
    for (int number = 1; number <= 4; ++number) {
        auto g = vorlix::PlayMatchGame(o, number);
        EXPECT_EQ(g.Outcome, vorlix::MatchGame::Draw) << g.Message;
        EXPECT_EQ(g.Moves, 12);
        EXPECT_EQ(g.FirstColour, number % 2 ? vorlix::kBlack : vorlix::kWhite);
        starts.push_back(Opening());
        vorlix::ResetGameModel();
        // The five stones are a book opening.
        const auto& s = starts.back();
        for (int k = 0; k < 5; ++k) vorlix::RecordMove(s[k].X, s[k].Y, k % 2 ? 2 : 1);
        EXPECT_GE(book.FindBookRecord(), 1);
    }
    EXPECT_EQ(starts[0], starts[1]);
    EXPECT_EQ(starts[2], starts[3]);
    EXPECT_NE(starts[0], starts[2]);
}

TEST_F(MatchOpeningTest, ColourChangeOpeningIsOfferedFittedAndChosen) {
    o.Opening = vorlix::MatchOpening::ColourChange;
    int changed = 0;
    for (int number = 1; number <= 6; ++number) {
        o.Seed = 100 + static_cast<std::uint32_t>(number);
        auto g = vorlix::PlayMatchGame(o, number);
        EXPECT_EQ(g.Outcome, vorlix::MatchGame::Draw) << g.Message;
        changed += vorlix::ColourChanged;
        // The first seat plays white after an exchange of colours.
        const bool firstSeated = number % 2 == 1;
        EXPECT_EQ(g.FirstColour == vorlix::kBlack, firstSeated != vorlix::ColourChanged);
        const auto s = Opening();
        vorlix::ResetGameModel();
        for (int k = 0; k < 5; ++k) vorlix::RecordMove(s[k].X, s[k].Y, k % 2 ? 2 : 1);
        // The base offer of two stones, completed from the book.
        EXPECT_GE(book.FindBookRecord(), 1);
        EXPECT_TRUE(s[0].X >= 7 && s[0].X <= 9 && s[0].Y >= 7 && s[0].Y <= 9);
    }
    // Scores below 5000 make the first player take white in most games.
    EXPECT_GT(changed, 0);
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
