// The colour-change opening through the controller, with a scripted human at the board.

#include "vorlix/game/opening.h"

#include "support/scripted_window.h"
#include "support/test_support.h"
#include "vorlix/eval/openingbook.h"
#include "vorlix/game/random.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using testing_support::ScriptedWindow;
using vorlix::TPont;

TPont P(int x, int y) {
    return TPont{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

vorlix::TBookRecord Rec(TPont s1, TPont s2, TPont s3, TPont s4, TPont s5, int score) {
    vorlix::TBookRecord r;
    r.Score = static_cast<std::int16_t>(score);
    r.Games = 4;
    r.First =
        static_cast<std::uint8_t>(vorlix::FirstStoneNibble(s1) << 4 | vorlix::FirstStoneNibble(s2));
    r.Stone3 = static_cast<std::uint8_t>(vorlix::CellIndex(s3));
    r.Stone4 = static_cast<std::uint8_t>(vorlix::CellIndex(s4));
    r.Stone5 = static_cast<std::uint8_t>(vorlix::CellIndex(s5));
    return r;
}

// A computer player: offers H8 and H7 (or cannot offer at all) and plays the first empty
// cell from A1 on.
class Computer : public vorlix::TJatekos {
  public:
    bool canOffer = true;
    int* offers = nullptr; // [0] OfferOpen1 calls, [1] OfferOpen2 calls
    // ColourToMove and MoverColour as each ChOpening found them.
    std::vector<std::pair<int, int>>* choices = nullptr;
    bool CanOfferOpening() override { return canOffer; }
    bool ChOpening() override {
        choices->push_back({vorlix::ColourToMove, vorlix::MoverColour});
        return TJatekos::ChOpening();
    }
    void OfferOpen1() override {
        ++offers[0];
        vorlix::RecordMove(8, 8, vorlix::kBlack);
        vorlix::RecordMove(8, 7, vorlix::kWhite);
    }
    void OfferOpen2() override {
        ++offers[1];
        TJatekos::OfferOpen2();
    }
    void Move() override {
        for (int c = 1; c <= vorlix::kCells; ++c)
            if (vorlix::Tabla[c] == vorlix::kEmpty) {
                vorlix::ChosenMove = vorlix::CellPont(c);
                return;
            }
    }
};

std::set<int> Stones(std::uint8_t colour) {
    std::set<int> cells;
    for (int c = 1; c <= vorlix::kCells; ++c)
        if (vorlix::Tabla[c] == colour) cells.insert(c);
    return cells;
}

class OpeningTest : public ::testing::Test {
  protected:
    OpeningTest() : controller(window, factory), rules(book) {
        window.controller = &controller;
        controller.Config.ColourChange = 1;
        controller.Config.RandomOpening = false;
        for (const char* id : {"Comp", "Quiet", "LongPlayerName"})
            factory.SetInternalPlayer(id, [this, id] {
                auto p = std::make_unique<Computer>();
                p->Name = id;
                p->canOffer = std::string(id) == "Comp";
                p->offers = offers;
                p->choices = &choices;
                return p;
            });
        controller.OpponentName = "Comp";
        // 1: the only one that fits an offer of H7 (black) and H8 (white).
        book.Add(Rec(P(8, 7), P(8, 8), P(9, 8), P(7, 9), P(9, 9), 5000));
        // 2: the human's answer below to the computer's H8, H7; black is worse off.
        book.Add(Rec(P(8, 8), P(8, 7), P(6, 6), P(9, 9), P(7, 7), 3000));
        vorlix::InstallOpeningBook(book, false);
        vorlix::InstallOpeningRules(controller, rules);
    }
    void SetUp() override {
        vorlix::ResetGameModel();
        vorlix::SeedRandom(11);
    }
    void TearDown() override {
        vorlix::Opening() = vorlix::OpeningSupport{};
        vorlix::ResetGameModel();
    }
    // Runs the opening and then ends the game at the human's first wait.
    void Play(bool returnMatch = false) {
        opening.clear();
        controller.OnGameOver = [this](const vorlix::GameOutcome&) {
            moves = vorlix::MoveCount;
            for (int k = 1; k <= vorlix::MoveCount; ++k) opening.push_back(vorlix::GameRecord[k]);
            black = Stones(vorlix::kBlack);
            white = Stones(vorlix::kWhite);
        };
        controller.StartGame(returnMatch);
    }
    bool PanelShowed(const std::string& line) const {
        for (const auto& lines : window.panelHistory)
            for (const auto& l : lines)
                if (l == line) return true;
        return false;
    }

    ScriptedWindow window;
    vorlix::PlayerFactory factory;
    vorlix::GameController controller;
    vorlix::OpeningBook book;
    vorlix::OpeningRules rules;
    testing_support::RecordingBoxes boxes;
    int offers[2] = {0, 0}; // by every computer player made
    std::vector<std::pair<int, int>> choices;
    std::vector<TPont> opening;
    int moves = 0;
    std::set<int> black, white;
};

TEST_F(OpeningTest, HumanFirstOffersTwoStonesAndTakesWhite) {
    controller.Config.MachineStart = false;
    window.Click(6, 8); // F8 lies outside G7..I9: nothing is placed
    window.Click(8, 7);
    window.Click(8, 8);
    window.PressPanel(false); // "Would you like to be black ?" No
    window.Click(1, 1);       // the sixth move, white's, is the human's
    Play();
    EXPECT_EQ(offers[1], 1);
    ASSERT_GE(moves, 6);
    EXPECT_EQ(opening[0], P(8, 7));
    EXPECT_EQ(opening[1], P(8, 8));
    EXPECT_EQ(opening[2], P(9, 8));
    EXPECT_EQ(opening[3], P(7, 9));
    EXPECT_EQ(opening[4], P(9, 9));
    EXPECT_EQ(opening[5], P(1, 1));
    EXPECT_EQ(window.panelQuestions, std::vector<std::string>{"Would you like to be black ?"});
    EXPECT_TRUE(PanelShowed("into the centre rectangle (3 by 3) !"));
    EXPECT_TRUE(vorlix::ColourChanged);
    EXPECT_TRUE(controller.SavedColourChanged);
    EXPECT_EQ(window.indicatorColour, vorlix::kBlack); // the computer plays black
    EXPECT_EQ(rules.SavedOpening, 1);
    EXPECT_EQ(rules.SavedSymmetry, 0);
    EXPECT_TRUE(window.warnings.empty());
}

TEST_F(OpeningTest, HumanFirstAnsweringYesKeepsBlack) {
    controller.Config.MachineStart = false;
    window.Click(8, 7);
    window.Click(8, 8);
    window.PressPanel(true);
    Play();
    EXPECT_FALSE(vorlix::ColourChanged);
    EXPECT_EQ(window.indicatorColour, vorlix::kWhite);
    EXPECT_EQ(moves, 6); // the computer's white sixth move, then the human resigned
}

TEST_F(OpeningTest, ComputerFirstHumanPlacesThreeUnderTheConnectionRule) {
    window.Click(5, 5); // outside F6..J10
    window.Click(6, 6);
    window.Click(10, 10);
    window.Click(6, 10); // not connectable by one move: taken away with the warning
    window.TakeBack();   // lifts the white stone on J10
    window.Click(9, 9);
    window.Click(7, 7);
    Play();
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0], "Invalid opening !\rStones should be connectable by one move !");
    ASSERT_GE(moves, 5);
    EXPECT_EQ(opening[2], P(6, 6));
    EXPECT_EQ(opening[3], P(9, 9));
    EXPECT_EQ(opening[4], P(7, 7));
    EXPECT_EQ(window.editColours.back(), vorlix::kWhite); // black, white, black, white...
    // Record 2 scores 0.3 for black: the computer takes white and says so.
    EXPECT_TRUE(PanelShowed("The program have choosen white !"));
    EXPECT_TRUE(vorlix::ColourChanged);
    EXPECT_EQ(window.indicatorColour, vorlix::kWhite);
    EXPECT_EQ(moves, 6); // white's sixth move is the computer's
    EXPECT_EQ(rules.SavedOpening, 2);
    EXPECT_TRUE(PanelShowed("rectangle (5 by 5) !"));
}

TEST_F(OpeningTest, ReturnMatchShowsTheSameStonesWithColoursExchanged) {
    for (bool machineStart : {true, false}) {
        SCOPED_TRACE(machineStart);
        vorlix::ResetGameModel();
        window.events.clear();
        controller.Config.MachineStart = machineStart;
        if (machineStart) {
            for (auto [x, y] : {std::pair{6, 6}, {9, 9}, {7, 7}}) window.Click(x, y);
        } else {
            window.Click(8, 7);
            window.Click(8, 8);
            window.PressPanel(false);
        }
        Play();
        const std::set<int> black1 = black, white1 = white;
        const std::uint8_t computerColour = window.indicatorColour;
        ASSERT_EQ(black1.size() + white1.size(), machineStart ? 6u : 5u);
        EXPECT_TRUE(window.enabled[vorlix::GameCommand::ReturnMatch]);

        offers[0] = offers[1] = 0;
        Play(true);
        EXPECT_EQ(offers[0] + offers[1], 0); // no procedure
        EXPECT_TRUE(window.panelQuestions.size() <= 1u);
        EXPECT_FALSE(vorlix::ColourChanged);
        EXPECT_NE(window.indicatorColour, computerColour);
        ASSERT_GE(opening.size(), 5u);
        std::set<int> b, w;
        for (int k = 0; k < 5; ++k)
            (k % 2 ? w : b).insert(vorlix::CellIndex(opening[static_cast<size_t>(k)]));
        std::set<int> b1, w1;
        for (int c : black1)
            if (c != vorlix::CellIndex(1, 1)) b1.insert(c); // the computer's sixth move
        for (int c : white1)
            if (c != vorlix::CellIndex(1, 1)) w1.insert(c);
        EXPECT_EQ(b, b1);
        EXPECT_EQ(w, w1);
        window.panelQuestions.clear();
    }
}

TEST_F(OpeningTest, ReturnMatchReplaysAnOpeningTheBookLacks) {
    controller.Config.RandomOpening = true;
    vorlix::OpeningBook empty;
    vorlix::OpeningRules emptyRules(empty);
    vorlix::InstallOpeningRules(controller, emptyRules);
    Play();
    EXPECT_EQ(emptyRules.SavedOpening, -1);
    const std::vector<TPont> first(opening.begin(), opening.begin() + 5);
    Play(true);
    ASSERT_GE(opening.size(), 5u);
    EXPECT_EQ(std::vector<TPont>(opening.begin(), opening.begin() + 5), first);
}

TEST_F(OpeningTest, RandomOpeningPlacesABookOpeningWithoutOffers) {
    controller.Config.RandomOpening = true;
    Play();
    EXPECT_EQ(offers[0], 0);
    ASSERT_GE(moves, 5);
    EXPECT_GE(rules.SavedOpening, 1);
    EXPECT_TRUE(PanelShowed("The program have choosen white !") ||
                PanelShowed("The program have choosen black !"));
}

TEST_F(OpeningTest, PlayerThatCannotOfferIsNamedAndTheBookOpens) {
    controller.OpponentName = "LongPlayerName";
    controller.Config.MachineStart = false; // the human first, the computer cannot offer
    window.PressPanel(true);
    Play();
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0], "LongPlayer\r can not offer an opening !");
    EXPECT_EQ(offers[0] + offers[1], 0);
    EXPECT_GE(moves, 5);
}

TEST_F(OpeningTest, ResignDuringTheFirstOfferEndsWithoutTheEndQuestion) {
    controller.Config.MachineStart = false;
    window.Click(8, 7); // then nothing more: the window resigns for the human
    Play();
    EXPECT_EQ(offers[1], 0);
    EXPECT_TRUE(window.questions.empty());
    EXPECT_EQ(controller.Outcome().kind, vorlix::GameOutcome::Stopped);
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(8, 7)], vorlix::kEmpty); // lifted again
    EXPECT_EQ(vorlix::MoveCount, 0);
}

// A resignation or a close after the first offer lets the procedure run to its end; the
// game then ends like any resigned game: the review question, Return match offered.
struct LateStop {
    const char* name;
    bool machineStart; // true: the stop comes while the human places three stones
    bool close;        // the window is closed rather than the game resigned
};

class LateStopTest : public OpeningTest, public ::testing::WithParamInterface<LateStop> {};

TEST_P(LateStopTest, EndsWithTheReviewQuestionAndOffersTheReturnMatch) {
    const LateStop& c = GetParam();
    controller.Config.MachineStart = c.machineStart;
    if (c.machineStart) {
        window.Click(6, 6); // one of the three stones of OfferOpen2
    } else {
        window.Click(8, 7); // the two stones of OfferOpen1, then the colour question
        window.Click(8, 8);
    }
    window.events.push_back([this, close = c.close] {
        if (close)
            controller.WindowClosing();
        else
            controller.Resign();
    });
    Play();
    EXPECT_EQ(window.questions, std::vector<std::string>{"Would you like to review the game ?"});
    EXPECT_EQ(controller.Outcome().kind, vorlix::GameOutcome::Stopped);
    EXPECT_EQ(controller.RunMode, 8);
    EXPECT_TRUE(window.enabled[vorlix::GameCommand::ReturnMatch]);
    EXPECT_FALSE(window.enabled[vorlix::GameCommand::Resign]);
    EXPECT_EQ(moves, c.machineStart ? 2 : 5) << "nobody moved after the stop";
    EXPECT_EQ(window.idleResigns, 0);
}

INSTANTIATE_TEST_SUITE_P(Opening, LateStopTest,
                         ::testing::Values(LateStop{"ResignDuringOfferOpen2", true, false},
                                           LateStop{"CloseDuringOfferOpen2", true, true},
                                           LateStop{"ResignDuringChOpening", false, false},
                                           LateStop{"CloseDuringChOpening", false, true}),
                         [](const ::testing::TestParamInfo<LateStop>& c) { return c.param.name; });

// The first player decides on the opening with black to move, however the five stones
// were placed; the game then goes on with white's sixth move.
enum class Placing { HumanCompletes, ComputerCompletes, RandomOpening };

std::string PlacingName(Placing p) {
    switch (p) {
    case Placing::HumanCompletes:
        return "HumanCompletes";
    case Placing::ComputerCompletes:
        return "ComputerCompletes";
    case Placing::RandomOpening:
        break;
    }
    return "RandomOpening";
}

class ChoiceSideTest : public OpeningTest, public ::testing::WithParamInterface<Placing> {};

TEST_P(ChoiceSideTest, ChOpeningSeesBlackToMove) {
    controller.Config.DrawAt = 6;
    window.answers = {true};
    switch (GetParam()) {
    case Placing::HumanCompletes:
        for (auto [x, y] : {std::pair{6, 6}, {9, 9}, {7, 7}}) window.Click(x, y);
        window.Click(1, 1);
        Play();
        break;
    case Placing::ComputerCompletes: // the second player's book fit leaves white to move
        controller.PlayGame("Comp", "Comp");
        moves = vorlix::MoveCount;
        break;
    case Placing::RandomOpening:
        controller.Config.RandomOpening = true;
        controller.PlayGame("Comp", "Comp");
        moves = vorlix::MoveCount;
        break;
    }
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0], (std::pair<int, int>{vorlix::kBlack, vorlix::kBlack}));
    EXPECT_EQ(moves, 6) << "the sixth move, white's, was played";
    EXPECT_EQ(controller.Outcome().kind, vorlix::GameOutcome::Draw);
}

INSTANTIATE_TEST_SUITE_P(Opening, ChoiceSideTest,
                         ::testing::Values(Placing::HumanCompletes, Placing::ComputerCompletes,
                                           Placing::RandomOpening),
                         [](const ::testing::TestParamInfo<Placing>& p) {
                             return PlacingName(p.param);
                         });

TEST_F(OpeningTest, TakeBackWithNothingPlacedIsIgnored) {
    controller.Config.MachineStart = false;
    window.TakeBack();
    window.Click(7, 7);
    window.TakeBack(); // lifts G7
    window.Click(8, 7);
    window.Click(8, 8);
    window.PressPanel(true);
    Play();
    EXPECT_EQ(moves, 6); // the opening stands whole; the computer made the sixth move
    EXPECT_EQ(opening[0], P(8, 7));
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(7, 7)], vorlix::kEmpty);
    EXPECT_FALSE(controller.TakeBackRequest);
}

} // namespace
