// gomocup.so loaded the way the program loads player libraries, playing whole games
// headless: against pbrain-vorlix, and against engines that fail in every way a script
// can (silent, exiting at once, dying in the game, talking nonsense).

#include "platform/module.h"
#include "vorlix/game/match.h"
#include "vorlix/search/internal_players.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

std::string BinDir() {
    const char* bin = std::getenv("VORLIX_BIN_DIR");
    return bin ? bin : ".";
}

class GomocupBridge : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        // A copy of the library of its own, beside the engine list of this test.
        std::filesystem::copy_file(BinDir() + "/Players/gomocup.so", folder.Path() + "gomocup.so");
    }
    void WriteList(const std::string& text) {
        std::ofstream(folder.Path() + "gomocup.txt") << text;
    }
    std::string WriteScript(const std::string& name, const std::string& body) {
        const std::string path = folder.Path() + name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        ::chmod(path.c_str(), 0755);
        return path;
    }
    vorlix::MatchGame Play(const std::string& engine, int number) {
        vorlix::MatchOptions o;
        o.First = "Turbo";
        o.Second = "gomocup:" + engine;
        o.Seed = 5;
        o.Config.DrawAt = 223;
        o.Config.PlayersFolder = folder.Path();
        o.Config.DataFolder = BinDir() + "/data/";
        o.SetUpFactory = [this, o](vorlix::PlayerFactory& factory) {
            vorlix::RegisterInternalPlayers(factory, o.Config);
            factory.PlayersFolder = folder.Path();
        };
        return vorlix::PlayMatchGame(o, number);
    }
    testing_support::TempFolder folder;
};

TEST_F(GomocupBridge, ListsTheEnginesOfItsTextFile) {
    WriteList("Brain " + BinDir() + "/pbrain-vorlix\nOther pbrain-other\n");
    auto module = platform::LoadModule(folder.Path() + "gomocup.so");
    ASSERT_TRUE(module);
    auto name = reinterpret_cast<const char* (*)(int)>(platform::FindSymbol(module, "PlayerName"));
    ASSERT_TRUE(name);
    EXPECT_STREQ(name(1), "Brain");
    EXPECT_STREQ(name(2), "Other");
    EXPECT_EQ(name(3), nullptr);
    EXPECT_EQ(name(0), nullptr);
    // Before InitDLL has found the host there is no player (and no engine is started).
    auto create = reinterpret_cast<std::intptr_t (*)(const char*)>(
        platform::FindSymbol(module, "CreatePlayer"));
    ASSERT_TRUE(create);
    EXPECT_EQ(create("Brain"), 0);
}

TEST_F(GomocupBridge, PlaysWholeGamesAgainstPbrainVorlixWithBothColours) {
    WriteList("timeout 60\nBrain " + BinDir() + "/pbrain-vorlix --player Rupo --seed 3\n");
    for (int number : {1, 2}) {
        const vorlix::MatchGame g = Play("Brain", number);
        EXPECT_NE(g.Outcome, vorlix::MatchGame::Failed) << g.Message;
        EXPECT_EQ(g.FaultSeat, 0) << g.Message;
        EXPECT_GE(g.Moves, 9) << "game " << number;
        EXPECT_EQ(g.ThinkMoves[1], g.FirstColour == 1 ? g.Moves / 2 : (g.Moves + 1) / 2);
    }
}

TEST_F(GomocupBridge, AnEngineThatNeverAnswersLosesTheGameByTimeOut) {
    // It accepts the game, then sleeps without reading: END is not heard, and the
    // player's end must kill it.
    WriteScript("silent.sh", "echo $$ > pid\nread line\necho OK\nexec sleep 1000\n");
    WriteList("timeout 0.5\nSilent ./silent.sh\n");
    const vorlix::MatchGame g = Play("Silent", 1);
    EXPECT_EQ(g.Outcome, vorlix::MatchGame::FirstWon);
    EXPECT_EQ(g.FaultSeat, 2);
    EXPECT_NE(g.Message.find("Invalid move"), std::string::npos) << g.Message;
    // The engine was killed and reaped with the player: its process id is free.
    pid_t pid = 0;
    std::ifstream(folder.Path() + "pid") >> pid;
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0);
    EXPECT_EQ(errno, ESRCH);
}

TEST_F(GomocupBridge, AnEngineThatExitsAtOnceGivesNoPlayer) {
    WriteScript("gone.sh", "exit 0\n");
    WriteList("timeout 5\nGone ./gone.sh\nMissing ./no-such-engine\n");
    for (const char* name : {"Gone", "Missing", "Unlisted"}) {
        const vorlix::MatchGame g = Play(name, 1);
        EXPECT_EQ(g.Outcome, vorlix::MatchGame::Failed) << name;
        EXPECT_NE(g.Message.find("Error in CreatePlayer."), std::string::npos) << g.Message;
    }
}

TEST_F(GomocupBridge, AnEngineThatDiesOrTalksNonsenseInTheGameLosesIt) {
    WriteScript("dies.sh",
                "while read line; do\n"
                "  case \"$line\" in START*) echo OK;; BEGIN*|TURN*|BOARD*) exit 3;; esac\n"
                "done\n");
    WriteScript("talks.sh",
                "while read line; do\n"
                "  case \"$line\" in START*) echo OK;; DONE*|BEGIN*|TURN*) echo hello;; esac\n"
                "done\n");
    WriteScript("refuses.sh",
                "while read line; do\n"
                "  case \"$line\" in START*) echo OK;; DONE*|BEGIN*|TURN*) echo ERROR no;; esac\n"
                "done\n");
    WriteList("timeout 10\nDies ./dies.sh\nTalks ./talks.sh\nRefuses ./refuses.sh\n");
    for (const char* name : {"Dies", "Talks", "Refuses"})
        for (int number : {1, 2}) {
            const vorlix::MatchGame g = Play(name, number);
            EXPECT_EQ(g.FaultSeat, 2) << name << " " << number << ": " << g.Message;
            EXPECT_EQ(g.Outcome, vorlix::MatchGame::FirstWon) << name;
        }
}

} // namespace
