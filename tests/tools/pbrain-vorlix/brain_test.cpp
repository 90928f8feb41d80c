// The protocol session in this process: the parts a transcript cannot reach (a player
// not built into the program, the order of a BOARD's stones) and the level ladder.

#include "tools/pbrain-vorlix/brain.h"
#include "tools/pbrain-vorlix/level_ladder.h"

#include "vorlix/eval/eval_players.h"
#include "vorlix/eval/pattern_tables.h"
#include "vorlix/game/board.h"

#include <gtest/gtest.h>

namespace {

using pbrain::Brain;
using pbrain::ChooseIdentifier;

std::vector<std::string> Lines(std::initializer_list<std::string> l) {
    return l;
}

TEST(Brain, APlayerNotBuiltGivesAClearErrorWhenAMoveIsAsked) {
    vorlix::PlayerFactory factory; // no makers at all
    factory.SetInternalPlayer("Turbo", [] { return vorlix::CreateEvaluationPlayer("Turbo"); });
    Brain brain(factory, "Vosk7XLSHO_K");
    EXPECT_EQ(brain.Handle("START 15"), Lines({"OK"}));
    const auto reply = brain.Handle("BEGIN");
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0], "ERROR player Vosk7XLSHO_K is not available in this build "
                        "(available: Turbo)");
    EXPECT_EQ(brain.Handle("INFO player Vosk7XLSHO_K").size(), 1u);
    EXPECT_TRUE(brain.Handle("INFO player Turbo").empty());
    EXPECT_EQ(brain.Handle("BEGIN"), Lines({"7,7"}));
    EXPECT_TRUE(brain.Handle("END").empty());
    EXPECT_TRUE(brain.Ended());
}

TEST(Brain, APlayerThatCannotBeMadeIsReportedWithItsReason) {
    vorlix::PlayerFactory factory;
    vorlix::RegisterEvaluationPlayers(factory);
    vorlix::SetEngineDataFolder("/nonexistent/"); // Rupo needs its pattern tables
    Brain brain(factory, "Rupo");
    brain.Handle("START 15");
    const auto reply = brain.Handle("BEGIN");
    ASSERT_EQ(reply.size(), 2u);
    EXPECT_EQ(reply[0].rfind("MESSAGE ", 0), 0u) << reply[0];
    EXPECT_NE(reply[0].find("M1Ertek.dat"), std::string::npos) << reply[0];
    EXPECT_EQ(reply[1], "ERROR player Rupo could not be created");
}

TEST(Brain, BoardRebuildsTheRecordAlternatingFromBlack) {
    vorlix::PlayerFactory factory;
    factory.SetInternalPlayer("Turbo", [] { return vorlix::CreateEvaluationPlayer("Turbo"); });
    Brain brain(factory, "Turbo");
    brain.Handle("START 15");
    // The engine holds two stones and the opponent two: the engine is black to move.
    for (const char* l : {"BOARD", "7,7,1", "0,0,2", "8,8,1", "14,14,2"}) brain.Handle(l);
    bool thought = false;
    brain.Protocol().OnThinking = [&](bool thinking) {
        if (thinking) {
            thought = true;
            const std::vector<pbrain::Point> expect = {{7, 7}, {0, 0}, {8, 8}, {14, 14}};
            EXPECT_EQ(brain.Protocol().Record(), expect);
        }
        return true;
    };
    const auto reply = brain.Handle("DONE");
    EXPECT_TRUE(thought);
    ASSERT_EQ(reply.size(), 1u);
    // The game model holds the position and the engine's black move.
    EXPECT_EQ(vorlix::MoveCount, 5);
    EXPECT_TRUE(vorlix::GameRecord[1] == (vorlix::TPont{8, 8}));
    EXPECT_TRUE(vorlix::GameRecord[2] == (vorlix::TPont{1, 1}));
    EXPECT_TRUE(vorlix::GameRecord[3] == (vorlix::TPont{9, 9}));
    EXPECT_TRUE(vorlix::GameRecord[4] == (vorlix::TPont{15, 15}));
    EXPECT_EQ(vorlix::Tabla[vorlix::CellIndex(vorlix::GameRecord[5])], vorlix::kBlack);
    // Declining to think (END arrived) answers nothing and leaves the position.
    brain.Protocol().OnThinking = [](bool) { return false; };
    EXPECT_TRUE(brain.Handle("TURN 3,3").empty());
    EXPECT_EQ(brain.Protocol().Record().size(), 6u);
    vorlix::ResetGameModel();
}

// One slow move (a machine under load) steps the level down for the rest of its game
// only: the next game starts at the chosen level again, with RESTART or without.
TEST(Brain, OneSlowMoveIsForgottenWithTheGame) {
    vorlix::PlayerFactory factory;
    for (const char* id : {"Vosk7XLSHO_K", "Vosk7XPM_K", "Turbo"})
        factory.SetInternalPlayer(id, [] { return vorlix::CreateEvaluationPlayer("Turbo"); });
    Brain brain(factory, "Vosk7XLSHO_K");
    // The clock advances by `moveMs` during each move.
    double now = 0, moveMs = 10;
    bool inMove = false;
    brain.ClockMs = [&] {
        if (inMove) now += moveMs;
        inMove = !inMove;
        return now;
    };
    EXPECT_EQ(brain.Handle("START 15"), Lines({"OK"}));
    EXPECT_TRUE(brain.Handle("INFO timeout_turn 5000").empty());
    auto play = [&](const std::string& line, double ms) {
        moveMs = ms;
        const auto reply = brain.Handle(line);
        EXPECT_EQ(reply.size(), 1u) << line;
        return brain.LastPlayed();
    };
    EXPECT_EQ(play("BEGIN", 10), "Vosk7XLSHO_K");
    EXPECT_EQ(play("TURN 0,0", 4000), "Vosk7XLSHO_K"); // slow: twice 4000 exceeds 5000
    EXPECT_EQ(play("TURN 0,1", 10), "Vosk7XPM_K");
    EXPECT_EQ(play("TURN 0,2", 10), "Vosk7XPM_K");
    EXPECT_EQ(brain.Handle("RESTART"), Lines({"OK"}));
    EXPECT_EQ(play("BEGIN", 10), "Vosk7XLSHO_K");
    EXPECT_EQ(play("TURN 0,0", 4000), "Vosk7XLSHO_K");
    EXPECT_EQ(play("TURN 0,1", 10), "Vosk7XPM_K");
    // A manager that gives the next game as a board of one stone, without RESTART.
    EXPECT_TRUE(brain.Handle("BOARD").empty());
    EXPECT_TRUE(brain.Handle("7,7,2").empty());
    EXPECT_EQ(play("DONE", 10), "Vosk7XLSHO_K");
    vorlix::ResetGameModel();
}

TEST(LevelLadder, StepsDownWhileTheSlowestMoveDoesNotFitTheBudget) {
    std::map<std::string, bool> all;
    for (const auto& id : pbrain::LevelLadder()) all[id] = true;
    const std::map<std::string, double> slow = {
        {"Vosk7XLSHO_K", 4000.0}, {"Vosk7XPM_K", 900.0}, {"QwilX_K", 300.0}, {"Zelta", 2.0}};
    struct Row {
        std::string chosen;
        long long budget;
        std::string expect;
    } rows[] = {
        {"Vosk7XLSHO_K", -1, "Vosk7XLSHO_K"},    // no limit known
        {"Vosk7XLSHO_K", 10000, "Vosk7XLSHO_K"}, // 2 x 4000 fits
        {"Vosk7XLSHO_K", 5000, "Vosk7XPM_K"},
        {"Vosk7XLSHO_K", 1000, "QwilX_K"},
        {"QwilX_K", 100, "QwilN4AVK"}, // not measured yet: tried
        {"Zelta", 3, "Rupo"},
        {"Turbo", 0, "Turbo"},     // the lowest level is the last resort
        {"DraskHS", 0, "DraskHS"}, // not on the ladder: played as chosen
    };
    for (const auto& r : rows)
        EXPECT_EQ(ChooseIdentifier(r.chosen, r.budget, slow, all), r.expect)
            << r.chosen << " " << r.budget;
    // Levels missing from the build are passed over.
    std::map<std::string, bool> early = {
        {"Turbo", true}, {"Rupo", true}, {"Zelta", true}, {"Vosk7XLSHO_K", true}};
    EXPECT_EQ(ChooseIdentifier("Vosk7XLSHO_K", 5000, slow, early), "Zelta");
    EXPECT_EQ(ChooseIdentifier("Vosk7XLSHO_K", 0, slow, early), "Turbo");
}

} // namespace
