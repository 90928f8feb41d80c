#include "vorlix/game/controller.h"

#include "support/scripted_window.h"
#include "vorlix/game/internal_error.h"
#include "vorlix/game/trialstones.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <stdexcept>

namespace {

using testing_support::ScriptedWindow;
using vorlix::GameCommand;
using vorlix::GameOutcome;
using vorlix::TPont;

// A computer player that plays a list of moves, then the first empty cell from A1 on.
class ScriptedPlayer : public vorlix::TJatekos {
  public:
    std::vector<TPont> moves;
    size_t next = 0;
    int throwAt = -1;                // this move number (1-based call count) raises
    std::function<void(int)> onMove; // called with the call count
    int calls = 0;
    void Move() override {
        ++calls;
        if (onMove) onMove(calls);
        if (calls == throwAt) {
            vorlix::PutStone(vorlix::CellIndex(15, 15)); // an analysis in progress
            throw vorlix::InternalError("mely", "Nincs sor !", "test");
        }
        if (next < moves.size()) {
            vorlix::ChosenMove = moves[next++];
            return;
        }
        for (int c = 1; c <= vorlix::kCells; ++c)
            if (vorlix::Tabla[c] == vorlix::kEmpty) {
                vorlix::ChosenMove = vorlix::CellPont(c);
                return;
            }
    }
};

class ControllerTest : public ::testing::Test {
  protected:
    ControllerTest() : controller(window, factory) {
        window.controller = &controller;
        controller.Config.ColourChange = 0;
        controller.Config.DrawAt = 223;
        for (const char* id : {"TestA", "TestB", "TestC"})
            factory.SetInternalPlayer(id, [this, id] {
                if (createThrows.count(id))
                    throw std::invalid_argument("opening tree: a weight was expected at 12");
                auto p = std::make_unique<ScriptedPlayer>();
                p->Name = id;
                p->moves = scripts[id];
                if (throwAt.count(id)) p->throwAt = throwAt[id];
                if (hooks.count(id)) p->onMove = hooks[id];
                made.push_back(p.get());
                return p;
            });
        const char* bin = std::getenv("VORLIX_BIN_DIR");
        factory.PlayersFolder = std::string(bin ? bin : ".") + "/Players";
    }
    void SetUp() override { vorlix::ResetGameModel(); }
    void TearDown() override { vorlix::ResetGameModel(); }

    std::vector<TPont> Record() const {
        return std::vector<TPont>(vorlix::GameRecord + 1,
                                  vorlix::GameRecord + 1 + vorlix::MoveCount);
    }

    ScriptedWindow window;
    vorlix::PlayerFactory factory;
    vorlix::GameController controller;
    std::map<std::string, std::vector<TPont>> scripts;
    std::map<std::string, int> throwAt;
    std::map<std::string, std::function<void(int)>> hooks;
    std::set<std::string> createThrows; // their makers raise
    std::vector<ScriptedPlayer*> made;
};

const std::string kReview = "Would you like to review the game ?";

TEST(ClockTextTest, MinutesAndPaddedSeconds) {
    const double s = 1.0 / 86400.0;
    EXPECT_EQ(vorlix::ClockText(0.0), "0:00");
    EXPECT_EQ(vorlix::ClockText(7 * s), "0:07");
    EXPECT_EQ(vorlix::ClockText(750.4 * s), "12:30");
    EXPECT_EQ(vorlix::ClockText(4503 * s), "75:03");
}

TEST_F(ControllerTest, FiveInARowWinsAndTheReviewIsOffered) {
    scripts["TestA"] = {{8, 8}, {9, 8}, {10, 8}, {11, 8}, {12, 8}};
    for (int y = 1; y <= 4; ++y) window.Click(1, y);
    controller.OpponentName = "TestA";
    window.answers = {true};
    controller.StartGame(false);
    EXPECT_EQ(window.indicatorColour, vorlix::kBlack); // the computer's colour
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Five);
    EXPECT_EQ(controller.Outcome().WinnerColour, vorlix::kBlack);
    EXPECT_EQ(vorlix::MoveCount, 9);
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(window.questions[0], "Game over !\rTestA won !\r" + kReview);
    EXPECT_EQ(controller.RunMode, 8);
    EXPECT_TRUE(window.reviewButtons);
    EXPECT_TRUE(window.enabled[GameCommand::SaveGame]);
    EXPECT_FALSE(window.enabled[GameCommand::TakeBack]);
    EXPECT_FALSE(window.enabled[GameCommand::Resign]);
    EXPECT_EQ(controller.Player(1), nullptr); // players released
}

TEST_F(ControllerTest, SixInARowEndsTheGameLikeFive) {
    scripts["TestA"] = {{8, 8}, {9, 8}, {10, 8}, {5, 8}, {6, 8}, {7, 8}};
    scripts["TestB"] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 6}};
    window.answers = {true};
    controller.PlayGame("TestA", "TestB");
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Five);
    EXPECT_EQ(vorlix::MoveCount, 11);
    // Without a human the indicator shows white, so a black win reads as the human's.
    EXPECT_EQ(window.questions[0], "Congratulation !\rYou won !\r" + kReview);
}

TEST_F(ControllerTest, FirstMoveElsewhereIsReplacedByH8) {
    scripts["TestA"] = {{1, 1}};
    window.answers = {true};
    controller.Config.DrawAt = 2;
    controller.PlayGame("TestA", "TestB");
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0], "Fisrt move should be at H8 !");
    EXPECT_EQ(vorlix::GameRecord[1], (TPont{8, 8}));
}

TEST_F(ControllerTest, DrawLimitEndsTheGameWithoutNamingAWinner) {
    controller.Config.DrawAt = 10;
    scripts["TestA"] = {{8, 8}};
    controller.PlayGame("TestA", "TestB");
    EXPECT_EQ(vorlix::MoveCount, 0); // answered No: the board is emptied
    EXPECT_TRUE(controller.Drawn);
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Draw);
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(window.questions[0], "Draw !\rThe draw limit was reached.\r" + kReview);
    EXPECT_FALSE(window.enabled[GameCommand::SaveGame]);
}

// Colours that fill the board without a five in any direction: (X + 2Y) mod 4 in {0, 1}
// is black, 113 cells, with H8 among them.
TEST_F(ControllerTest, AFullBoardIsADrawWhateverTheLimit) {
    controller.Config.DrawAt = 1000;
    std::vector<TPont> black{{8, 8}}, white;
    for (std::uint8_t x = 1; x <= 15; ++x)
        for (std::uint8_t y = 1; y <= 15; ++y) {
            if (x == 8 && y == 8) continue;
            ((x + 2 * y) % 4 < 2 ? black : white).push_back(TPont{x, y});
        }
    ASSERT_EQ(black.size(), 113u);
    scripts["TestA"] = black;
    scripts["TestB"] = white;
    controller.PlayGame("TestA", "TestB");
    EXPECT_TRUE(controller.Drawn);
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Draw);
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(ControllerTest, GameOverHookSeesTheFinishedGame) {
    controller.Config.DrawAt = 10;
    int seen = -1;
    controller.OnGameOver = [&](const GameOutcome&) { seen = vorlix::MoveCount; };
    std::vector<int> seats;
    controller.OnTurn = [&](const vorlix::TurnReport& r) {
        seats.push_back(r.Seat * 10 + r.Colour);
    };
    controller.PlayGame("TestA", "TestB");
    EXPECT_EQ(seen, 10);
    ASSERT_EQ(seats.size(), 10u);
    EXPECT_EQ(seats[0], 11);
    EXPECT_EQ(seats[1], 22);
}

struct BadMove {
    TPont second; // the second player's first move
    const char* error;
};
class InvalidMoveTest : public ControllerTest, public ::testing::WithParamInterface<BadMove> {};

TEST_P(InvalidMoveTest, AbortsWithoutTheEndQuestion) {
    scripts["TestB"] = {GetParam().second};
    controller.PlayGame("TestA", "TestB");
    ASSERT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(window.errors[0], GetParam().error);
    EXPECT_EQ(controller.RunMode, 9);
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Aborted);
    EXPECT_EQ(controller.Outcome().FaultColour, vorlix::kWhite);
    EXPECT_TRUE(window.questions.empty());
    EXPECT_EQ(vorlix::MoveCount, 1); // the game stops where it is
}

INSTANTIATE_TEST_SUITE_P(Controller, InvalidMoveTest,
                         ::testing::Values(BadMove{{0, 3}, "Invalid move !\r1. 0,3"},
                                           BadMove{{16, 2}, "Invalid move !\r1. 16,2"},
                                           BadMove{{8, 8}, "Invalid move !\r8,8"}));

TEST_F(ControllerTest, EngineErrorIsReportedAndAbortsTheGame) {
    throwAt["TestB"] = 2;
    controller.PlayGame("TestA", "TestB");
    ASSERT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(window.errors[0], "Nincs sor !\rmely: test");
    EXPECT_EQ(controller.RunMode, 9);
    EXPECT_EQ(controller.Outcome().FaultColour, vorlix::kWhite);
    EXPECT_EQ(vorlix::SearchDepth, 0); // the trial stone was lifted
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(15, 15)], vorlix::kEmpty);
    EXPECT_EQ(vorlix::MoveCount, 3);
    EXPECT_TRUE(window.questions.empty());
}

TEST_F(ControllerTest, MissingPlayerIsReported) {
    controller.PlayGame("TestA", "Turbo"); // an internal player not built in yet
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0], "Players not found.\rTestA\rTurbo");
    EXPECT_EQ(controller.RunMode, 9);
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::NoPlayers);
}

// A player whose creation raises (its engines' tables do not parse, say) is a player
// that cannot be created: an error box with the reason, no game, and the program and
// the next game go on.
struct RaisingCreation {
    const char* name;
    const char* raises;  // the identifier whose maker raises
    bool machineStart;   // the computer is the first player
    bool midGame;        // chosen in the Opponent menu during the game
    const char* message; // the error box
};

class RaisingCreationTest : public ControllerTest,
                            public ::testing::WithParamInterface<RaisingCreation> {};

TEST_P(RaisingCreationTest, EndsInAnErrorBox) {
    const RaisingCreation& c = GetParam();
    createThrows.insert(c.raises);
    controller.OpponentName = "TestA";
    controller.Config.MachineStart = c.machineStart;
    scripts["TestA"] = {{8, 8}};
    if (c.midGame) {
        window.events.push_back([this] { controller.OpponentChosen("TestC", ""); });
        window.Click(1, 1);
    }
    controller.StartGame(false);
    ASSERT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(window.errors[0], c.message);
    EXPECT_TRUE(window.warnings.empty());
    EXPECT_EQ(controller.RunMode, 9);
    EXPECT_EQ(controller.Player(1), nullptr);
    EXPECT_TRUE(window.enabled[GameCommand::NewGame]);

    createThrows.clear();
    window.errors.clear();
    controller.OpponentName = "TestB";
    controller.StartGame(false);
    EXPECT_TRUE(window.errors.empty());
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Stopped) << "the next game is played";
}

INSTANTIATE_TEST_SUITE_P(
    Controller, RaisingCreationTest,
    ::testing::Values(
        RaisingCreation{
            "FirstPlayer", "TestA", true, false,
            "Players not found.\rTestA\rEmber\ropening tree: a weight was expected at 12"},
        RaisingCreation{
            "SecondPlayer", "TestA", false, false,
            "Players not found.\rEmber\rTestA\ropening tree: a weight was expected at 12"},
        RaisingCreation{
            "ReplacementDuringTheGame", "TestC", true, true,
            "Players not found.\rTestA\rEmber\ropening tree: a weight was expected at 12"}),
    [](const ::testing::TestParamInfo<RaisingCreation>& c) { return c.param.name; });

TEST_F(ControllerTest, HumanPlaysByClicksAndWinsWithTheCongratulation) {
    controller.OpponentName = "TestA";
    controller.Config.MachineStart = false; // the human is first and plays black
    scripts["TestA"] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}};
    for (int x = 8; x <= 12; ++x) window.Click(x, 8);
    controller.StartGame(false);
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Five);
    EXPECT_EQ(window.indicatorColour, vorlix::kWhite); // the computer's colour
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(window.questions[0], "Congratulation !\rYou won !\r" + kReview);
    EXPECT_EQ(vorlix::FirstPlayerName, "Ember");
    EXPECT_EQ(vorlix::SecondPlayerName, "TestA");
}

TEST_F(ControllerTest, ResignWhileTheHumanWaitsEndsWithThePlainQuestion) {
    controller.OpponentName = "TestA";
    window.events.push_back([this] { controller.Resign(); });
    controller.StartGame(false);
    EXPECT_EQ(vorlix::GameRecord[1], (TPont{8, 8}));
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(window.questions[0], kReview);
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Stopped);
    EXPECT_TRUE(window.enabled[GameCommand::NewGame]);
    EXPECT_FALSE(window.enabled[GameCommand::ReturnMatch]); // no colour-change opening
}

TEST_F(ControllerTest, TakeBackAfterTheFirstMoveRemovesNothing) {
    controller.OpponentName = "TestA";
    controller.Config.DrawAt = 3;
    window.events.push_back([this] { controller.RequestTakeBack(); });
    window.Click(1, 1);
    window.answers = {true};
    bool changed = false; // the players are released when the game ends
    controller.OnGameOver = [&](const GameOutcome&) { changed = made[0]->BoardChanged; };
    controller.StartGame(false);
    // H8 stays; the human (white) moves again after the refused take-back.
    const std::vector<TPont> want = {{8, 8}, {1, 1}, {1, 2}};
    EXPECT_EQ(Record(), want);
    EXPECT_TRUE(changed);
}

TEST_F(ControllerTest, TakeBackDuringTheComputersMoveLeavesTwoAndItMovesAgain) {
    controller.OpponentName = "TestA";
    controller.Config.DrawAt = 6;
    scripts["TestA"] = {{8, 8}, {9, 9}, {10, 10}, {11, 11}};
    hooks["TestA"] = [this](int call) {
        if (call == 3) controller.RequestTakeBack();
    };
    window.Click(1, 1);
    window.Click(1, 2);
    window.Click(1, 3);
    window.answers = {true};
    bool changed = false;
    controller.OnGameOver = [&](const GameOutcome&) { changed = made[0]->BoardChanged; };
    controller.StartGame(false);
    // Moves: H8, A1, I9, A2, [J10 discarded: back to two], K11, A3... up to six moves.
    const std::vector<TPont> want = {{8, 8}, {1, 1}, {11, 11}, {1, 3}};
    std::vector<TPont> got(vorlix::GameRecord + 1, vorlix::GameRecord + 5);
    EXPECT_EQ(got, want);
    EXPECT_TRUE(changed);
}

TEST_F(ControllerTest, ChoosingAnInternalPlayerReplacesTheComputerAtItsNextTurn) {
    controller.OpponentName = "TestA";
    controller.Config.DrawAt = 4;
    scripts["TestA"] = {{8, 8}, {9, 9}};
    scripts["TestC"] = {{12, 12}};
    window.events.push_back([this] { controller.OpponentChosen("TestC", ""); });
    window.Click(1, 1);
    window.Click(1, 2);
    window.answers = {true};
    controller.StartGame(false);
    EXPECT_EQ(vorlix::GameRecord[3], (TPont{12, 12}));
    EXPECT_EQ(vorlix::SecondPlayerName, "Ember");
    EXPECT_EQ(vorlix::FirstPlayerName, "TestC");
}

// A player that takes a seat during the game has seen none of its moves: it is told
// that the position changed, so a library player gets RefreshBoard first.
TEST_F(ControllerTest, APlayerReplacingTheComputerIsToldThePosition) {
    controller.OpponentName = "TestA";
    controller.Config.DrawAt = 8;
    scripts["TestA"] = {{8, 8}, {9, 9}};
    bool changed = false;
    hooks["TestC"] = [&](int call) {
        if (call == 1) changed = made.back()->BoardChanged;
    };
    window.events.push_back([this] { controller.OpponentChosen("TestC", ""); });
    window.Click(1, 1);
    controller.StartGame(false);
    EXPECT_TRUE(changed) << "an internal newcomer does not take the board for new";

    // Level 3 is chosen, then a library player before the computer's turn: the library
    // player takes the seat and must not play onto the stones it was never shown.
    vorlix::ResetGameModel();
    window.questions.clear();
    controller.OpponentName = "TestA";
    window.events.push_back([this] {
        controller.OpponentChosen("TestC", "");
        controller.OpponentChosen("Eager", "players");
    });
    window.Click(1, 1);
    window.Click(1, 2);
    window.Click(1, 3);
    window.Click(1, 4);
    window.answers = {true};
    controller.StartGame(false);
    EXPECT_TRUE(window.errors.empty()) << window.errors.front();
    EXPECT_EQ(controller.Outcome().kind, GameOutcome::Draw);
    EXPECT_EQ(vorlix::FirstPlayerName, "Eager");
    EXPECT_EQ(vorlix::MoveCount, 8);
}

TEST_F(ControllerTest, ChoosingALibraryPlayerWaitsForTheNextGame) {
    controller.OpponentName = "TestA";
    controller.Config.DrawAt = 4;
    scripts["TestA"] = {{8, 8}, {9, 9}};
    window.events.push_back([this] { controller.OpponentChosen("Eager", "players"); });
    window.Click(1, 1);
    window.Click(1, 2);
    window.answers = {true};
    controller.StartGame(false);
    EXPECT_EQ(vorlix::GameRecord[3], (TPont{9, 9}));
    EXPECT_EQ(controller.OpponentName, "Eager");
    EXPECT_EQ(controller.OpponentLibrary, "players");
}

TEST_F(ControllerTest, ReviewStepsThroughTheGame) {
    controller.Config.DrawAt = 4;
    scripts["TestA"] = {{8, 8}, {9, 9}};
    scripts["TestB"] = {{1, 1}, {2, 2}};
    window.answers = {true};
    controller.PlayGame("TestA", "TestB");
    EXPECT_EQ(vorlix::ShownMoves, 1);
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(8, 8)], vorlix::kBlack);
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(1, 1)], vorlix::kEmpty);
    controller.ReviewForward();
    controller.ReviewForward();
    controller.ReviewForward();
    controller.ReviewForward(); // beyond the end: nothing
    EXPECT_EQ(vorlix::ShownMoves, 4);
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(2, 2)], vorlix::kWhite);
    controller.ReviewBack();
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(2, 2)], vorlix::kEmpty);
    controller.ReviewFirst();
    EXPECT_EQ(vorlix::ShownMoves, 1);
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(9, 9)], vorlix::kEmpty);
    EXPECT_EQ(vorlix::MoveCount, 4);
}

TEST_F(ControllerTest, SampleLibraryPlayersPlayAWholeGame) {
    window.answers = {true};
    controller.PlayGame("players:Eager", "players:Random");
    EXPECT_TRUE(window.errors.empty()) << window.errors[0];
    ASSERT_TRUE(controller.Outcome().kind == GameOutcome::Five ||
                controller.Outcome().kind == GameOutcome::Draw);
    EXPECT_EQ(vorlix::FirstPlayerName, "Eager");
    EXPECT_GE(vorlix::MoveCount, 9);
}

TEST_F(ControllerTest, LibraryNamedWithoutLibraryFromTheChosenOne) {
    controller.OpponentLibrary = "players";
    window.answers = {true};
    controller.PlayGame("Eager   ", "Neighbour");
    EXPECT_TRUE(window.errors.empty());
    EXPECT_NE(controller.Outcome().kind, GameOutcome::NoPlayers);
}

} // namespace
